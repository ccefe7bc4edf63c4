// Recording a show: frames, output parameters, sound, bitmaps and user data arrive in any order;
// records and index entries are appended as they come, and the index is written at the end.

#include "show/laser_preview_stream.h"

#include "foundation/archives/bit_archive.h"
#include "show/frame.h"
#include "foundation/strings/saturating_int.h"
#include "foundation/text/timecode.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace {

// Header part 2: its version block (two one-byte counts) and five positions.
constexpr int32_t kHeaderPart2Bytes = 2 + 5 * 4;
// A frame more than this much earlier than the last one starts a new take: its channels are
// mapped afresh.
constexpr int64_t kNewTakeJumpUs = 2000000;
constexpr uint32_t kSequenceMask = 0xFFFF;
// Console progress at most about three times a second.
constexpr int64_t kConsoleIntervalUs = 330000;
constexpr int64_t kMicrosecondsPerCentisecond = 10000;
// Timecode frames of the progress texts.
constexpr int64_t kTimecodeFrameUs = 40000;
// A word count right-aligned in this many places.
constexpr int32_t kWordCountWidth = 5;
constexpr int32_t kKilobyte = 1024;
// Plain frame words are turned big-endian this many at a time.
constexpr int32_t kWordsPerWrite = 1024;

bool InRange(int32_t value, int32_t count)
{
    return value >= 0 && value < count;
}

const char* TimecodeOf(int64_t time)
{
    return TimecodeText(static_cast<int32_t>(std::clamp<int64_t>(time / kTimecodeFrameUs, -1, INT32_MAX)));
}

void Console(const XAString& text)
{
    std::fputs(text.CStr(), stderr);
}

} // namespace

bool LLaserPreviewStream::Create(const char* path)
{
    LMutexLocker locker(lock_);
    Close(false);
    file_.Open(path, kArchiveFileCreate);
    if (CreateFile(file_, path))
        return true;
    Close(true);
    return false;
}

bool LLaserPreviewStream::CreateFile(LArchiveBase& raw, const char* name)
{
    LMutexLocker locker(lock_);
    raw.WriteBlock(ShowFile::kMagic, sizeof ShowFile::kMagic);
    raw.WriteVersion(ShowFile::kPrefixVersion, ShowFile::kPrefixOldestReader);
    raw.WriteCString("");
    raw.WriteCounted(nullptr, 0);
    raw.Flush();
    if (!crypt_.Attach(raw, false))
        return false;
    name_ = name;
    firstTime_ = lastTime_ = startTime_;
    prefixVersion_ = ShowFile::kPrefixVersion;
    indexPosition_ = indexEnd_ = dataEnd_ = fileEnd_ = 0;
    headerPart1Position_ = crypt_.Tell();
    WriteHeaderPart1();
    headerPart2Position_ = crypt_.Tell();
    bodyStart_ = dataStart_ = headerPart2Position_ + kHeaderPart2Bytes;
    WriteHeaderPart2();
    return !crypt_.HasError();
}

void LLaserPreviewStream::WriteHeaderPart1()
{
    crypt_.WriteI32(indexPosition_);
    crypt_.WriteI64(firstTime_);
    crypt_.WriteI64(lastTime_);
}

void LLaserPreviewStream::WriteHeaderPart2()
{
    crypt_.WriteVersion(ShowFile::kHeaderVersion, AnyUserData() ? ShowFile::kHeaderOldestReaderUserData
                                                                : ShowFile::kHeaderOldestReaderPlain);
    crypt_.WriteI32(bodyStart_);
    crypt_.WriteI32(indexEnd_);
    crypt_.WriteI32(dataStart_);
    crypt_.WriteI32(dataEnd_);
    crypt_.WriteI32(fileEnd_);
}

bool LLaserPreviewStream::AnyUserData() const
{
    return std::any_of(userData_.begin(), userData_.end(), [](const XAString& s) { return !s.IsEmpty(); });
}

void LLaserPreviewStream::ResetChannel(int32_t server)
{
    LMutexLocker locker(lock_);
    if (InRange(server, ShowFile::kServers))
        lastSequence_[server].fill(0);
}

bool LLaserPreviewStream::OnParameterRecord(int32_t server, int32_t channel, int32_t subChannel,
                                            const LChanOutParsPair& pair)
{
    LMutexLocker locker(lock_);
    return StoreParameterRecord(server, channel, subChannel, pair);
}

