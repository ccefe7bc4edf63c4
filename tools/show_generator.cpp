#include "tools/show_generator.h"

#include "tools/background_picture.h"
#include "show/chan_out_pars.h"
#include "show/frame.h"
#include "show/frame_commands.h"
#include "show/laser_preview_stream.h"
#include "tools/ogg_vorbis_encoder.h"
#include "show/show_file_converter.h"
#include "tools/show_patterns.h"

#include <cmath>
#include <memory>
#include <unistd.h>

namespace {

constexpr const char* kInvalidOptionsText = "Invalid show generator options!";
constexpr int32_t kMaxChannelsPerServer = ShowFile::kRecordChannels;
constexpr int32_t kHeaderUnits = LChanOutParsTable::kChannels;
// Frame codec qualities.
constexpr int32_t kLowestQuality = 0;
constexpr int32_t kBestQuality = 100;
constexpr double kMicrosecondsPerSecond = 1000000.0;
constexpr float kScanRate = 30000.0f;
constexpr float kShutterTime = 0.5f;
// Sequence numbers run 1..65535; 0 would reset the count.
constexpr uint32_t kSequenceMask = 0xFFFF;
// A FILETIME in 2023; the seed moves it, so that every seed enciphers differently.
constexpr uint64_t kStartValueBase = 0x01D9A00000000000;
constexpr uint64_t kStartValuePerSeed = 0x100000001;
// Notes of the sound track change twice a second.
constexpr double kNotesPerSecond = 2.0;
constexpr double kLowestNoteHz = 220.0;
constexpr int32_t kNoteSteps = 12;
constexpr int32_t kSoundSerial = 1;
// Numbered frames come every 10 ms; the frame builder cuts coordinates to whole steps of its
// full deflection, so a point in the middle of a step lands on that step.
constexpr double kNumberedFramesPerSecond = 100.0;
constexpr double kFullDeflection = 32767.0;
constexpr double kMidStep = 0.5;
constexpr int32_t kNumberedPoints = 8;
constexpr int32_t kRawSoundChannels = 2;
constexpr int32_t kRawBytesPerFrame = 4;
constexpr int32_t kPictureWidth = 64;
constexpr int32_t kPictureHeight = 48;
// Size, position and intensity as the preview's picture loader gives them.
constexpr LLaserPreviewBitmap::Parameters kPictureParameters = {1.0f, 1.0f, 0.0f, 0.0f, 1.0f};

// The recording's own console lines would follow the show's clock, one every third of a second
// of show, and flood the console of a generator that records an hour in seconds.
class QuietRecording : public LShowRecordProgress
{
  public:
    void OnRecordProgress(int64_t, int32_t, int32_t, int32_t, int32_t) override {}
};

// splitmix64: small, and the same on every platform.
class SeededRandom
{
  public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

