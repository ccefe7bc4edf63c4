#include "foundation/archives/archive_crypt.h"

#include "foundation/archives/crc32.h"
#include "foundation/files/file_time.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <string.h>

namespace {

constexpr const char* kRawNotValidText = "RawArchive not valid!";
constexpr const char* kInvalidFormatText = "Invalid format!";
constexpr const char* kNewerFormatText = "Can not handle incompatible (newer) format!";
constexpr const char* kOlderFormatText = "Can not handle incompatible (older) format!";
constexpr const char* kInvalidSeekText = "LArchiveCrypt::Invalid seek position!";

constexpr int32_t kUnit = kIdeaBlockBytes;
constexpr int64_t kUnitMask = ~static_cast<int64_t>(kUnit - 1);
// The cipher buffer holds one unit more on each side than the I/O buffer's whole units.
constexpr int32_t kCipherSlack = 2 * kUnit;
constexpr int64_t kMaxPosition = std::numeric_limits<int32_t>::max();
constexpr int64_t kMaxSeekForward = std::numeric_limits<int32_t>::max();
constexpr int64_t kMaxSeekBackward = -static_cast<int64_t>(1) << 31;

// Header fields (offsets in the plain header).
constexpr int kHeaderLengthAt = 8;
constexpr int kHeaderVersionAt = 16;
constexpr int kHeaderMinimumReaderAt = 20;
constexpr int kHeaderCrcAt = 28;

// The system's fixed key, in file order; its eight key words are little-endian byte pairs.
constexpr uint8_t kKeyBytes[16] = {0x7C, 0x1E, 0x5A, 0x93, 0xD0, 0x48, 0x6B, 0x2F,
                                   0xE4, 0x31, 0x9A, 0x77, 0x05, 0xC2, 0xB8, 0xD6};

uint64_t LoadU64(const uint8_t* p)
{
    uint64_t v = 0;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little)
        v = __builtin_bswap64(v);
    return v;
}

void StoreU64(uint64_t v, uint8_t* p)
{
    if constexpr (std::endian::native == std::endian::little)
        v = __builtin_bswap64(v);
    std::memcpy(p, &v, sizeof v);
}

int32_t LoadI32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
                                static_cast<uint32_t>(p[2]) << 8 | p[3]);
}

void StoreU32(uint32_t v, uint8_t* p)
{
    for (int i = 3; i >= 0; --i, v >>= 8)
        p[i] = static_cast<uint8_t>(v);
}

int64_t RoundUpToUnit(int64_t n)
{
    return (n + kUnit - 1) & kUnitMask;
}

} // namespace

uint64_t LArchiveCrypt::SystemStartValue()
{
    return FileTimeNow();
}

LArchiveCrypt::LArchiveCrypt(int32_t ioBufferBytes)
    : ioBufferBytes_(std::max(ioBufferBytes & static_cast<int32_t>(kUnitMask), kSmallestIoBuffer))
{
    uint16_t key[kIdeaKeyWords];
    for (int i = 0; i < kIdeaKeyWords; ++i)
        key[i] = static_cast<uint16_t>(kKeyBytes[2 * i] | kKeyBytes[2 * i + 1] << 8);
    IdeaExpandKey(key, encrypt_);
    IdeaInvertKey(encrypt_, decrypt_);
    explicit_bzero(key, sizeof key);
    Clear();
}

LArchiveCrypt::~LArchiveCrypt()
{
    Close(false);
    explicit_bzero(encrypt_, sizeof encrypt_);
    explicit_bzero(decrypt_, sizeof decrypt_);
}

void LArchiveCrypt::Clear()
{
    start_ = 0;
    rawSize_ = rawPosition_ = 0;
    dataLength_ = dataPosition_ = 0;
    cipherFill_ = cipherOffset_ = 0;
    cipherStart_ = 0;
    cipherSize_ = 0;
    cipherBuffer_.Clear();
}