bool LLaserPreviewStream::OnFrame(int32_t server, int32_t channel, const LFrame* frame, int32_t sequence1,
                                  int32_t sequence2)
{
    LMutexLocker locker(lock_);
    return AddFrame(server, channel + channelOffset_, frame, sequence1, sequence2);
}

bool LLaserPreviewStream::AddFrame(int32_t server, int32_t channel, const LFrame* frame, int32_t sequence1,
                                   int32_t sequence2)
{
    LMutexLocker locker(lock_);
    if (!IsRecording())
        return false;
    const uint32_t now = NowLow();
    LFrameStats stats;
    if (frame)
        frame->GetStats(stats);
    int64_t time;
    if (frame && stats.timeSeen) {
        if (stats.firstTime < 0 || stats.lastTime < stats.firstTime)
            return false;
        if (!timesFixed_) {
            if (imageCount_ == 0) {
                firstTime_ = stats.firstTime;
                lastTime_ = stats.lastTime;
            } else if (stats.firstTime < firstTime_) {
                firstTime_ = stats.firstTime;
            } else if (stats.firstTime > lastTime_) {
                lastTime_ = stats.firstTime;
            }
        }
        recordClock_.Set(stats.lastTime, LTimeRamp::kRealTime, now);
        time = stats.firstTime;
    } else {
        // Frames without a time of their own run on the recording clock, which starts at the
        // show's start time.
        if (!recordClock_.IsValid())
            recordClock_.Set(startTime_, LTimeRamp::kRealTime, now);
        recordClock_.Advance(now);
        time = recordClock_.value;
        if (!timesFixed_ && time > lastTime_)
            lastTime_ = time;
    }
    return WriteFrame(server, channel, time, frame, sequence1, sequence2);
}

void LLaserPreviewStream::CountSequence(int32_t server, int32_t channel, int32_t sequence)
{
    int32_t& last = lastSequence_[server][channel];
    if (sequence == 0) {
        last = 0;
        return;
    }
    if (last != 0 && last != sequence)
        skippedFrames_ += static_cast<int32_t>((static_cast<uint32_t>(sequence) - last - 1) & kSequenceMask);
    last = sequence;
}

bool LLaserPreviewStream::WriteFrame(int32_t server, int32_t channel, int64_t time, const LFrame* frame,
                                     int32_t sequence1, int32_t sequence2)
{
    LMutexLocker locker(lock_);
    if (!InRange(server, ShowFile::kServers) || !InRange(channel, ShowFile::kRecordChannels) ||
        !IsRecording())
        return false;
    const bool hasPicture = frame && frame->count > 0;
    if (hasPicture) {
        if (time < SaturatingSub(lastFrameTime_, kNewTakeJumpUs))
            ClearChannelMap();
        lastFrameTime_ = time;
    }
    CountSequence(server, channel, sequence2);
    int32_t streamChannel;
    if (hasPicture) {
        streamChannel = AllocateChannel(server, channel);
        if (streamChannel == kNoChannel)
            return false;
        if (AddImageEntry(streamChannel, time, false))
            WriteFrameRecord(*frame);
    } else {
        streamChannel = LookupChannel(server, channel);
        if (streamChannel == kNoChannel || channels_[streamChannel].index.IsEmpty())
            return true;
        if (AddImageEntry(streamChannel, time, true))
            WriteNilRecord();
    }
    ++imageCount_;
    ReportFrameProgress(server, channel, streamChannel, time, hasPicture ? frame : nullptr);
    return !crypt_.HasError();
}

bool LLaserPreviewStream::WriteStreamChannelFrame(int32_t streamChannel, int32_t server, int64_t time,
                                                  const LFrame& frame)
{
    LMutexLocker locker(lock_);
    if (!InRange(streamChannel, ShowFile::kStreamChannels) || !IsRecording())
        return false;
    channels_[streamChannel].server = server;
    streamChannelCount_ = std::max(streamChannelCount_, streamChannel + 1);
    if (frame.count > 0) {
        if (AddImageEntry(streamChannel, time, false))
            WriteFrameRecord(frame);
    } else {
        if (channels_[streamChannel].index.IsEmpty())
            return true;
        if (AddImageEntry(streamChannel, time, true))
            WriteNilRecord();
    }
    ++imageCount_;
    return !crypt_.HasError();
}

