#include "foundation/archives/archive_base.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr const char* kGetFileSizeUnsupportedText = "LArchiveBase::GetFileSize () unsupported!";
constexpr const char* kSeekRelUnsupportedText = "LArchiveBase::SeekRel () unsupported!";
constexpr const char* kAStringOutOfMemoryText = "Out of memory while reading AString!";
constexpr const char* kNewerFormatText = "Can not handle incompatible (newer) format! (get software update)";
constexpr const char* kOlderFormatText = "Can not handle incompatible (old) format!";

constexpr int32_t kCountByteLimit = 254;
constexpr uint8_t kCountU16Mark = 254;
constexpr uint8_t kCountI32Mark = 255;
constexpr int32_t kCountU16Limit = 65535;
constexpr int32_t kMaxPosition = std::numeric_limits<int32_t>::max();

template <class T> T LoadBigEndian(const uint8_t* p, int w)
{
    uint64_t v = 0;
    for (int i = 0; i < w; ++i)
        v = v << 8 | p[i];
    return static_cast<T>(v);
}

void StoreBigEndian(uint64_t v, uint8_t* p, int w)
{
    for (int i = w - 1; i >= 0; --i, v >>= 8)
        p[i] = static_cast<uint8_t>(v);
}

XAString MinRequiredText(int32_t available, int32_t min)
{
    return XAString::Format("LArchiveBase::ReadCountMinMax: %d bytes available, but min %d bytes required!",
                            available, min);
}

XAString MaxExpectedText(int32_t available, int32_t max)
{
    return XAString::Format("LArchiveBase::ReadCountMinMax: %d bytes available, but max %d bytes expected!",
                            available, max);
}

} // namespace

LArchiveBase::LArchiveBase()
{
    Reset();
}

bool LArchiveBase::HasError() const
{
    return status_.Failed();
}

void LArchiveBase::Reset()
{
    Flush();
    status_ = CError();
    readBase_ = readCursor_ = readEnd_ = nullptr;
    readSize_ = 0;
    writeBase_ = writeCursor_ = writeEnd_ = nullptr;
    writeSize_ = 0;
    rawPosition_ = 0;
    version_ = {};
    version2_ = {};
}

int32_t LArchiveBase::UnbufferedSkipRaw(int32_t min, int32_t max)
{
    if (!readBase_ || readSize_ <= 0)
        return 0;
    int32_t consumed = 0;
    while (consumed < max && consumed < min) {
        const int32_t chunk = std::min(readSize_, max - consumed);
        const int32_t need = std::min(chunk, min - consumed);
        const int32_t got = UnbufferedReadRaw(readBase_, need, chunk);
        if (got < 1)
            break;
        consumed += got;
    }
    readCursor_ = readEnd_ = readBase_;
    return consumed;
}

int32_t LArchiveBase::GetFileSize()
{
    status_.SetError(kGetFileSizeUnsupportedText, 0);
    return 0;
}

bool LArchiveBase::QueryCapability()
{
    return false;
}

int32_t LArchiveBase::SeekRel(int32_t distance)
{
    status_.SetError(kSeekRelUnsupportedText, 0);
    return Tell();
}

bool LArchiveBase::SeekWithinBuffer(int32_t distance, int64_t& rawDistance)
{
    rawDistance = distance;
    if (distance == 0)
        return true;
    if (IsWriter()) {
        Flush();
        return false;
    }
    const int32_t buffered = BufferedBytes();
    if (distance >= 0 && distance <= buffered) {
        Skip(distance, distance);
        return true;
    }
    // The raw stream stands past the buffered bytes.
    rawDistance -= buffered;
    DropReadBuffer();
    return false;
}

void LArchiveBase::SetReadBuffer(uint8_t* base, int32_t size)
{
    readBase_ = readCursor_ = readEnd_ = base;
    readSize_ = base ? size : 0;
}

void LArchiveBase::SetWriteBuffer(uint8_t* base, int32_t size)
{
    Flush();
    writeBase_ = writeCursor_ = base;
    writeSize_ = base ? size : 0;
    writeEnd_ = base ? base + size : nullptr;
}

void LArchiveBase::DropReadBuffer()
{
    readCursor_ = readEnd_ = readBase_;
}

int32_t LArchiveBase::Tell() const
{
    if (readBase_)
        return rawPosition_ - BufferedBytes();
    if (writeBase_)
        return rawPosition_ + static_cast<int32_t>(writeCursor_ - writeBase_);
    return rawPosition_;
}

void LArchiveBase::SetPosition(int32_t n)
{
    if (readBase_)
        rawPosition_ = n + BufferedBytes();
    else if (writeBase_)
        rawPosition_ = n - static_cast<int32_t>(writeCursor_ - writeBase_);
    else
        rawPosition_ = n;
}

int32_t LArchiveBase::Seek(int32_t n)
{
    const int32_t here = Tell();
    if (n == here)
        return here;
    const int64_t distance = static_cast<int64_t>(n) - here;
    return SeekRel(static_cast<int32_t>(
        std::clamp<int64_t>(distance, std::numeric_limits<int32_t>::min(), kMaxPosition)));
}