bool LArchiveCrypt::TakeOverRawStatus()
{
    if (raw_)
        Status().Copy(raw_->Status());
    return !HasError();
}

bool LArchiveCrypt::AllocBuffers()
{
    auto* io = static_cast<uint8_t*>(
        ioBuffer_.Alloc(static_cast<size_t>(ioBufferBytes_), &XABlock::ReleasePlain, ioBufferBytes_));
    ioSize_ = io ? ioBufferBytes_ : kSmallestIoBuffer;
    if (!io)
        io = fallback_;
    if (raw_->IsReader())
        SetReadBuffer(io, ioSize_);
    else
        SetWriteBuffer(io, ioSize_);
    cipherSize_ = (ioSize_ & static_cast<int32_t>(kUnitMask)) + kCipherSlack;
    if (!cipherBuffer_.Alloc(static_cast<size_t>(cipherSize_), &XABlock::ReleasePlain, cipherSize_)) {
        cipherSize_ = 0;
        Status().SetError(kArchiveOutOfMemoryText, 0);
        return false;
    }
    return true;
}

bool LArchiveCrypt::Attach(LArchiveBase& raw, bool append)
{
    Close(false);
    Reset();
    raw_ = &raw;
    if (!raw.IsReader() && !raw.IsWriter()) {
        TakeOverRawStatus();
        Status().SetError(kRawNotValidText, 0);
        raw_ = nullptr;
        return false;
    }
    if (!TakeOverRawStatus() || !AllocBuffers()) {
        Close(false);
        return false;
    }
    const auto measureRaw = [this] {
        rawSize_ = raw_->GetFileSize();
        rawPosition_ = raw_->Tell();
        dataLength_ = dataPosition_ = 0;
        return TakeOverRawStatus();
    };
    bool ok = measureRaw();
    if (ok && raw.IsReader()) {
        ok = ReadHeader();
    } else if (ok) {
        if (rawSize_ >= kDataOffset && ReadHeader()) {
            if (append) {
                dataPosition_ = dataLength_;
                SetPosition(static_cast<int32_t>(dataLength_));
            }
        } else {
            // Not a stream of ours (or none yet): start anew over it.
            Status() = CError();
            ok = measureRaw();
            if (ok)
                StartNewStream();
        }
    }
    if (ok && !HasError())
        return true;
    Close(false);
    return false;
}

// Each unit is offset by its own counter and enciphered on its own, so the cipher takes all the
// units at once, in parallel lanes.
void LArchiveCrypt::EncipherUnits(uint8_t* bytes, int32_t n, uint64_t counter) const
{
    for (int32_t at = 0; at < n; at += kUnit, counter += kUnit)
        StoreU64(LoadU64(bytes + at) + counter, bytes + at);
    IdeaEncrypt(encrypt_, bytes, static_cast<size_t>(n / kUnit), bytes, false);
}

void LArchiveCrypt::DecipherUnits(uint8_t* bytes, int32_t n, uint64_t counter) const
{
    IdeaDecrypt(decrypt_, bytes, static_cast<size_t>(n / kUnit), bytes, false);
    for (int32_t at = 0; at < n; at += kUnit, counter += kUnit)
        StoreU64(LoadU64(bytes + at) - counter, bytes + at);
}

