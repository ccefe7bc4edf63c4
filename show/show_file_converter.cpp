#include "show/show_file_converter.h"

#include "foundation/archives/archive_file.h"
#include "foundation/files/file_replace.h"
#include "foundation/files/file_sync.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"
#include "show/ogg_vorbis_stream.h"
#include "foundation/strings/saturating_int.h"
#include "foundation/text/timecode.h"
#include "foundation/files/tmp_file.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr const char* kCreatingErrorText = "Error while creating '%s'!";
constexpr const char* kTmpFileErrorText = "Can't create tmp file!";
constexpr const char* kTmpExtension = "tmp";

constexpr int32_t kRenderCapacity = 65536;
constexpr int32_t kImageEntryCapacity = 1024;
constexpr int32_t kRenderOversampling = 4;
constexpr int32_t kSoundStepBytes = ShowFile::kSoundChunkBytes;
// The sound runs this far ahead of the frames in the file.
constexpr int64_t kSoundLeadUs = 5000000;
constexpr float kLowestFrameRate = 0.1f;
constexpr int64_t kLowestRateSpacingUs = 10000000;
constexpr double kMicrosecondsPerSecond = 1000000.0;
constexpr int64_t kTimecodeFrameUs = 40000;
// The duplicate, counting and merge passes each read every frame, and the merge reads each sound
// chunk twice (for the decoder and for the copy): an input whose data block fits is deciphered
// once into memory instead. A larger one is read through the cipher as it is, so that memory
// stays bounded by this whatever the show's length.
constexpr int64_t kHeldInputBytes = int64_t{256} << 20;

const char* TimecodeOf(int64_t time)
{
    return TimecodeText(static_cast<int32_t>(std::clamp<int64_t>(time / kTimecodeFrameUs, -1, INT32_MAX)));
}

// The output-channel render buffers, one pair per thread: 1.5 MB that each conversion would
// otherwise allocate and initialise afresh, however small its show.
struct RenderBuffers
{
    std::unique_ptr<LFrameOutPoint[]> points = std::make_unique<LFrameOutPoint[]>(kRenderCapacity);
    std::unique_ptr<LFrameImageEntry[]> imageEntries = std::make_unique<LFrameImageEntry[]>(kImageEntryCapacity);
};

RenderBuffers& ThreadRenderBuffers()
{
    thread_local RenderBuffers buffers;
    return buffers;
}

bool FileExists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0;
}

// One run of the converter: its streams, buffers and progress.
class ShowConversion
{
  public:
    explicit ShowConversion(const ShowConvertOptions& options);
    CError Run();

  private:
    CError CreatingError() const;
    bool Report(const char* text, float fraction);
    CError SetUp();
    CError TakeSound();
    CError RemoveDuplicates();
    CError ReduceFrameRate();
    CError BuildCodecTables();
    CError Merge();
    CError CopySound(LOggVorbisStream& decoder, int64_t frameTime, bool hasFrame);
    void MarkOutputChannels(int32_t channel, const LFrame& frame);
    int32_t NextChannel() const;
    int32_t FramesInShow() const;

    const ShowConvertOptions& options_;
    XAString outputPath_;
    ShowConvertReporter reporter_;
    bool aborted_ = false;

    LLaserPreviewStream input_;
    LLaserPreviewStream output_;
    LLaserPreviewStream soundStream_;
    LLaserPreviewStream* soundSource_ = &input_;
    LTmpFile outputTmp_;
    LTmpFile soundTmp_;

    std::unique_ptr<LFrame> frame_;
    std::unique_ptr<LFrame> previous_;
    LFrameOutPoint* points_ = nullptr;
    LFrameImageEntry* imageEntries_ = nullptr;
    std::array<int32_t, ShowFile::kStreamChannels> cursors_ = {};
    std::array<char, kSoundStepBytes> soundBuffer_ = {};
    int32_t soundCopied_ = 0;
    int32_t framesWritten_ = 0;
    bool sorted_ = true;
};