void LLaserPreviewStream::WriteFrameRecord(const LFrame& frame)
{
    if (codec_.HasTables()) {
        crypt_.WriteCount(ShowFile::kRecordCodedFrame);
        LBitLArchive bits(&crypt_);
        frame.HuffEncode(codec_, &bits);
        bits.Flush();
        return;
    }
    const int32_t count = frame.ValidCount();
    crypt_.WriteCount(ShowFile::kRecordPlainFrame);
    crypt_.WriteCount(count);
    uint32_t stored[kWordsPerWrite];
    for (int32_t done = 0; done < count;) {
        const int32_t n = std::min(count - done, kWordsPerWrite);
        for (int32_t i = 0; i < n; ++i) {
            const uint32_t word = frame.words[done + i];
            stored[i] = std::endian::native == std::endian::little ? __builtin_bswap32(word) : word;
        }
        crypt_.WriteBlock(stored, n * static_cast<int32_t>(sizeof stored[0]));
        done += n;
    }
}

void LLaserPreviewStream::WriteNilRecord()
{
    crypt_.WriteCount(ShowFile::kRecordNilFrame);
}

bool LLaserPreviewStream::AddImageEntry(int32_t streamChannel, int64_t time, bool nil)
{
    LMutexLocker locker(lock_);
    if (streamChannel < 0 || streamChannel >= streamChannelCount_)
        return false;
    StreamChannel& channel = channels_[streamChannel];
    const int32_t position = crypt_.Tell();
    if (!channel.index.IsEmpty() && time <= channel.index.Last().time) {
        if (nil)
            return false;
        // The newer frame wins; the older record stays in the file unreferenced.
        channel.index.Last() = ShowIndexEntry{position, time};
        channel.lastIsNil = false;
        return true;
    }
    if (!channel.index.Append(position, time))
        crypt_.Status().SetError(kArchiveOutOfMemoryText, 0);
    channel.lastIsNil = nil;
    return true;
}

void LLaserPreviewStream::ReportFrameProgress(int32_t server, int32_t channel, int32_t streamChannel,
                                              int64_t time, const LFrame* frame)
{
    const int64_t now = clock_();
    const int32_t position = crypt_.Tell();
    if (recordProgress_) {
        if ((now - lastRecordProgressUs_) / kMicrosecondsPerCentisecond < recordProgressIntervalCs_)
            return;
        lastRecordProgressUs_ = now;
        recordProgress_->OnRecordProgress(time, streamChannelCount_, imageCount_, skippedFrames_, position);
        return;
    }
    if (now - lastConsoleTimeUs_ <= kConsoleIntervalUs)
        return;
    lastConsoleTimeUs_ = now;
    if (frame) {
        Console(XAString::Format("%s D%i Srv%d Ch%d ICh%d, Images: %k (%k), A: %kK, F: %kK \r",
                                 TimecodeOf(time), frame->count, kWordCountWidth, server, channel,
                                 streamChannel, imageCount_, skippedFrames_, totalSoundBytes_ / kKilobyte,
                                 position / kKilobyte));
    } else {
        Console(XAString::Format("%s NIL (srv%d, ch%d, ich%d), Images: %k (%k), File: %k   \r",
                                 TimecodeOf(time), server, channel, streamChannel, imageCount_,
                                 skippedFrames_, position / kKilobyte));
    }
}

bool LLaserPreviewStream::StoreParameterRecord(int32_t server, int32_t channel, int32_t subChannel,
                                               const LChanOutParsPair& pair)
{
    LMutexLocker locker(lock_);
    if (!InRange(server, ShowFile::kServers) || !IsRecording())
        return false;
    // Every pair of a server that sent one is stored.
    EnsureServerPars(server, 1);
    if (!servers_[server].table->SetEntry(channel, subChannel, pair))
        return false;
    if (!recordProgress_)
        Console(XAString::Format("%s, Params Srv: %d, Ch: %d, SubCh: %d   \r", TimecodeOf(0), server, channel,
                                 subChannel));
    return true;
}

