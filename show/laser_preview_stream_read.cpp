// Opening a show: the prefix, the header, the index; and reading frame records.

#include "show/laser_preview_stream.h"

#include "foundation/archives/bit_archive.h"
#include "show/frame.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace {

constexpr const char* kInvalidFileText = "Invalid Zyl file!";
constexpr const char* kFileTooShortText = "File too short!";

// needed = index end + margin must stay a byte count of a possible file.
constexpr int64_t kLargestIndexEnd = std::numeric_limits<int32_t>::max() - ShowFile::kNeededMargin;
constexpr int32_t kWordBytes = 4;
// Frame words skipped per step when a record holds more than a frame can take.
constexpr int64_t kSkipStepBytes = 1 << 30;

bool InRange(int32_t value, int32_t count)
{
    return value >= 0 && value < count;
}

} // namespace

bool LLaserPreviewStream::ReadHeader(LArchiveBase& raw, const char* name, bool continuing, int32_t* needed,
                                     bool clip)
{
    if (needed)
        *needed = 0;
    if (!ReadPrefix(raw))
        return false;
    if (continuing) {
        UpdateAvailability(clip);
        return true;
    }
    name_ = name;
    if (!ReadHeaderParts() || !CheckHeaderPositions(crypt_.Tell()))
        return false;
    const int32_t size = crypt_.GetFileSize();
    if (size < fileEnd_ && size < indexEnd_)
        return GiveUpOpen(needed, int64_t{indexEnd_} + ShowFile::kNeededMargin, kFileTooShortText);
    if (!ReadIndex())
        return false;
    UpdateAvailability(clip);
    if (needed && NeedsFirstSoundChunk(needed))
        return false;
    return !crypt_.HasError();
}

bool LLaserPreviewStream::ReadPrefix(LArchiveBase& raw)
{
    char magic[sizeof ShowFile::kMagic] = {};
    raw.ReadBlock(magic, sizeof magic, sizeof magic);
    if (std::memcmp(magic, ShowFile::kMagic, sizeof magic) != 0)
        raw.Status().SetError(kInvalidFileText, 0);
    raw.CheckVersion(ShowFile::kPrefixVersion, 0);
    prefixVersion_ = raw.StoredVersion();
    raw.SkipCounted();
    raw.SkipCounted();
    return crypt_.Attach(raw, false);
}

bool LLaserPreviewStream::ReadHeaderParts()
{
    headerPart1Position_ = crypt_.Tell();
    indexPosition_ = crypt_.ReadI32();
    firstTime_ = crypt_.ReadI64();
    lastTime_ = crypt_.ReadI64();
    if (prefixVersion_ >= ShowFile::kHeaderPart2FromVersion) {
        headerPart2Position_ = crypt_.Tell();
        if (!crypt_.CheckVersion(ShowFile::kHeaderVersion, 0))
            return false;
        bodyStart_ = crypt_.ReadI32();
        indexEnd_ = crypt_.ReadI32();
        dataStart_ = crypt_.ReadI32();
        dataEnd_ = crypt_.ReadI32();
        fileEnd_ = crypt_.ReadI32();
    }
    return !crypt_.HasError();
}

// An index inside the header is no index (a recording broken off before its end leaves index
// position 0), and an index end beyond any possible file would make a reader wait for bytes that
// never come.
bool LLaserPreviewStream::CheckHeaderPositions(int32_t headerEnd)
{
    const bool valid = indexPosition_ >= headerEnd && indexEnd_ >= 0 && indexEnd_ <= kLargestIndexEnd &&
                       (indexEnd_ == 0 || indexEnd_ > indexPosition_) && fileEnd_ >= 0;
    if (!valid)
        crypt_.Status().SetError(kInvalidFileText, 0);
    return valid;
}

bool LLaserPreviewStream::GiveUpOpen(int32_t* needed, int64_t neededBytes, const char* error)
{
    Close(false);
    if (neededBytes > std::numeric_limits<int32_t>::max()) {
        crypt_.Status().SetError(kInvalidFileText, 0);
    } else if (needed) {
        *needed = static_cast<int32_t>(neededBytes);
        crypt_.Status() = CError();
    } else {
        crypt_.Status().SetError(error, 0);
    }
    return false;
}