ShowConversion::ShowConversion(const ShowConvertOptions& options)
    : options_(options), outputPath_(options.outputPath.IsEmpty() ? options.inputPath : options.outputPath),
      reporter_(options.progress, 0.0f, 0.0f)
{
}

CError ShowConversion::CreatingError() const
{
    if (aborted_)
        return CError::CErrorFromText(kConvertAbortedText, 0);
    return CError::CErrorFromText(XAString::Format(kCreatingErrorText, outputPath_), 0);
}

bool ShowConversion::Report(const char* text, float fraction)
{
    if (!reporter_.Phase(text, fraction))
        aborted_ = true;
    return !aborted_;
}

int32_t ShowConversion::FramesInShow() const
{
    int32_t frames = 0;
    for (int32_t c = 0; c < input_.StreamChannelCount(); ++c)
        frames += input_.ChannelIndex(c).Count();
    return std::max(frames, 1);
}

CError ShowConversion::Run()
{
    LLaserPreviewStream::Holder inputHold(input_);
    LLaserPreviewStream::Holder outputHold(output_);
    const int32_t phases = (options_.changeSound ? 1 : 0) + (options_.removeDuplicates ? 1 : 0) +
                           (options_.reduceFrameRate ? 1 : 0);
    CError error = SetUp();
    if (error.Failed())
        return error;
    const bool coded = options_.compress || input_.Codec().HasTables();
    reporter_ =
        ShowConvertReporter(options_.progress, 0.0f, 1.0f / static_cast<float>(phases + (coded ? 1 : 0) + 2));
    if (options_.changeSound && (error = TakeSound()).Failed())
        return error;
    if (options_.removeDuplicates && (error = RemoveDuplicates()).Failed())
        return error;
    if (options_.reduceFrameRate && (error = ReduceFrameRate()).Failed())
        return error;
    if (coded && (error = BuildCodecTables()).Failed())
        return error;
    if ((error = Merge()).Failed())
        return error;
    if (!input_.Close(false))
        return input_.GetError();
    if (!output_.Close(false))
        return output_.GetError();
    if (ReplaceFileWith(outputTmp_.CStr(), outputPath_.CStr()) != 0)
        return CreatingError();
    outputTmp_.Keep();
    ConvertConsole(sorted_ ? "Was sorted!\n"
                           : "Was not sorted! (should not happen unless just recorded...)\n");
    error = MakeShowStreamable(options_.progress, reporter_.Base(), reporter_.Step(), outputPath_.CStr(),
                               nullptr, options_.startValue);
    if (error.Failed())
        return error;
    reporter_.NextPhase();
    if (!Report("Compressing...", reporter_.Base()))
        return CreatingError();
    return CError();
}

CError ShowConversion::SetUp()
{
    if (!Report("Compressing...", 0.0f))
        return CreatingError();
    ConvertConsole("SortFile...\r");
    // The output is only touched by the final rename; an existing one must be writable.
    if (FileExists(outputPath_.CStr())) {
        LArchiveFile probe(outputPath_.CStr(), kArchiveFileAppend, true);
        const CError probed = probe.Status();
        probe.Close();
        if (probed.Failed())
            return probed;
    }
    if (!input_.Open(options_.inputPath.CStr()))
        return input_.GetError();
    input_.HoldPlainData(kHeldInputBytes);
    const XAString folder = FolderOf(outputPath_.CStr());
    if (!outputTmp_.Create(true, folder.CStr(), kTmpExtension))
        return CError::CErrorFromText(kTmpFileErrorText, 0);
    if (options_.startValue) {
        output_.SetStartValueSource(options_.startValue);
        soundStream_.SetStartValueSource(options_.startValue);
    }
    // Created without a close conversion, so that closing it does not start another one.
    if (!output_.Create(outputTmp_.CStr()))
        return output_.GetError();
    output_.SetTimes(input_.FirstTime(), input_.LastTime());
    output_.ShareOutputParameters(input_);
    if (!options_.dropBitmaps)
        output_.CopyBitmaps(input_);
    for (const LLaserPreviewBitmap& bitmap : options_.bitmapsToAdd) {
        if (!Report(XAString::Format("Adding bitmap '%s'...", bitmap.Name()).CStr(), 0.0f))
            return CreatingError();
        if (!output_.AddBitmap(bitmap, -1))
            return CreatingError();
    }
    for (int32_t slot = 0; slot < ShowFile::kUserDataBlocks; ++slot) {
        const bool given = slot < options_.userDataSlots;
        const bool deleted = given && options_.deleteUserData[slot];
        if (given && !options_.newUserData[slot].IsEmpty() && !deleted)
            output_.SetUserData(slot, options_.newUserData[slot]);
        else if (!input_.UserData(slot).IsEmpty() && !options_.dropUserData && !deleted)
            output_.SetUserData(slot, input_.UserData(slot));
    }
    // Every read sets a frame's count and the words up to it, and nothing reads past it.
    frame_ = std::make_unique_for_overwrite<LFrame>();
    previous_ = std::make_unique_for_overwrite<LFrame>();
    return CError();
}