bool LLaserPreviewStream::AddBitmap(const LLaserPreviewBitmap& bitmap, int32_t slot)
{
    LMutexLocker locker(lock_);
    if (slot < 0) {
        const auto free = std::find_if(bitmaps_.begin(), bitmaps_.end(),
                                       [](const LLaserPreviewBitmap& b) { return b.FileBytes().IsEmpty(); });
        if (free == bitmaps_.end())
            return false;
        slot = static_cast<int32_t>(free - bitmaps_.begin());
    }
    if (slot >= ShowFile::kBitmapSlots)
        return false;
    bitmaps_[slot] = bitmap;
    bitmapCount_ = std::max(bitmapCount_, slot + 1);
    return true;
}

bool LLaserPreviewStream::SetUserData(int32_t block, const XAString& bytes)
{
    LMutexLocker locker(lock_);
    if (!InRange(block, ShowFile::kUserDataBlocks))
        return false;
    userData_[block] = bytes;
    return true;
}

bool LLaserPreviewStream::AddSound(int32_t offset, const void* bytes, int32_t length)
{
    LMutexLocker locker(lock_);
    if (!IsRecording() || offset < 0 || length < 0)
        return false;
    totalSoundBytes_ = static_cast<int32_t>(
        std::min<int64_t>(std::max<int64_t>(totalSoundBytes_, int64_t{offset} + length), INT32_MAX));
    availableSoundBytes_ = totalSoundBytes_;
    const auto* source = static_cast<const uint8_t*>(bytes);
    for (int32_t done = 0; done < length && !crypt_.HasError();) {
        const int32_t piece = std::min(length - done, ShowFile::kSoundChunkBytes);
        if (!soundIndex_.Append(crypt_.Tell(), int64_t{offset} + done))
            crypt_.Status().SetError(kArchiveOutOfMemoryText, 0);
        crypt_.WriteCount(ShowFile::kRecordSound);
        crypt_.WriteCount(offset + done);
        crypt_.WriteCounted(source + done, piece);
        done += piece;
    }
    return !crypt_.HasError();
}

bool LLaserPreviewStream::AddSound(const XAString& bytes)
{
    return AddSound(0, bytes.CStr(), bytes.Length());
}

bool LLaserPreviewStream::AddSoundFile(const char* path)
{
    LMutexLocker locker(lock_);
    if (!IsRecording() || totalSoundBytes_ > 0)
        return false;
    const XAString bytes = LoadFileToString(path);
    if (bytes.IsEmpty())
        return false;
    soundOffset_ = 0;
    return AddSound(0, bytes.CStr(), bytes.Length());
}

void LLaserPreviewStream::SetTimes(int64_t first, int64_t last)
{
    LMutexLocker locker(lock_);
    firstTime_ = first;
    lastTime_ = last;
    timesFixed_ = true;
}

bool LLaserPreviewStream::ShiftAllPositions(int32_t delta, int32_t low, int32_t high)
{
    LMutexLocker locker(lock_);
    for (StreamChannel& channel : channels_) {
        if (!channel.index.ShiftPositions(delta, low, high))
            return false;
    }
    return soundIndex_.ShiftPositions(delta, low, high);
}

bool LLaserPreviewStream::FinishRecording()
{
    LMutexLocker locker(lock_);
    for (int32_t c = 0; c < streamChannelCount_; ++c) {
        StreamChannel& channel = channels_[c];
        if (channel.index.IsEmpty() || channel.lastIsNil)
            continue;
        // Times may come from a converted file: they are held at the end of the range.
        if (AddImageEntry(c, SaturatingAdd(channel.index.Last().time, ShowFile::kClosingNilAfterUs), true))
            WriteNilRecord();
    }
    indexPosition_ = crypt_.Tell();
    dataEnd_ = std::max(dataEnd_, indexPosition_);
    return WriteIndex();
}

bool LLaserPreviewStream::WriteIndex()
{
    LMutexLocker locker(lock_);
    crypt_.Seek(indexPosition_);
    WriteIndexRecords();
    indexEnd_ = crypt_.Tell();
    fileEnd_ = std::max(fileEnd_, indexEnd_);
    crypt_.Seek(headerPart1Position_);
    WriteHeaderPart1();
    if (prefixVersion_ >= ShowFile::kHeaderPart2FromVersion) {
        crypt_.Seek(headerPart2Position_);
        WriteHeaderPart2();
    }
    crypt_.Seek(indexEnd_);
    return !crypt_.HasError();
}