bool LLaserPreviewStream::ReadIndex()
{
    const int32_t size = crypt_.GetFileSize();
    // Entry counts are bounded by the bytes before the index's end.
    const int32_t limit = indexEnd_ > indexPosition_ ? std::min(indexEnd_, size) : size;
    crypt_.Seek(indexPosition_);
    sectionSizes_.fill(0);
    for (;;) {
        if (crypt_.HasError())
            return false;
        const int32_t tag = crypt_.ReadCount();
        if (crypt_.HasError())
            return false;
        if (tag == ShowFile::kIndexEnd)
            break;
        if (!ReadIndexRecord(tag, limit))
            return false;
    }
    indexEnd_ = crypt_.Tell();
    indexSize_ = 0;
    for (int32_t bytes : sectionSizes_)
        indexSize_ += bytes;
    return true;
}

bool LLaserPreviewStream::ReadIndexRecord(int32_t tag, int32_t limit)
{
    const int32_t start = crypt_.Tell();
    IndexSection section;
    switch (tag) {
    case ShowFile::kIndexSound:
        ReadSoundIndex(limit);
        section = kSectionSound;
        break;
    case ShowFile::kIndexFramesLong:
    case ShowFile::kIndexFramesLongNil:
    case ShowFile::kIndexFramesCompact:
    case ShowFile::kIndexFramesCompactNil:
        ReadFrameIndex(tag, limit);
        section = kSectionFrames;
        break;
    case ShowFile::kIndexOutputPars:
        ReadOutputParsRecord();
        section = kSectionOutputPars;
        break;
    case ShowFile::kIndexCodecTables:
        codec_.Read(crypt_);
        section = kSectionCodec;
        break;
    case ShowFile::kIndexBitmap:
        ReadBitmapRecord();
        section = kSectionBitmaps;
        break;
    case ShowFile::kIndexUserData:
        ReadUserDataRecord();
        section = kSectionUserData;
        break;
    case ShowFile::kIndexIgnoredPair:
        crypt_.ReadCount();
        crypt_.ReadCount();
        return true;
    case ShowFile::kIndexOpaqueValue:
        opaqueValue_ = crypt_.ReadI32();
        return true;
    default:
        // A tag this reader does not know: the rest of the index cannot be found.
        crypt_.Status().SetError(kInvalidFileText, 0);
        return false;
    }
    sectionSizes_[section] += crypt_.Tell() - start;
    return true;
}

void LLaserPreviewStream::ReadFrameIndex(int32_t tag, int32_t limit)
{
    const int32_t server = crypt_.ReadCount();
    const int32_t channel = crypt_.ReadCount();
    const bool kept = InRange(server, ShowFile::kServers) && InRange(channel, ShowFile::kStreamChannels);
    ShowIndexArray dropped;
    ShowIndexArray& index = kept ? channels_[channel].index : dropped;
    if (tag == ShowFile::kIndexFramesLong || tag == ShowFile::kIndexFramesLongNil)
        index.ReadLong(crypt_, limit);
    else
        index.ReadCompact(crypt_, ShowFile::kCompactFrameScale, limit);
    if (!kept)
        return;
    channels_[channel].server = server;
    // Tags 3 and 7: the last entry is a NIL entry (the one sense of show_file_format.h).
    channels_[channel].lastIsNil =
        tag == ShowFile::kIndexFramesLongNil || tag == ShowFile::kIndexFramesCompactNil;
    streamChannelCount_ = std::max(streamChannelCount_, channel + 1);
}

void LLaserPreviewStream::ReadOutputParsRecord()
{
    const int32_t server = crypt_.ReadCount();
    const int32_t channel = crypt_.ReadCount();
    const int32_t subChannel = crypt_.ReadCount();
    LChanOutParsPair pair;
    pair.Read(crypt_);
    if (crypt_.HasError() || !InRange(server, ShowFile::kServers) ||
        !InRange(channel, LChanOutParsTable::kChannels) ||
        !InRange(subChannel, LChanOutParsTable::kSubChannels))
        return;
    EnsureServerPars(server, 0);
    servers_[server].table->SetEntry(channel, subChannel, pair);
    (*servers_[server].presence)[channel * LChanOutParsTable::kSubChannels + subChannel] = 1;
}

void LLaserPreviewStream::ReadBitmapRecord()
{
    const int32_t slot = crypt_.ReadCount();
    LLaserPreviewBitmap bitmap;
    bitmap.Read(crypt_);
    if (crypt_.HasError() || !InRange(slot, ShowFile::kBitmapSlots))
        return;
    bitmaps_[slot] = bitmap;
    bitmapCount_ = std::max(bitmapCount_, slot + 1);
}