CError ShowConversion::TakeSound()
{
    const XAString folder = FolderOf(outputPath_.CStr());
    if (!soundTmp_.Create(true, folder.CStr(), kTmpExtension))
        return CError::CErrorFromText(kTmpFileErrorText, 0);
    if (!soundStream_.Create(soundTmp_.CStr()))
        return soundStream_.GetError();
    if (!options_.newSoundFile.IsEmpty()) {
        if (!Report("Compressing (audio)...", 0.0f))
            return CreatingError();
        if (!soundStream_.AddSoundFile(options_.newSoundFile.CStr()))
            return CreatingError();
    }
    if (!soundStream_.Close(false) || !soundStream_.Open(soundTmp_.CStr()))
        return soundStream_.GetError();
    soundStream_.HoldPlainData(kHeldInputBytes);
    soundSource_ = &soundStream_;
    reporter_.NextPhase();
    if (!Report("Compressing (audio)...", reporter_.Base()))
        return CreatingError();
    return CError();
}

// Each channel is filtered in one pass: a long recording may drop most of its entries.
CError ShowConversion::RemoveDuplicates()
{
    int32_t removed = 0;
    int32_t kept = 0;
    bool failed = false;
    for (int32_t c = 0; c < input_.StreamChannelCount() && !failed; ++c) {
        const ShowIndexArray& index = input_.ChannelIndex(c);
        input_.FilterChannelIndex(c, [&](int32_t i, const ShowIndexEntry* lastKept) {
            const float share = static_cast<float>(kept) / static_cast<float>(FramesInShow());
            const int64_t time = index[i].time;
            if (!reporter_.Loop("Compressing (remdup)...", share, [&] {
                    return XAString::Format("Removing duplicates (%d) at Ch%d %s...\r", removed, c,
                                            TimecodeOf(time));
                })) {
                aborted_ = failed = true;
                return ShowIndexArray::Pass::kStop;
            }
            if (!input_.ReadFrameRecord(index[i].position, *frame_)) {
                failed = true;
                return ShowIndexArray::Pass::kStop;
            }
            if (lastKept != nullptr && frame_->Equals(*previous_)) {
                ++removed;
                return ShowIndexArray::Pass::kDrop;
            }
            std::swap(frame_, previous_);
            ++kept;
            return ShowIndexArray::Pass::kKeep;
        });
    }
    if (failed)
        return CreatingError();
    reporter_.EndLoop();
    reporter_.NextPhase();
    if (!Report("Compressing (remdup)...", reporter_.Base()))
        return CreatingError();
    return CError();
}