bool LArchiveCrypt::ReadHeader()
{
    uint8_t header[kHeaderBytes];
    if (rawSize_ < kDataOffset) {
        Status().SetError(kArchiveEndOfFileText, 0);
        return false;
    }
    if (RawRead(kPrefixBytes, header, kHeaderBytes) < kHeaderBytes) {
        Status().SetError(kArchiveEndOfFileText, 0);
        return false;
    }
    // The first unit is zero enciphered with the counter S, so deciphering it with 0 yields S.
    DecipherUnits(header, kUnit, 0);
    start_ = LoadU64(header);
    std::memset(header, 0, kUnit);
    DecipherUnits(header + kUnit, kHeaderBytes - kUnit, start_ + kUnit);
    const uint64_t length = LoadU64(header + kHeaderLengthAt);
    if (Crc32(header, kHeaderCrcAt) != static_cast<uint32_t>(LoadI32(header + kHeaderCrcAt))) {
        Status().SetError(kInvalidFormatText, 0);
        return false;
    }
    if (LoadI32(header + kHeaderMinimumReaderAt) > 0) {
        Status().SetError(kNewerFormatText, 0);
        return false;
    }
    if (LoadI32(header + kHeaderVersionAt) < 0) {
        Status().SetError(kOlderFormatText, 0);
        return false;
    }
    // A stream still arriving holds fewer units than its header says.
    const int64_t available = std::max<int64_t>(0, rawSize_ - kDataOffset) & kUnitMask;
    dataLength_ = length > static_cast<uint64_t>(available) ? available : static_cast<int64_t>(length);
    return true;
}

void LArchiveCrypt::StartNewStream()
{
    start_ = startValueSource_();
    dataLength_ = dataPosition_ = 0;
    WriteHeader();
}

void LArchiveCrypt::WriteHeader()
{
    if (rawSize_ < kPrefixBytes) {
        const uint8_t zeros[kPrefixBytes] = {};
        RawWrite(rawSize_, zeros + rawSize_, static_cast<int32_t>(kPrefixBytes - rawSize_));
    }
    uint8_t header[kHeaderBytes] = {};
    StoreU64(static_cast<uint64_t>(dataLength_), header + kHeaderLengthAt);
    StoreU32(Crc32(header, kHeaderCrcAt), header + kHeaderCrcAt);
    EncipherUnits(header, kHeaderBytes, start_);
    RawWrite(kPrefixBytes, header, kHeaderBytes);
}

bool LArchiveCrypt::RawSeek(int64_t offset)
{
    while (rawPosition_ != offset) {
        const int64_t step = std::clamp(offset - rawPosition_, kMaxSeekBackward, kMaxSeekForward);
        raw_->SeekRel(static_cast<int32_t>(step));
        if (!TakeOverRawStatus())
            return false;
        const int64_t reached = raw_->Tell();
        if (reached != rawPosition_ + step) {
            rawPosition_ = reached;
            Status().SetError(kInvalidSeekText, 0);
            return false;
        }
        rawPosition_ = reached;
    }
    return true;
}

int32_t LArchiveCrypt::RawRead(int64_t offset, uint8_t* destination, int32_t n)
{
    if (raw_->IsWriter())
        raw_->Flush();
    if (!RawSeek(offset))
        return 0;
    int32_t got = raw_->ReadBlock(destination, 0, std::min(n, raw_->BufferedBytes()));
    if (got < n) {
        const int32_t direct = std::max(0, raw_->UnbufferedReadRaw(destination + got, n - got, n - got));
        raw_->SetPosition(raw_->Tell() + direct);
        got += direct;
    }
    rawPosition_ += got;
    TakeOverRawStatus();
    return got;
}

int32_t LArchiveCrypt::RawWrite(int64_t offset, const uint8_t* source, int32_t n)
{
    if (raw_->IsWriter())
        raw_->Flush();
    if (!RawSeek(offset))
        return 0;
    if (rawPosition_ + n > kMaxPosition) {
        Status().SetError(kArchiveTooLargeText, 0);
        return 0;
    }
    const int32_t put = std::max(0, raw_->UnbufferedWriteRaw(source, n));
    raw_->SetPosition(raw_->Tell() + put);
    rawPosition_ += put;
    rawSize_ = std::max(rawSize_, rawPosition_);
    TakeOverRawStatus();
    return put;
}