void LLaserPreviewStream::ReadUserDataRecord()
{
    const int32_t block = crypt_.ReadCount();
    const int32_t length = crypt_.ReadCount();
    if (InRange(block, ShowFile::kUserDataBlocks))
        userData_[block] = crypt_.ReadAString(length);
    else if (length >= 0 && crypt_.HasBytes(length))
        crypt_.Skip(length, length);
    else
        crypt_.Status().SetError(kInvalidFileText, 0);
}

void LLaserPreviewStream::ReadSoundIndex(int32_t limit)
{
    totalSoundBytes_ = std::max(0, crypt_.ReadCount());
    soundIndex_.ReadCompact(crypt_, ShowFile::kSoundIndexScale, limit);
    soundOffset_ = 0;
    chunkOffset_ = 0;
    chunk_ = XAString();
    UpdateSoundAvailability();
}

// A show still arriving is played only once its first sound chunk is there.
bool LLaserPreviewStream::NeedsFirstSoundChunk(int32_t* needed)
{
    if (soundIndex_.IsEmpty() || availableBytes_ <= 0)
        return false;
    const int64_t chunkReady = SoundChunkRecordEnd(0) + ShowFile::kSoundChunkSlack;
    if (availableBytes_ >= chunkReady)
        return false;
    GiveUpOpen(needed, chunkReady + ShowFile::kNeededMargin, kFileTooShortText);
    return true;
}

bool LLaserPreviewStream::ReadFrame(int32_t channel, int64_t time, LFrame& frame)
{
    LMutexLocker locker(lock_);
    const int32_t position = FrameRecordAt(channel, time);
    return position != kNoRecord && ReadFrameRecord(position, frame);
}

int32_t LLaserPreviewStream::FrameRecordAt(int32_t channel, int64_t time)
{
    LMutexLocker locker(lock_);
    if (!InRange(channel, ShowFile::kStreamChannels))
        return kNoRecord;
    // The limit counts only while the show is partly there: 0 is also a show time, so "0 = no
    // limit" alone would let a show whose frames start at time 0 read records not yet there.
    if (IsIncomplete() && time >= availableTimeLimit_)
        return kNoRecord;
    ShowIndexArray& index = channels_[channel].index;
    const int32_t entry = index.FindByTime(time);
    return entry == ShowIndexArray::kNone ? kNoRecord : index[entry].position;
}

bool LLaserPreviewStream::ReadFrameRecord(int32_t position, LFrame& frame)
{
    LMutexLocker locker(lock_);
    if (!crypt_.IsReader() || crypt_.HasError() || position < 0)
        return false;
    if (LArchiveBase* held = held_.ReaderAt(position)) {
        const bool read = DecodeFrameRecord(*held, frame);
        if (!held_.NeedsCipher())
            return read;
    }
    crypt_.Seek(position);
    const bool read = DecodeFrameRecord(crypt_, frame);
    ForgetFailedReadOfCutShow();
    return read;
}

bool LLaserPreviewStream::DecodeFrameRecord(LArchiveBase& source, LFrame& frame)
{
    switch (source.ReadCount()) {
    case ShowFile::kRecordPlainFrame:
        return ReadPlainFrame(source, frame);
    case ShowFile::kRecordCodedFrame: {
        LBitLArchive bits(&source);
        frame.HuffDecode(codec_, bits);
        break;
    }
    default:
        frame.count = 0;
        break;
    }
    return !source.HasError();
}

// A show cut short (a copy that failed, a download still arriving) fails only the reads that
// reach past what it holds: the error is not kept, so everything the file holds stays readable
// and seeking back plays again. A whole show keeps its first error until it is opened again.
void LLaserPreviewStream::ForgetFailedReadOfCutShow()
{
    if (IsIncomplete() && crypt_.HasError())
        crypt_.Status() = CError();
}

bool LLaserPreviewStream::ReadPlainFrame(LArchiveBase& source, LFrame& frame)
{
    const int32_t stored = source.ReadCount();
    const int32_t kept = std::clamp(stored, 0, LFrame::kCapacity);
    source.ReadBlock(frame.words, kept * kWordBytes, kept * kWordBytes);
    if constexpr (std::endian::native == std::endian::little) {
        for (int32_t i = 0; i < kept; ++i)
            frame.words[i] = __builtin_bswap32(frame.words[i]);
    }
    frame.count = kept;
    for (int64_t rest = (int64_t{stored} - kept) * kWordBytes; rest > 0 && !source.HasError();) {
        const int32_t step = static_cast<int32_t>(std::min(rest, kSkipStepBytes));
        source.Skip(step, step);
        rest -= step;
    }
    return !source.HasError();
}