// An entry goes when the next one follows the last kept within the spacing; the first and the
// last entry of a channel stay.
CError ShowConversion::ReduceFrameRate()
{
    const int64_t spacing = options_.frameRateLimit <= kLowestFrameRate
                                ? kLowestRateSpacingUs
                                : static_cast<int64_t>(kMicrosecondsPerSecond / options_.frameRateLimit);
    int32_t removed = 0;
    int32_t visited = 0;
    bool failed = false;
    for (int32_t c = 0; c < input_.StreamChannelCount() && !failed; ++c) {
        const ShowIndexArray& index = input_.ChannelIndex(c);
        const int32_t count = index.Count();
        input_.FilterChannelIndex(c, [&](int32_t i, const ShowIndexEntry* lastKept) {
            if (lastKept == nullptr || i + 1 >= count)
                return ShowIndexArray::Pass::kKeep;
            const float share = static_cast<float>(visited) / static_cast<float>(FramesInShow());
            const int64_t time = index[i].time;
            if (!reporter_.Loop("Compressing (reduce fps)...", share, [&] {
                    return XAString::Format("Reducing fps (%d) at Ch%d %s...\r", removed, c,
                                            TimecodeOf(time));
                })) {
                aborted_ = failed = true;
                return ShowIndexArray::Pass::kStop;
            }
            if (SaturatingSub(index[i + 1].time, lastKept->time) <= spacing) {
                ++removed;
                return ShowIndexArray::Pass::kDrop;
            }
            ++visited;
            return ShowIndexArray::Pass::kKeep;
        });
    }
    if (failed)
        return CreatingError();
    reporter_.EndLoop();
    reporter_.NextPhase();
    if (!Report("Compressing (reduce fps)...", reporter_.Base()))
        return CreatingError();
    return CError();
}

CError ShowConversion::BuildCodecTables()
{
    LFrameCodec& codec = output_.Codec();
    if (options_.compress)
        codec.SetQuality(options_.quality);
    else
        codec.CopyWidths(input_.Codec());
    if (!codec.SetRanges())
        return CreatingError();
    int32_t counted = 0;
    for (int32_t c = 0; c < input_.StreamChannelCount(); ++c) {
        const ShowIndexArray& index = input_.ChannelIndex(c);
        for (int32_t i = 0; i < index.Count(); ++i, ++counted) {
            const float share = static_cast<float>(counted) / static_cast<float>(FramesInShow());
            const int64_t time = index[i].time;
            if (!reporter_.Loop("Compressing (pass1)...", share, [&] {
                    return XAString::Format("Compression Pass 1 at Ch%d %s...\r", c, TimecodeOf(time));
                })) {
                aborted_ = true;
                return CreatingError();
            }
            if (!input_.ReadFrameRecord(index[i].position, *frame_))
                return CreatingError();
            frame_->HuffEncode(codec, nullptr);
        }
    }
    reporter_.EndLoop();
    if (!codec.BuildTables())
        return CreatingError();
    reporter_.NextPhase();
    if (!Report("Compressing (pass1)...", reporter_.Base()))
        return CreatingError();
    return CError();
}

// The channel whose next entry comes first: earliest time, then lowest position, then channel.
int32_t ShowConversion::NextChannel() const
{
    int32_t best = -1;
    for (int32_t c = 0; c < input_.StreamChannelCount(); ++c) {
        const ShowIndexArray& index = input_.ChannelIndex(c);
        if (cursors_[c] >= index.Count())
            continue;
        if (best < 0) {
            best = c;
            continue;
        }
        const ShowIndexEntry& entry = index[cursors_[c]];
        const ShowIndexEntry& current = input_.ChannelIndex(best)[cursors_[best]];
        if (entry.time < current.time || (entry.time == current.time && entry.position < current.position))
            best = c;
    }
    return best;
}