bool LArchiveCrypt::FillCipherBuffer()
{
    cipherStart_ = dataPosition_ & kUnitMask;
    const int64_t n = std::min<int64_t>(RoundUpToUnit(dataLength_) - cipherStart_, cipherSize_);
    cipherFill_ = cipherOffset_ = 0;
    if (n <= 0)
        return false;
    uint8_t* bytes = cipherBuffer_.As<uint8_t>();
    const int32_t got = RawRead(kDataOffset + cipherStart_, bytes, static_cast<int32_t>(n));
    cipherFill_ = got & static_cast<int32_t>(kUnitMask);
    DecipherUnits(bytes, cipherFill_, start_ + kHeaderBytes + static_cast<uint64_t>(cipherStart_));
    cipherOffset_ = static_cast<int32_t>(dataPosition_ - cipherStart_);
    return cipherOffset_ < cipherFill_;
}

int32_t LArchiveCrypt::UnbufferedReadRaw(void* destination, int32_t min, int32_t max)
{
    auto* out = static_cast<uint8_t*>(destination);
    int32_t delivered = 0;
    while (delivered < min) {
        if (cipherFill_ == 0)
            FillCipherBuffer();
        // Never past the data length: the last unit's filler is not data.
        const int64_t left = std::min<int64_t>(cipherFill_ - cipherOffset_, dataLength_ - dataPosition_);
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, max - delivered));
        if (n <= 0) {
            Status().SetError(kArchiveEndOfFileText, 0);
            break;
        }
        std::memcpy(out + delivered, cipherBuffer_.As<uint8_t>() + cipherOffset_, static_cast<size_t>(n));
        delivered += n;
        cipherOffset_ += n;
        dataPosition_ += n;
        if (cipherOffset_ >= cipherFill_)
            cipherFill_ = cipherOffset_ = 0;
    }
    return delivered;
}

int32_t LArchiveCrypt::UnbufferedSkipRaw(int32_t min, int32_t max)
{
    int32_t skipped = 0;
    if (cipherFill_ > 0) {
        const int64_t left = std::min<int64_t>(cipherFill_ - cipherOffset_, dataLength_ - dataPosition_);
        skipped = static_cast<int32_t>(std::clamp<int64_t>(left, 0, std::max(max, 0)));
        cipherOffset_ += skipped;
        dataPosition_ += skipped;
        if (cipherOffset_ >= cipherFill_ || skipped < max)
            cipherFill_ = cipherOffset_ = 0;
    }
    const int64_t rest = std::clamp<int64_t>(dataLength_ - dataPosition_, 0, std::max(max - skipped, 0));
    dataPosition_ += rest;
    skipped += static_cast<int32_t>(rest);
    if (skipped < min)
        Status().SetError(kArchiveEndOfFileText, 0);
    return skipped;
}

bool LArchiveCrypt::ReadStoredUnit(int64_t unitStart, uint8_t* unit)
{
    if (RawRead(kDataOffset + unitStart, unit, kUnit) < kUnit) {
        Status().SetError(kArchiveEndOfFileText, 0);
        return false;
    }
    DecipherUnits(unit, kUnit, start_ + kHeaderBytes + static_cast<uint64_t>(unitStart));
    return true;
}

bool LArchiveCrypt::FillGap()
{
    static constexpr uint8_t kZeros[kUnit * 16] = {};
    const int64_t target = dataPosition_;
    dataPosition_ = dataLength_;
    while (dataPosition_ < target && !HasError()) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(target - dataPosition_, sizeof kZeros));
        if (UnbufferedWriteRaw(kZeros, n) < n)
            return false;
    }
    return !HasError();
}

