#include "show/laser_preview_stream.h"

#include "foundation/tasks/sys_clock.h"

#include <algorithm>
#include <atomic>
#include <limits>

LLaserPreviewStream::LLaserPreviewStream() : clock_([] { return GetSysTimeUs(); })
{
    Reset();
}

LLaserPreviewStream::~LLaserPreviewStream()
{
    Close(false);
}

uint32_t LLaserPreviewStream::NowLow()
{
    return static_cast<uint32_t>(clock_());
}

void LLaserPreviewStream::ResetSound()
{
    soundIndex_.Clear();
    totalSoundBytes_ = 0;
    availableSoundBytes_ = 0;
    soundOffset_ = 0;
    chunkOffset_ = 0;
    chunk_ = XAString();
}

void LLaserPreviewStream::ResetChannels()
{
    for (StreamChannel& channel : channels_) {
        channel.index.Clear();
        channel.server = -1;
        channel.lastIsNil = true;
    }
    streamChannelCount_ = 0;
    channelOffset_ = 0;
    ClearChannelMap();
}

void LLaserPreviewStream::Reset()
{
    static std::atomic<uint64_t> serials{0};
    openSerial_ = ++serials;
    name_ = XAString();
    closeConversion_ = nullptr;
    imageCount_ = 0;
    recordClock_.Reset();
    startTime_ = ShowFile::kStartTimeUs;
    firstTime_ = lastTime_ = lastFrameTime_ = 0;
    timesFixed_ = false;
    headerPart1Position_ = headerPart2Position_ = 0;
    prefixVersion_ = 0;
    bodyStart_ = indexPosition_ = indexEnd_ = dataStart_ = dataEnd_ = fileEnd_ = 0;
    availableBytes_ = 0;
    availableTimeLimit_ = 0;
    loadedFraction_ = 0.0f;
    sectionSizes_.fill(0);
    indexSize_ = 0;
    for (ServerPars& server : servers_)
        server = ServerPars();
    codec_.Reset();
    ResetChannels();
    for (auto& server : lastSequence_)
        server.fill(0);
    skippedFrames_ = 0;
    recordProgress_ = nullptr;
    recordProgressIntervalCs_ = 0;
    lastRecordProgressUs_ = 0;
    lastConsoleTimeUs_ = 0;
    ResetSound();
    held_.Drop();
    for (LLaserPreviewBitmap& bitmap : bitmaps_)
        bitmap.Clear();
    bitmapCount_ = 0;
    opaqueValue_ = 0;
    userData_.fill(XAString());
}

bool LLaserPreviewStream::Open(const char* path)
{
    LMutexLocker locker(lock_);
    Close(false);
    file_.Open(path, kArchiveFileRead);
    if (ReadHeader(file_, path, false, nullptr, true))
        return true;
    Close(false);
    return false;
}

bool LLaserPreviewStream::OpenMemory(const XAString& buffer, int32_t length, int32_t* needed, bool clip)
{
    LMutexLocker locker(lock_);
    Close(false);
    const int32_t offered = length < 0 ? buffer.Length() : std::min(length, buffer.Length());
    memory_.OpenRead(buffer, offered);
    if (ReadHeader(memory_, nullptr, false, needed, clip))
        return true;
    Close(false);
    if (needed && offered < ShowFile::kNeededMargin) {
        crypt_.Status() = CError();
        if (*needed == 0)
            *needed = ShowFile::kNeededMargin;
    }
    return false;
}

bool LLaserPreviewStream::ContinueFromMemory(const XAString& data, int32_t size, bool final)
{
    LMutexLocker locker(lock_);
    if (!memory_.IsReader() || !crypt_.IsReader())
        return false;
    const int32_t length = size < 0 ? data.Length() : std::min(size, data.Length());
    if (length < memory_.GetFileSize())
        return false;
    const int32_t position = crypt_.Tell();
    crypt_.Close(false);
    memory_.Reset();
    memory_.OpenRead(data, length);
    if (!ReadHeader(memory_, nullptr, true, nullptr, final)) {
        Close(false);
        return false;
    }
    crypt_.Seek(position);
    return !crypt_.HasError();
}

CError LLaserPreviewStream::GetError() const
{
    LMutexLocker locker(lock_);
    return crypt_.Status();
}