void LArchiveBase::AdvanceRaw(int32_t n)
{
    if (n <= 0)
        return;
    if (rawPosition_ > kMaxPosition - n) {
        status_.SetError(kArchiveTooLargeText, 0);
        rawPosition_ = kMaxPosition;
        return;
    }
    rawPosition_ += n;
}

int32_t LArchiveBase::Refill(int32_t n)
{
    const int32_t unread = BufferedBytes();
    if (unread >= n)
        return unread;
    if (!readBase_) {
        status_.SetError(kArchiveNotReaderText, 0);
        return 0;
    }
    if (readCursor_ != readBase_)
        std::memmove(readBase_, readCursor_, static_cast<size_t>(unread));
    readCursor_ = readBase_;
    readEnd_ = readBase_ + unread;
    const int32_t need = std::max(0, std::min(n, readSize_) - unread);
    const int32_t got = UnbufferedReadRaw(readEnd_, need, readSize_ - unread);
    if (got > 0) {
        AdvanceRaw(got);
        readEnd_ += got;
    }
    return BufferedBytes();
}

int32_t LArchiveBase::ReadBlock(void* destination, int32_t min, int32_t max)
{
    if (!destination)
        return Skip(min, max);
    if (max <= 0)
        return 0;
    min = std::min(min, max);
    if (!readBase_) {
        status_.SetError(kArchiveNotReaderText, 0);
        return 0;
    }
    auto* out = static_cast<uint8_t*>(destination);
    int32_t done = std::min(max, BufferedBytes());
    std::memcpy(out, readCursor_, static_cast<size_t>(done));
    readCursor_ += done;
    if (done >= min)
        return done;
    const int32_t restMax = max - done;
    const int32_t restMin = min - done;
    if (restMax < readSize_) {
        const int32_t take = std::min(restMax, Refill(restMin));
        std::memcpy(out + done, readCursor_, static_cast<size_t>(take));
        readCursor_ += take;
        return done + take;
    }
    const int32_t got = UnbufferedReadRaw(out + done, restMin, restMax);
    if (got <= 0)
        return done;
    AdvanceRaw(got);
    return done + got;
}

int32_t LArchiveBase::Skip(int32_t min, int32_t max)
{
    if (max < 0)
        return 0;
    min = std::min(min, max);
    const int32_t done = std::min(max, BufferedBytes());
    readCursor_ += done;
    if (done >= max || min - done <= 0)
        return done;
    if (!readBase_) {
        status_.SetError(kArchiveNotReaderText, 0);
        return done;
    }
    const int32_t got = UnbufferedSkipRaw(min - done, max - done);
    if (got <= 0)
        return done;
    AdvanceRaw(got);
    return done + got;
}

void LArchiveBase::WriteBlock(const void* source, int32_t n)
{
    if (n <= 0)
        return;
    if (!writeBase_) {
        status_.SetError(kArchiveNotWriterText, 0);
        return;
    }
    const auto* in = static_cast<const uint8_t*>(source);
    const int32_t pending = static_cast<int32_t>(writeCursor_ - writeBase_);
    if (n < writeSize_ || pending > 0) {
        const int32_t space = static_cast<int32_t>(writeEnd_ - writeCursor_);
        if (n - space < writeSize_) {
            if (space == 0)
                Flush();
            const int32_t first = std::min(n, static_cast<int32_t>(writeEnd_ - writeCursor_));
            std::memcpy(writeCursor_, in, static_cast<size_t>(first));
            writeCursor_ += first;
            if (first == n)
                return;
            Flush();
            std::memcpy(writeCursor_, in + first, static_cast<size_t>(n - first));
            writeCursor_ += n - first;
            return;
        }
        Flush();
    }
    AdvanceRaw(UnbufferedWriteRaw(in, n));
}

void LArchiveBase::Flush()
{
    if (!writeBase_ || writeCursor_ == writeBase_)
        return;
    const int32_t n = static_cast<int32_t>(writeCursor_ - writeBase_);
    writeCursor_ = writeBase_;
    AdvanceRaw(UnbufferedWriteRaw(writeBase_, n));
}

int64_t LArchiveBase::BytesLeft()
{
    if (!QueryCapability())
        return -1;
    return std::max<int64_t>(0, static_cast<int64_t>(GetFileSize()) - Tell());
}

bool LArchiveBase::HasBytes(int32_t n)
{
    if (n <= BufferedBytes())
        return true;
    const int64_t left = BytesLeft();
    if (left < 0 || n <= left)
        return true;
    Skip(static_cast<int32_t>(left), static_cast<int32_t>(left));
    status_.SetError(kArchiveEndOfFileText, 0);
    return false;
}