void LLaserPreviewStream::WriteIndexRecords()
{
    sectionSizes_.fill(0);
    int32_t start = crypt_.Tell();
    const auto endSection = [&](IndexSection section) {
        sectionSizes_[section] += crypt_.Tell() - start;
        start = crypt_.Tell();
    };
    if (opaqueValue_ != 0) {
        WriteOpaqueValueRecord();
        start = crypt_.Tell();
    }
    if (codec_.HasTables())
        WriteCodecRecord();
    endSection(kSectionCodec);
    int32_t number = 0;
    for (const LLaserPreviewBitmap& bitmap : bitmaps_) {
        if (!bitmap.FileBytes().IsEmpty())
            WriteBitmapRecord(number++, bitmap);
    }
    endSection(kSectionBitmaps);
    for (int32_t server = 0; server < ShowFile::kServers; ++server) {
        const ServerPars& pars = servers_[server];
        if (!pars.table || !pars.presence)
            continue;
        for (int32_t channel = 0; channel < LChanOutParsTable::kChannels; ++channel) {
            for (int32_t sub = 0; sub < LChanOutParsTable::kSubChannels; ++sub) {
                if ((*pars.presence)[channel * LChanOutParsTable::kSubChannels + sub])
                    WriteOutputParsRecord(server, channel, sub);
            }
        }
    }
    endSection(kSectionOutputPars);
    for (int32_t c = 0; c < ShowFile::kStreamChannels; ++c) {
        if (!channels_[c].index.IsEmpty())
            WriteFrameIndex(c);
    }
    endSection(kSectionFrames);
    if (totalSoundBytes_ > 0)
        WriteSoundIndex();
    endSection(kSectionSound);
    for (int32_t block = 0; block < ShowFile::kUserDataBlocks; ++block) {
        if (!userData_[block].IsEmpty())
            WriteUserDataRecord(block);
    }
    endSection(kSectionUserData);
    crypt_.WriteCount(ShowFile::kIndexEnd);
    indexSize_ = 0;
    for (int32_t bytes : sectionSizes_)
        indexSize_ += bytes;
}

void LLaserPreviewStream::WriteOpaqueValueRecord()
{
    crypt_.WriteCount(ShowFile::kIndexOpaqueValue);
    crypt_.WriteI32(opaqueValue_);
}

void LLaserPreviewStream::WriteCodecRecord()
{
    crypt_.WriteCount(ShowFile::kIndexCodecTables);
    codec_.Write(crypt_);
}

void LLaserPreviewStream::WriteBitmapRecord(int32_t number, const LLaserPreviewBitmap& bitmap)
{
    crypt_.WriteCount(ShowFile::kIndexBitmap);
    crypt_.WriteCount(number);
    bitmap.Write(crypt_);
}

void LLaserPreviewStream::WriteOutputParsRecord(int32_t server, int32_t channel, int32_t subChannel)
{
    crypt_.WriteCount(ShowFile::kIndexOutputPars);
    crypt_.WriteCount(server);
    crypt_.WriteCount(channel);
    crypt_.WriteCount(subChannel);
    servers_[server].table->Entry(channel, subChannel).Write(crypt_, true);
}

// Coded shows store compact entries. Tags 3 and 7 for a channel ending in a NIL entry, as the
// reader takes them.
void LLaserPreviewStream::WriteFrameIndex(int32_t channel)
{
    const StreamChannel& stream = channels_[channel];
    const bool compact = codec_.HasTables();
    if (compact)
        crypt_.WriteCount(stream.lastIsNil ? ShowFile::kIndexFramesCompactNil : ShowFile::kIndexFramesCompact);
    else
        crypt_.WriteCount(stream.lastIsNil ? ShowFile::kIndexFramesLongNil : ShowFile::kIndexFramesLong);
    crypt_.WriteCount(std::max(stream.server, 0));
    crypt_.WriteCount(channel);
    if (compact)
        stream.index.WriteCompact(crypt_, ShowFile::kCompactFrameScale);
    else
        stream.index.WriteLong(crypt_);
}

void LLaserPreviewStream::WriteSoundIndex()
{
    crypt_.WriteCount(ShowFile::kIndexSound);
    crypt_.WriteCount(totalSoundBytes_);
    soundIndex_.WriteCompact(crypt_, ShowFile::kSoundIndexScale);
}

void LLaserPreviewStream::WriteUserDataRecord(int32_t block)
{
    crypt_.WriteCount(ShowFile::kIndexUserData);
    crypt_.WriteCount(block);
    crypt_.WriteString(userData_[block]);
}