bool LLaserPreviewStream::Close(bool abort)
{
    LMutexLocker locker(lock_);
    const bool recording = IsRecording();
    if (recording && !abort && indexPosition_ == 0)
        FinishRecording();
    const CloseConversion conversion =
        recording && !abort && !name_.IsEmpty() ? closeConversion_ : CloseConversion();
    const XAString name = name_;
    crypt_.Close(false);
    file_.Close(false);
    memory_.Close(false);
    Reset();
    if (conversion && !crypt_.HasError())
        crypt_.Status() = conversion(name);
    return !crypt_.HasError();
}

int64_t LLaserPreviewStream::AvailableTimeUs() const
{
    LMutexLocker locker(lock_);
    const bool anyEntry = std::any_of(channels_.begin(), channels_.end(),
                                      [](const StreamChannel& c) { return !c.index.IsEmpty(); });
    if (!anyEntry)
        return -1;
    return IsIncomplete() ? availableTimeLimit_ : lastTime_;
}

void LLaserPreviewStream::UpdateAvailability(bool clip)
{
    LMutexLocker locker(lock_);
    const int32_t size = crypt_.GetFileSize();
    if (size >= fileEnd_) {
        availableBytes_ = 0;
        availableTimeLimit_ = 0;
        loadedFraction_ = 1.0f;
    } else {
        int64_t limit = std::numeric_limits<int64_t>::max();
        for (StreamChannel& channel : channels_) {
            ShowIndexArray& index = channel.index;
            if (index.IsEmpty())
                continue;
            int32_t entry = index.FindByPosition(size);
            if (entry == ShowIndexArray::kNone)
                entry = size < index.Last().position ? 0 : index.Count() - 1;
            limit = std::min(limit, index[entry].time);
        }
        availableBytes_ = size;
        if (limit <= firstTime_)
            loadedFraction_ = 0.0f;
        else if (limit >= lastTime_)
            loadedFraction_ = 1.0f;
        else // in double, so that shows of any length, and any times a file holds, get a share
            loadedFraction_ =
                static_cast<float>((static_cast<double>(limit) - static_cast<double>(firstTime_)) /
                                   (static_cast<double>(lastTime_) - static_cast<double>(firstTime_)));
        if (clip && limit < lastTime_)
            limit = lastTime_;
        availableTimeLimit_ = limit;
    }
    UpdateSoundAvailability();
}

int32_t LLaserPreviewStream::LookupChannel(int32_t server, int32_t channel) const
{
    LMutexLocker locker(lock_);
    if (server < 0 || server >= ShowFile::kServers || channel < 0 || channel >= ShowFile::kRecordChannels)
        return kNoChannel;
    return channelMap_[server][channel];
}

int32_t LLaserPreviewStream::AllocateChannel(int32_t server, int32_t channel)
{
    LMutexLocker locker(lock_);
    if (server < 0 || server >= ShowFile::kServers || channel < 0 || channel >= ShowFile::kRecordChannels)
        return kNoChannel;
    int8_t& cell = channelMap_[server][channel];
    if (cell != kNoChannel)
        return cell;
    if (streamChannelCount_ >= ShowFile::kStreamChannels)
        return kNoChannel;
    cell = static_cast<int8_t>(streamChannelCount_++);
    channels_[cell].server = server;
    return cell;
}

void LLaserPreviewStream::ClearChannelMap()
{
    LMutexLocker locker(lock_);
    for (auto& server : channelMap_)
        server.fill(kNoChannel);
}

void LLaserPreviewStream::EnsureServerPars(int32_t server, uint8_t presence)
{
    ServerPars& pars = servers_[server];
    if (!pars.table) {
        pars.table = std::make_shared<LChanOutParsTable>();
        pars.table->SetDefaults();
    }
    if (!pars.presence) {
        pars.presence = std::make_shared<PresenceBlock>();
        pars.presence->fill(presence);
    }
}

void LLaserPreviewStream::CopyIndexFrom(const LLaserPreviewStream& other)
{
    LMutexLocker locker(lock_);
    LMutexLocker otherLocker(other.lock_);
    firstTime_ = other.firstTime_;
    lastTime_ = other.lastTime_;
    timesFixed_ = true;
    servers_ = other.servers_;
    codec_.Reset();
    LArchiveXString tables;
    tables.OpenWrite(0);
    other.codec_.Write(tables);
    const XAString bytes = tables.TakeString();
    tables.Close();
    if (other.codec_.HasTables()) {
        LArchiveXString reader;
        reader.OpenRead(bytes, -1);
        codec_.Read(reader);
        crypt_.Status().Copy(reader.Status());
    }
    channels_ = other.channels_;
    streamChannelCount_ = other.streamChannelCount_;
    soundIndex_ = other.soundIndex_;
    totalSoundBytes_ = other.totalSoundBytes_;
    availableSoundBytes_ = other.totalSoundBytes_;
    bitmaps_ = other.bitmaps_;
    bitmapCount_ = other.bitmapCount_;
    opaqueValue_ = other.opaqueValue_;
    userData_ = other.userData_;
}