XAString LArchiveBase::ReadAString(int32_t n)
{
    if (n < 0) {
        status_.SetError(MinRequiredText(n, 0), 0);
        return XAString();
    }
    if (n < 1 || HasError() || !HasBytes(n))
        return XAString();
    XAString result;
    char* buffer = result.SetLength(n);
    if (!buffer) {
        status_.SetError(kAStringOutOfMemoryText, 0);
        return XAString();
    }
    ReadBlock(buffer, n, n);
    if (HasError())
        return XAString();
    return result;
}

int32_t LArchiveBase::ReadCountMinMax(void* destination, int32_t available, int32_t min, int32_t max,
                                      bool strict)
{
    if (available < min)
        status_.SetError(MinRequiredText(available, min), 0);
    else if (strict && available > max)
        status_.SetError(MaxExpectedText(available, max), 0);
    if (available <= 0)
        return 0;
    const int32_t take = destination ? std::max(0, std::min(max, available)) : 0;
    ReadBlock(destination, take, take);
    if (available > take)
        Skip(available - take, available - take);
    return take;
}

void LArchiveBase::WriteCounted(const void* source, int32_t n)
{
    WriteCount(n);
    if (n > 0)
        WriteBlock(source, n);
}

void LArchiveBase::SkipCounted()
{
    const int32_t n = ReadCount();
    Skip(n, n);
}

const uint8_t* LArchiveBase::TakeRead(int32_t w)
{
    if (BufferedBytes() < w && Refill(w) < w)
        return nullptr;
    const uint8_t* p = readCursor_;
    readCursor_ += w;
    return p;
}

uint64_t LArchiveBase::ReadSlowly(int32_t w)
{
    const uint8_t* p = TakeRead(w);
    return p ? LoadBigEndian<uint64_t>(p, w) : 0;
}

int32_t LArchiveBase::ReadCount()
{
    const uint8_t first = ReadU8();
    if (first == kCountU16Mark)
        return ReadU16();
    if (first == kCountI32Mark)
        return ReadI32();
    return first;
}

uint8_t* LArchiveBase::ReserveWrite(int32_t w)
{
    if (!writeBase_) {
        status_.SetError(kArchiveNotWriterText, 0);
        return nullptr;
    }
    if (writeEnd_ - writeCursor_ < w)
        Flush();
    uint8_t* p = writeCursor_;
    writeCursor_ += w;
    return p;
}

void LArchiveBase::WriteSlowly(uint64_t v, int32_t w)
{
    if (uint8_t* p = ReserveWrite(w))
        StoreBigEndian(v, p, w);
}

void LArchiveBase::WriteCount(int32_t v)
{
    if (v >= 0 && v < kCountByteLimit) {
        WriteU8(static_cast<uint8_t>(v));
    } else if (v >= kCountByteLimit && v <= kCountU16Limit) {
        WriteU8(kCountU16Mark);
        WriteU16(static_cast<uint16_t>(v));
    } else {
        WriteU8(kCountI32Mark);
        WriteI32(v);
    }
}

int32_t LArchiveBase::ReadString(XAString& string, int32_t longest)
{
    const int32_t count = ReadCount();
    const int32_t length = std::max(0, std::min(longest, count));
    if (count > 0 && !HasBytes(count)) {
        string = XAString();
        return 0;
    }
    char* data = nullptr;
    if (length > 0) {
        data = string.SetLength(length);
        if (!data) {
            string = XAString();
            status_.SetError(kAStringOutOfMemoryText, 0);
            return 0;
        }
    } else {
        string = XAString();
    }
    ReadCountMinMax(data, count, length, length, false);
    return length;
}

void LArchiveBase::WriteCString(const char* text)
{
    WriteCounted(text, text ? static_cast<int32_t>(std::strlen(text)) : 0);
}

void LArchiveBase::WriteString(const XAString& s)
{
    WriteCounted(s.CStr(), s.Length());
}

void LArchiveBase::WriteVersion(int32_t version, int32_t minimumReader)
{
    WriteCount(version);
    WriteCount(minimumReader);
}

bool LArchiveBase::CheckVersionInto(VersionPair& pair, int32_t newest, int32_t oldest)
{
    pair.stored = ReadCount();
    pair.minimumReader = ReadCount();
    if (newest < pair.minimumReader) {
        status_.SetError(kNewerFormatText, 0);
        return false;
    }
    if (pair.stored < oldest) {
        status_.SetError(kOlderFormatText, 0);
        return false;
    }
    return true;
}

bool LArchiveBase::CheckVersion(int32_t newest, int32_t oldest)
{
    return CheckVersionInto(version_, newest, oldest) && !HasError();
}

bool LArchiveBase::ReadVersion(int32_t newest, int32_t oldest, int32_t& stored)
{
    const bool ok = CheckVersion(newest, oldest);
    stored = version_.stored;
    return ok;
}

bool LArchiveBase::CheckVersion2(int32_t newest, int32_t oldest)
{
    return CheckVersionInto(version2_, newest, oldest);
}

bool LArchiveBase::ReadVersion2(int32_t newest, int32_t oldest, int32_t& stored)
{
    const bool ok = CheckVersion2(newest, oldest);
    stored = version2_.stored;
    return ok;
}