int32_t LArchiveCrypt::UnbufferedWriteRaw(const void* source, int32_t n)
{
    if (dataPosition_ > dataLength_ && !FillGap())
        return 0;
    const auto* in = static_cast<const uint8_t*>(source);
    uint8_t* bytes = cipherBuffer_.As<uint8_t>();
    int32_t taken = 0;
    while (taken < n && !HasError()) {
        if (cipherFill_ == 0) {
            cipherStart_ = dataPosition_ & kUnitMask;
            const int32_t head = static_cast<int32_t>(dataPosition_ - cipherStart_);
            if (head > 0 && !ReadStoredUnit(cipherStart_, bytes))
                break;
            cipherFill_ = head;
        }
        const int32_t m = std::min(n - taken, cipherSize_ - cipherFill_);
        std::memcpy(bytes + cipherFill_, in + taken, static_cast<size_t>(m));
        cipherFill_ += m;
        taken += m;
        dataPosition_ += m;
        dataLength_ = std::max(dataLength_, dataPosition_);
        if (cipherFill_ == cipherSize_)
            WriteCipherBuffer();
    }
    return taken;
}

void LArchiveCrypt::WriteCipherBuffer()
{
    uint8_t* bytes = cipherBuffer_.As<uint8_t>();
    EncipherUnits(bytes, cipherFill_, start_ + kHeaderBytes + static_cast<uint64_t>(cipherStart_));
    RawWrite(kDataOffset + cipherStart_, bytes, cipherFill_);
    cipherFill_ = cipherOffset_ = 0;
}

void LArchiveCrypt::FlushCipherBuffer()
{
    if (cipherFill_ == 0 || HasError()) {
        cipherFill_ = cipherOffset_ = 0;
        return;
    }
    uint8_t* bytes = cipherBuffer_.As<uint8_t>();
    const int32_t tail = cipherFill_ % kUnit;
    if (tail != 0) {
        // Complete the last unit with what the stream already holds after it, zeros beyond.
        const int32_t lastUnit = cipherFill_ - tail;
        const int64_t unitStart = cipherStart_ + lastUnit;
        const int64_t stored = std::min<int64_t>(kUnit, dataLength_ - unitStart);
        std::memset(bytes + cipherFill_, 0, static_cast<size_t>(kUnit - tail));
        uint8_t unit[kUnit];
        if (stored > tail && ReadStoredUnit(unitStart, unit))
            std::memcpy(bytes + cipherFill_, unit + tail, static_cast<size_t>(stored - tail));
        cipherFill_ = lastUnit + kUnit;
    }
    WriteCipherBuffer();
}

int32_t LArchiveCrypt::SeekRel(int32_t distance)
{
    if (distance == 0)
        return Tell();
    const int64_t target = static_cast<int64_t>(Tell()) + distance;
    if (target < 0) {
        Status().SetError(kInvalidSeekText, 0);
        return Tell();
    }
    if (target > kMaxPosition) {
        Status().SetError(kArchiveTooLargeText, 0);
        return Tell();
    }
    if (IsWriter()) {
        Flush();
        FlushCipherBuffer();
    } else {
        const int32_t buffered = BufferedBytes();
        if (distance > 0 && distance <= buffered) {
            Skip(distance, distance);
            return Tell();
        }
        DropReadBuffer();
        cipherFill_ = cipherOffset_ = 0;
    }
    dataPosition_ = target;
    SetPosition(static_cast<int32_t>(target));
    return Tell();
}

int32_t LArchiveCrypt::GetFileSize()
{
    if (IsWriter())
        Flush();
    return static_cast<int32_t>(static_cast<uint32_t>(dataLength_));
}

bool LArchiveCrypt::Close(bool force)
{
    if (IsWriter()) {
        Flush();
        FlushCipherBuffer();
        // A stream whose writing failed keeps the header it had.
        if (dataLength_ != 0 && !HasError())
            WriteHeader();
        if (raw_ && raw_->IsWriter())
            raw_->Flush();
        SetWriteBuffer(nullptr, 0);
    } else {
        SetReadBuffer(nullptr, 0);
    }
    ioBuffer_.Clear();
    if (raw_) {
        raw_->Close(force);
        TakeOverRawStatus();
        raw_ = nullptr;
    }
    Clear();
    return !HasError();
}