// The decoder reads on until its play time runs kSoundLeadUs ahead of the frame; the sound bytes
// it consumed so far are then copied, with an offset of their own.
CError ShowConversion::CopySound(LOggVorbisStream& decoder, int64_t frameTime, bool hasFrame)
{
    const int32_t total = soundSource_->TotalSoundBytes();
    if (hasFrame) {
        bool changed = false;
        while (decoder.IsOpen()) {
            const int64_t played = decoder.TellTime();
            if (played >= 0 &&
                SaturatingAdd(played, soundSource_->FirstTime()) > SaturatingAdd(frameTime, kSoundLeadUs))
                break;
            if (decoder.Read(soundBuffer_.data(), kSoundStepBytes, changed) <= 0)
                break;
        }
    }
    const int64_t until = hasFrame ? std::min<int64_t>(total, soundSource_->AudioTell()) : total;
    while (soundCopied_ < until) {
        const int32_t n = std::min(kSoundStepBytes, total - soundCopied_);
        if (soundSource_->ReadSound(soundCopied_, soundBuffer_.data(), n) != n ||
            !output_.AddSound(soundCopied_, soundBuffer_.data(), n))
            return CreatingError();
        soundCopied_ += n;
    }
    return CError();
}

void ShowConversion::MarkOutputChannels(int32_t channel, const LFrame& frame)
{
    const int32_t server = input_.ChannelServer(channel);
    if (server < 0 || server >= ShowFile::kServers)
        return;
    if (!output_.OutputPresence(server))
        return;
    const auto mark = [this, server](int32_t unit, int32_t sub) { output_.MarkOutputPresence(server, unit, sub); };
    const int32_t points = frame.Render(points_, kRenderCapacity, nullptr, false, false, 1.0f, 1.0f,
                                        1.0f, 1.0f, kRenderOversampling);
    for (int32_t i = 0; i < points; ++i)
        mark(points_[i].channel, points_[i].subChannel);
    const int32_t entries = frame.GetImageEntries(imageEntries_, kImageEntryCapacity);
    for (int32_t i = 0; i < entries; ++i)
        mark(imageEntries_[i].channel, imageEntries_[i].subChannel);
}

CError ShowConversion::Merge()
{
    output_.ClearOutputPresence();
    points_ = ThreadRenderBuffers().points.get();
    imageEntries_ = ThreadRenderBuffers().imageEntries.get();
    LOggVorbisStream decoder;
    const int32_t totalSound = soundSource_->TotalSoundBytes();
    if (totalSound > 0 && !decoder.Open(soundSource_))
        return CreatingError();
    const int32_t frames = FramesInShow();
    int64_t previousTime = std::numeric_limits<int64_t>::min();
    int32_t previousPosition = -1;
    for (;;) {
        const float soundShare = totalSound > 0 ? static_cast<float>(soundCopied_) / totalSound : 1.0f;
        const float share = std::min(soundShare, static_cast<float>(framesWritten_) / frames);
        if (!reporter_.Loop("Compressing (pass2)...", share, [] { return XAString(); })) {
            aborted_ = true;
            return CreatingError();
        }
        const int32_t channel = NextChannel();
        const ShowIndexEntry entry =
            channel >= 0 ? input_.ChannelIndex(channel)[cursors_[channel]] : ShowIndexEntry{};
        if (soundCopied_ < totalSound) {
            const CError error = CopySound(decoder, entry.time, channel >= 0);
            if (error.Failed())
                return error;
        }
        if (channel < 0)
            break;
        if (entry.time != previousTime && entry.position < previousPosition)
            sorted_ = false;
        previousTime = entry.time;
        previousPosition = entry.position;
        if (!input_.ReadFrameRecord(entry.position, *frame_) ||
            !output_.WriteStreamChannelFrame(channel, input_.ChannelServer(channel), entry.time, *frame_))
            return CreatingError();
        ++cursors_[channel];
        ++framesWritten_;
        MarkOutputChannels(channel, *frame_);
    }
    decoder.Close();
    reporter_.NextPhase();
    if (!Report("Compressing (pass2)...", reporter_.Base()))
        return CreatingError();
    return CError();
}

} // namespace

CError ShowFileConverter(const ShowConvertOptions& options)
{
    ShowConversion conversion(options);
    return conversion.Run();
}

CError ConvertRecording(const XAString& path)
{
    ShowConvertOptions options;
    options.inputPath = path;
    return ShowFileConverter(options);
}