  private:
    uint64_t state_;
};

bool Valid(const ShowGeneratorOptions& o)
{
    return o.servers >= 1 && o.servers <= ShowFile::kServers && o.channelsPerServer >= 1 &&
           o.channelsPerServer <= kMaxChannelsPerServer &&
           o.servers * o.channelsPerServer <= ShowFile::kStreamChannels && o.durationUs > 0 &&
           o.framesPerSecond > 0.0 && o.pointsPerFrame > 0 && o.startTimeUs >= 0 && o.soundRate > 0 &&
           o.soundChannels >= 1 && o.soundChannels <= 2 && o.truncateBytes >= 0 && o.blankingPeriodS >= 0 &&
           o.bitmaps >= 0 && o.bitmaps <= ShowFile::kBitmapSlots && o.quality >= kLowestQuality &&
           o.quality <= kBestQuality &&
           (!o.rawSound || (o.soundChannels == kRawSoundChannels && o.form != ShowForm::kCoded &&
                            o.form != ShowForm::kTruncated));
}

LArchiveCrypt::StartValueSource StartValueFor(uint32_t seed)
{
    return [seed] { return kStartValueBase + seed * kStartValuePerSeed; };
}

// A tune of sine notes picked by the seed, one note per half second and channel.
std::vector<uint8_t> MakeSound(const ShowGeneratorOptions& o, SeededRandom& random)
{
    const int64_t frames = o.durationUs * o.soundRate / static_cast<int64_t>(kMicrosecondsPerSecond);
    const int64_t notes =
        static_cast<int64_t>(std::ceil(o.durationUs / kMicrosecondsPerSecond * kNotesPerSecond));
    std::vector<double> pitch(static_cast<size_t>(notes * o.soundChannels));
    for (double& hz : pitch)
        hz = kLowestNoteHz * std::pow(2.0, random.Below(2 * kNoteSteps) / static_cast<double>(kNoteSteps));
    const double framesPerNote = o.soundRate / kNotesPerSecond;
    const int32_t channels = o.soundChannels;
    const int32_t rate = o.soundRate;
    return EncodeOggVorbis(
        channels, rate, frames,
        [&](int channel, int64_t frame) {
            const auto note = static_cast<size_t>(frame / framesPerNote);
            const double hz = pitch[std::min(note * channels + channel, pitch.size() - 1)];
            return static_cast<float>(0.3 * std::sin(2 * std::numbers::pi * hz * frame / rate));
        },
        kSoundSerial);
}

// Sample frame k holds k + 1, so silence (0) is never a frame of the track.
std::vector<uint8_t> MakeRawSound(const ShowGeneratorOptions& o)
{
    const int64_t frames = o.durationUs * o.soundRate / static_cast<int64_t>(kMicrosecondsPerSecond);
    std::vector<uint8_t> bytes(static_cast<size_t>(frames * kRawBytesPerFrame));
    for (int64_t k = 0; k < frames; ++k) {
        const auto value = static_cast<uint32_t>(k + 1);
        for (int32_t b = 0; b < kRawBytesPerFrame; ++b)
            bytes[static_cast<size_t>(k * kRawBytesPerFrame + b)] = static_cast<uint8_t>(value >> (8 * b));
    }
    return bytes;
}

// Frame n starts at laser X = n and runs right in a short lit line.
void MakeNumberedPoints(int64_t n, LPic& out)
{
    out.SetCount(0);
    for (int32_t i = 0; i < kNumberedPoints; ++i) {
        LPicEntry entry;
        entry.x = (static_cast<double>(n + i) + kMidStep) / kFullDeflection;
        entry.color.red = entry.color.green = entry.color.blue = 255;
        entry.blank = i == 0 ? 1 : 0;
        out.Append(entry);
    }
}

bool AddSound(LLaserPreviewStream& stream, const ShowGeneratorOptions& o, SeededRandom& random)
{
    const std::vector<uint8_t> sound = o.rawSound ? MakeRawSound(o) : MakeSound(o, random);
    return stream.AddSound(0, sound.data(), static_cast<int32_t>(sound.size()));
}

void SendParameters(LLaserPreviewStream& stream, const ShowGeneratorOptions& o)
{
    for (int32_t server = 0; server < o.servers; ++server) {
        for (int32_t channel = 0; channel < o.channelsPerServer; ++channel) {
            LChanOutParsPair pair(true);
            if (o.stillCircle) {
                stream.OnParameterRecord(server, channel % kHeaderUnits, channel / kHeaderUnits, pair);
                continue;
            }
            pair.records[0].sizeX = 0.6f + 0.1f * static_cast<float>(channel % kHeaderUnits);
            pair.records[0].sizeY = pair.records[0].sizeX;
            pair.records[0].positionX = 0.1f * static_cast<float>(server);
            stream.OnParameterRecord(server, channel % kHeaderUnits, channel / kHeaderUnits, pair);
        }
    }
}

// Channels go dark for the first half of one second in each blanking period, each at its own.
bool IsDark(const ShowGeneratorOptions& o, int32_t streamIndex, int64_t elapsedUs)
{
    if (o.blankingPeriodS == 0)
        return false;
    const int64_t second = elapsedUs / static_cast<int64_t>(kMicrosecondsPerSecond);
    const int64_t withinSecond = elapsedUs % static_cast<int64_t>(kMicrosecondsPerSecond);
    return (second + streamIndex) % o.blankingPeriodS == o.blankingPeriodS - 1 &&
           withinSecond < static_cast<int64_t>(kMicrosecondsPerSecond / 2);
}

bool RecordFrames(LLaserPreviewStream& stream, const ShowGeneratorOptions& o, SeededRandom& random,
                  int64_t& clock)
{
    const int32_t channels = o.servers * o.channelsPerServer;
    std::vector<uint32_t> variants(static_cast<size_t>(channels));
    for (uint32_t& v : variants)
        v = static_cast<uint32_t>(random.Next());
    const uint32_t patternShift = random.Below(static_cast<uint32_t>(ShowPattern::kCount));
    const double framesPerSecond = o.numbered ? kNumberedFramesPerSecond : o.framesPerSecond;
    const auto frames = static_cast<int64_t>(o.durationUs / kMicrosecondsPerSecond * framesPerSecond);
    auto frame = std::make_unique<LFrame>();
    LPic points;
    for (int64_t k = 0; k < frames; ++k) {
        const int64_t elapsed =
            static_cast<int64_t>(std::llround(k * kMicrosecondsPerSecond / framesPerSecond));
        const double seconds = elapsed / kMicrosecondsPerSecond;
        const auto sequence = static_cast<int32_t>(k % kSequenceMask + 1);
        clock = elapsed;
        for (int32_t index = 0; index < channels; ++index) {
            const int32_t server = index / o.channelsPerServer;
            const int32_t channel = index % o.channelsPerServer;
            if (!o.numbered && IsDark(o, index, elapsed)) {
                // A dark channel gets a NIL entry at the time a frame would have, in whole ticks.
                const int64_t time =
                    (o.startTimeUs + elapsed) / kTimeTickMicroseconds * kTimeTickMicroseconds;
                LLaserPreviewStream::Holder hold(stream);
                stream.WriteFrame(server, channel, time, nullptr, sequence, sequence);
                continue;
            }
            const auto pattern =
                static_cast<ShowPattern>((index + patternShift) % static_cast<uint32_t>(ShowPattern::kCount));
            if (o.stillCircle)
                MakeStillCirclePoints(o.pointsPerFrame, points);
            else if (o.numbered)
                MakeNumberedPoints(k, points);
            else
                MakePatternPoints(pattern, seconds, variants[static_cast<size_t>(index)], o.pointsPerFrame,
                                  points);
            frame->Init();
            frame->BuildFromPoints(points, o.startTimeUs + elapsed, kScanRate, 0, kShutterTime, kShutterTime,
                                   channel % kHeaderUnits, channel / kHeaderUnits);
            if (!stream.OnFrame(server, channel, frame.get(), sequence, sequence))
                return false;
        }
    }
    return true;
}

CError Record(const char* path, const ShowGeneratorOptions& o)
{
    SeededRandom random(o.seed);
    // The recording's real-time clock follows the show, so that nothing depends on the machine.
    int64_t clock = 0;
    QuietRecording quiet;
    LLaserPreviewStream stream;
    stream.SetStartValueSource(StartValueFor(o.seed));
    stream.SetClockSource([&clock] { return clock; });
    if (!stream.Create(path))
        return stream.GetError();
    // Set after Create, which starts the stream afresh.
    stream.SetRecordProgress(&quiet, 0);
    SendParameters(stream, o);
    for (int32_t slot = 0; slot < o.bitmaps; ++slot) {
        const XAString file =
            MakeBackgroundBmp(o.seed + static_cast<uint32_t>(slot), kPictureWidth, kPictureHeight);
        LLaserPreviewBitmap bitmap;
        const CError loaded =
            bitmap.Load(XAString::Format("background%d.bmp", slot).CStr(), &file, kPictureParameters);
        if (loaded.Failed())
            return loaded;
        stream.AddBitmap(bitmap, slot);
    }
    if (o.userData)
        stream.SetUserData(1, XAString::Format("Generated show, seed %d", static_cast<int32_t>(o.seed)));
    if (o.sound && !o.soundAfterFrames && !AddSound(stream, o, random))
        return stream.GetError();
    if (!RecordFrames(stream, o, random, clock)) {
        stream.Close(true);
        return stream.GetError();
    }
    if (o.sound && o.soundAfterFrames && !AddSound(stream, o, random))
        return stream.GetError();
    if (!stream.Close(o.form == ShowForm::kAborted))
        return stream.GetError();
    return CError();
}

CError Truncate(const char* path, int32_t bytes)
{
    LArchiveFile file(path, kArchiveFileRead, true);
    const int32_t size = file.GetFileSize();
    file.Close();
    const int32_t keep = bytes > 0 ? std::min(bytes, size) : size / 2;
    if (truncate(path, keep) != 0)
        return CError::CErrorFromLastError();
    return CError();
}

} // namespace

CError GenerateShow(const char* path, const ShowGeneratorOptions& options)
{
    if (!Valid(options))
        return CError::CErrorFromText(kInvalidOptionsText, 0);
    CError error = Record(path, options);
    if (error.Failed())
        return error;
    switch (options.form) {
    case ShowForm::kStreamable:
        return MakeShowStreamable(nullptr, 0.0f, 1.0f, path, nullptr, StartValueFor(options.seed));
    case ShowForm::kCoded:
    case ShowForm::kTruncated: {
        ShowConvertOptions convert;
        convert.inputPath = path;
        convert.compress = true;
        convert.quality = options.quality;
        convert.removeDuplicates = options.removeDuplicates;
        convert.startValue = StartValueFor(options.seed);
        error = ShowFileConverter(convert);
        if (error.Failed() || options.form == ShowForm::kCoded)
            return error;
        return Truncate(path, options.truncateBytes);
    }
    default:
        return CError();
    }
}