void LLaserPreviewStream::ShareOutputParameters(const LLaserPreviewStream& other)
{
    LMutexLocker locker(lock_);
    LMutexLocker otherLocker(other.lock_);
    servers_ = other.servers_;
}

void LLaserPreviewStream::CopyBitmaps(const LLaserPreviewStream& other)
{
    LMutexLocker locker(lock_);
    LMutexLocker otherLocker(other.lock_);
    bitmaps_ = other.bitmaps_;
    bitmapCount_ = other.bitmapCount_;
}

void LLaserPreviewStream::SetHeaderPositions(int32_t indexPosition, int32_t dataStart, int32_t dataEnd,
                                             int32_t fileEnd)
{
    LMutexLocker locker(lock_);
    indexPosition_ = indexPosition;
    dataStart_ = dataStart;
    dataEnd_ = dataEnd;
    fileEnd_ = fileEnd;
}

void LLaserPreviewStream::SetRecordProgress(LShowRecordProgress* receiver, int32_t intervalCs)
{
    LMutexLocker locker(lock_);
    recordProgress_ = receiver;
    recordProgressIntervalCs_ = intervalCs;
}

void LLaserPreviewStream::SetClockSource(ClockSource clock)
{
    LMutexLocker locker(lock_);
    clock_ = std::move(clock);
}

void LLaserPreviewStream::SetStartValueSource(LArchiveCrypt::StartValueSource source)
{
    LMutexLocker locker(lock_);
    crypt_.SetStartValueSource(std::move(source));
}

void LLaserPreviewStream::SetCloseConversion(CloseConversion conversion)
{
    LMutexLocker locker(lock_);
    closeConversion_ = std::move(conversion);
}

void LLaserPreviewStream::SetChannelOffset(int32_t offset)
{
    LMutexLocker locker(lock_);
    channelOffset_ = offset;
}

void LLaserPreviewStream::FilterChannelIndex(int32_t channel, const IndexVisit& visit)
{
    LMutexLocker locker(lock_);
    if (channel >= 0 && channel < ShowFile::kStreamChannels)
        channels_[channel].index.Filter(visit);
}

void LLaserPreviewStream::ClearOutputPresence()
{
    LMutexLocker locker(lock_);
    for (ServerPars& server : servers_) {
        if (server.presence)
            server.presence->fill(0);
    }
}

void LLaserPreviewStream::MarkOutputPresence(int32_t server, int32_t channel, int32_t subChannel)
{
    LMutexLocker locker(lock_);
    if (server < 0 || server >= ShowFile::kServers || !servers_[server].presence || channel < 0 ||
        channel >= LChanOutParsTable::kChannels || subChannel < 0 || subChannel >= LChanOutParsTable::kSubChannels)
        return;
    (*servers_[server].presence)[channel * LChanOutParsTable::kSubChannels + subChannel] = 1;
}

bool LLaserPreviewStream::ReadBodyBytes(int32_t position, void* buffer, int32_t n)
{
    LMutexLocker locker(lock_);
    if (!crypt_.IsReader() || crypt_.HasError())
        return false;
    crypt_.Seek(position);
    crypt_.ReadBlock(buffer, n, n);
    return !crypt_.HasError();
}

bool LLaserPreviewStream::HoldPlainData(int64_t mostBytes)
{
    LMutexLocker locker(lock_);
    if (!crypt_.IsReader() || crypt_.HasError() || IsIncomplete())
        return false;
    return held_.Take(crypt_, dataStart_, mostBytes);
}

bool LLaserPreviewStream::AppendBodyBytes(const void* bytes, int32_t n)
{
    LMutexLocker locker(lock_);
    if (!crypt_.IsWriter() || crypt_.HasError())
        return false;
    crypt_.WriteBlock(bytes, n);
    return !crypt_.HasError();
}

int32_t LLaserPreviewStream::BodyPosition() const
{
    LMutexLocker locker(lock_);
    return crypt_.Tell();
}
