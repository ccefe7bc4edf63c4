// The show's sound track as the Ogg Vorbis decoder's data source: the concatenation of the
// sound chunks, found through the sound index, one chunk held at a time.

#include "show/laser_preview_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace {

enum SeekOrigin : int32_t { kSeekSet = 0, kSeekCurrent = 1, kSeekAvailable = 2 };

// A temporary end (the data is still arriving, or the sound is over): errno stays clear so that
// the decoder does not take it for a failure.
int64_t NothingYet()
{
    errno = 0;
    return 0;
}

} // namespace

void LLaserPreviewStream::UpdateSoundAvailability()
{
    if (soundIndex_.IsEmpty()) {
        availableSoundBytes_ = 0;
    } else if (availableBytes_ == 0) {
        availableSoundBytes_ = totalSoundBytes_;
    } else {
        // The chunk whose record starts at the available end is not whole yet.
        const int32_t entry = soundIndex_.FindByPosition(availableBytes_);
        availableSoundBytes_ =
            entry == ShowIndexArray::kNone
                ? 0
                : static_cast<int32_t>(std::clamp<int64_t>(soundIndex_[entry].time, 0, totalSoundBytes_));
    }
}

// A chunk's length is not in the index: the next chunk's offset (or the total) bounds it.
int64_t LLaserPreviewStream::SoundChunkRecordEnd(int32_t entry) const
{
    const int64_t offset = soundIndex_[entry].time;
    const int64_t next = entry + 1 < soundIndex_.Count() ? soundIndex_[entry + 1].time : totalSoundBytes_;
    const int64_t length = std::max<int64_t>(0, std::min<int64_t>(next, totalSoundBytes_) - offset);
    return soundIndex_[entry].position + length;
}

bool LLaserPreviewStream::ReadSoundChunk(int32_t entry)
{
    chunk_ = XAString();
    const int32_t position = soundIndex_[entry].position;
    if (!crypt_.IsReader() || crypt_.HasError() || position < 0)
        return false;
    if (LArchiveBase* held = held_.ReaderAt(position)) {
        const bool read = ReadSoundRecord(*held);
        if (!held_.NeedsCipher())
            return read;
        chunk_ = XAString();
    }
    crypt_.Seek(position);
    return ReadSoundRecord(crypt_);
}

bool LLaserPreviewStream::ReadSoundRecord(LArchiveBase& source)
{
    if (source.ReadCount() != ShowFile::kRecordSound)
        return false;
    const int32_t offset = source.ReadCount();
    XAString bytes = source.ReadAString(source.ReadCount());
    if (source.HasError())
        return false;
    chunkOffset_ = offset;
    chunk_ = bytes;
    return true;
}

int64_t LLaserPreviewStream::AudioRead(void* buffer, size_t size, size_t count)
{
    LMutexLocker locker(lock_);
    if (size == 0 || count == 0)
        return 0;
    const size_t most = static_cast<size_t>(std::numeric_limits<int32_t>::max());
    const int64_t want = static_cast<int64_t>(count > most / size ? most : size * count);
    if (size == 1)
        return ReadSoundBytes(static_cast<char*>(buffer), want);
    if (want < static_cast<int64_t>(size))
        return 0;
    // Whole items only: an item that straddles a chunk boundary is gathered from both chunks,
    // and bytes of an item that cannot be completed are given back rather than skipped.
    const int32_t start = soundOffset_;
    int64_t got = 0;
    int64_t n = 0;
    do {
        n = ReadSoundBytes(static_cast<char*>(buffer) + got, want - got);
        got += std::max<int64_t>(n, 0);
    } while (n > 0 && got < static_cast<int64_t>(size));
    const int64_t whole = got - got % static_cast<int64_t>(size);
    soundOffset_ = static_cast<int32_t>(start + whole);
    if (whole == 0)
        return n < 0 ? -1 : NothingYet();
    return whole / static_cast<int64_t>(size);
}

// Up to `want` bytes at the decoder's offset from the one chunk that holds it, never past the
// sound's total (a chunk may claim more than the total).
int64_t LLaserPreviewStream::ReadSoundBytes(char* buffer, int64_t want)
{
    if (soundOffset_ >= totalSoundBytes_)
        return NothingYet();
    const auto holds = [this] {
        return chunkOffset_ <= soundOffset_ &&
               int64_t{soundOffset_} < int64_t{chunkOffset_} + chunk_.Length();
    };
    if (!holds()) {
        const int32_t entry = soundIndex_.FindByTime(soundOffset_);
        if (entry == ShowIndexArray::kNone)
            return -1;
        if (availableBytes_ > 0 && availableBytes_ < SoundChunkRecordEnd(entry) + ShowFile::kSoundChunkSlack)
            return NothingYet();
        // A chunk that does not hold the offset (a hole or a wrong index) is a failure, not a
        // reason to read it again.
        const bool read = ReadSoundChunk(entry);
        ForgetFailedReadOfCutShow();
        if (!read || !holds()) {
            chunk_ = XAString();
            return -1;
        }
    }
    const int64_t chunkEnd = std::min<int64_t>(int64_t{chunkOffset_} + chunk_.Length(), totalSoundBytes_);
    const int32_t n = static_cast<int32_t>(std::min(want, chunkEnd - soundOffset_));
    std::memcpy(buffer, chunk_.CStr() + (soundOffset_ - chunkOffset_), static_cast<size_t>(n));
    soundOffset_ += n;
    return n;
}

int32_t LLaserPreviewStream::AudioSeek(int32_t offset, int32_t whence)
{
    LMutexLocker locker(lock_);
    int64_t target = offset;
    switch (whence) {
    case kSeekSet:
        break;
    case kSeekCurrent:
        target += soundOffset_;
        break;
    case kSeekAvailable:
        target += availableSoundBytes_;
        break;
    default:
        return -1;
    }
    soundOffset_ = static_cast<int32_t>(std::clamp<int64_t>(target, 0, availableSoundBytes_));
    return soundOffset_ == target ? 0 : -1;
}

int32_t LLaserPreviewStream::AudioClose()
{
    LMutexLocker locker(lock_);
    soundOffset_ = 0;
    return 0;
}

int64_t LLaserPreviewStream::AudioTell()
{
    LMutexLocker locker(lock_);
    return soundOffset_;
}

int32_t LLaserPreviewStream::ReadSound(int32_t offset, void* buffer, int32_t length)
{
    LMutexLocker locker(lock_);
    const int32_t decoderOffset = soundOffset_;
    soundOffset_ = offset;
    int32_t done = 0;
    while (done < length) {
        const int64_t n = AudioRead(static_cast<char*>(buffer) + done, 1, static_cast<size_t>(length - done));
        if (n <= 0) {
            if (n < 0)
                done = -1;
            break;
        }
        done += static_cast<int32_t>(n);
    }
    soundOffset_ = decoderOffset;
    return done;
}
