#include "foundation/archives/bit_archive.h"

#include "foundation/archives/archive_base.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {
constexpr int32_t kWordBits = 32;
constexpr int32_t kLengthBits = 5;
constexpr int32_t kLongestPrefixed = 31;
constexpr const char* kNewerFormatText = "Can not handle incompatible (newer) format!";
constexpr const char* kOlderFormatText = "Can not handle incompatible (old) format!";
constexpr const char* kPrefixedRangeText = "Number too large for the bit stream!";

int32_t UnsignedLength(uint32_t v)
{
    int32_t length = 0;
    for (; v != 0; v >>= 1)
        ++length;
    return length;
}

// The smallest two's complement width that holds v, 0 for 0; above 31 when v does not fit.
int32_t SignedLength(int32_t v)
{
    if (v == 0)
        return 0;
    return UnsignedLength(static_cast<uint32_t>(v < 0 ? ~v : v)) + 1;
}
} // namespace

int32_t LBitArchive::ReadSigned(int32_t n)
{
    const uint32_t bits = ReadBits(n);
    if (n <= 0 || n >= kWordBits)
        return static_cast<int32_t>(bits);
    const uint32_t sign = 1u << (n - 1);
    return static_cast<int32_t>((bits ^ sign) - sign);
}

void LBitArchive::WriteUnsignedPrefixed(uint32_t v)
{
    const int32_t length = UnsignedLength(v);
    if (length > kLongestPrefixed) {
        Status().SetError(kPrefixedRangeText, 0);
        return;
    }
    WriteBits(static_cast<uint32_t>(length), kLengthBits);
    WriteBits(v, length);
}

uint32_t LBitArchive::ReadUnsignedPrefixed()
{
    return ReadBits(static_cast<int32_t>(ReadBits(kLengthBits)));
}

void LBitArchive::WriteSignedPrefixed(int32_t v)
{
    const int32_t length = SignedLength(v);
    if (length > kLongestPrefixed) {
        Status().SetError(kPrefixedRangeText, 0);
        return;
    }
    WriteBits(static_cast<uint32_t>(length), kLengthBits);
    WriteBits(static_cast<uint32_t>(v), length);
}

int32_t LBitArchive::ReadSignedPrefixed()
{
    return ReadSigned(static_cast<int32_t>(ReadBits(kLengthBits)));
}

void LBitArchive::WriteVersion(uint32_t version, uint32_t minimumReader)
{
    WriteUnsignedPrefixed(version);
    WriteUnsignedPrefixed(minimumReader);
}

bool LBitArchive::CheckVersion(uint32_t newest, uint32_t oldest, uint32_t* version, uint32_t* minimumReader)
{
    const uint32_t stored = ReadUnsignedPrefixed();
    const uint32_t reader = ReadUnsignedPrefixed();
    if (version)
        *version = stored;
    if (minimumReader)
        *minimumReader = reader;
    if (newest < reader) {
        Status().SetError(kNewerFormatText, 0);
        return false;
    }
    if (stored < oldest) {
        Status().SetError(kOlderFormatText, 0);
        return false;
    }
    return !Failed();
}

void LBitArchiveBytes::WriteBits(uint32_t value, int32_t n)
{
    n = std::min(n, kWordBits);
    if (n <= 0)
        return;
    if (n < kWordBits)
        value &= (1u << n) - 1;
    while (n > 0) {
        if (n < writeFree_) {
            writeFree_ -= n;
            writeByte_ |= static_cast<uint8_t>(value << writeFree_);
            return;
        }
        n -= writeFree_;
        writeByte_ |= static_cast<uint8_t>(value >> n);
        writeFree_ = 0;
        Flush();
    }
}

void LBitArchiveBytes::Flush()
{
    if (writeFree_ < 8)
        WriteByte(writeByte_);
    writeByte_ = 0;
    writeFree_ = 8;
    // Whole bytes still unread in the window go back to the source; the partly read one is done.
    const int32_t unread = std::min(windowBits_ / 8, pending_);
    if (pending_ > unread)
        Consume(pending_ - unread);
    bytesPulled_ -= unread;
    window_ = 0;
    windowBits_ = 0;
    pending_ = 0;
    ahead_ = nullptr;
    aheadCount_ = 0;
}

void LBitArchiveBytes::TakeEightAhead()
{
    uint64_t bytes = 0;
    std::memcpy(&bytes, ahead_, sizeof bytes);
    if constexpr (std::endian::native == std::endian::little)
        bytes = __builtin_bswap64(bytes);
    const int32_t taken = (kWindowBits - windowBits_) / 8;
    window_ |= bytes >> windowBits_;
    windowBits_ += taken * 8;
    window_ &= ~uint64_t{0} << (kWindowBits - windowBits_);
    ahead_ += taken;
    aheadCount_ -= taken;
    pending_ += taken;
    bytesPulled_ += taken;
}

bool LBitArchiveBytes::FillSlowly(int32_t n)
{
    if (n > kLongestPeek)
        return false;
    while (windowBits_ < n) {
        if (aheadCount_ == 0 && !LookFurther())
            return false;
        if (aheadCount_ >= 8) {
            TakeEightAhead();
            continue;
        }
        window_ |= uint64_t{*ahead_++} << (kWindowBits - 8 - windowBits_);
        windowBits_ += 8;
        --aheadCount_;
        ++pending_;
        ++bytesPulled_;
    }
    return true;
}

bool LBitArchiveBytes::LookFurther()
{
    // The source's look-ahead starts at the first pending byte; the window still holds the last
    // unread ones, which stay pending.
    const int32_t unread = std::min(windowBits_ / 8, pending_);
    if (pending_ > unread)
        Consume(pending_ - unread);
    pending_ = unread;
    aheadCount_ = LookAhead(ahead_);
    if (aheadCount_ < unread) {
        aheadCount_ = 0;
        return false;
    }
    ahead_ += unread;
    aheadCount_ -= unread;
    return aheadCount_ > 0;
}

void LBitArchiveBytes::ReadSourceBytes(int32_t n)
{
    // Whatever the window took from the look-ahead comes first at the source.
    if (pending_ > 0)
        Consume(pending_);
    pending_ = 0;
    ahead_ = nullptr;
    aheadCount_ = 0;
    while (windowBits_ < n) {
        window_ |= uint64_t{ReadByte()} << (kWindowBits - 8 - windowBits_);
        windowBits_ += 8;
        ++bytesPulled_;
    }
}

int64_t LBitArchiveBytes::BitsLeft()
{
    const int64_t bytes = BytesLeft();
    return bytes < 0 ? -1 : (bytes - pending_) * 8 + windowBits_;
}

LBitLArchive::~LBitLArchive()
{
    Flush();
}

LBitLArchive::LBitLArchive(LArchiveBase* archive) : archive_(archive)
{
    if (archive_)
        ShareStatus(archive_->Status());
}

uint8_t LBitLArchive::ReadByte()
{
    return archive_ ? archive_->ReadU8() : 0;
}

void LBitLArchive::WriteByte(uint8_t byte)
{
    if (archive_)
        archive_->WriteU8(byte);
}

int32_t LBitLArchive::LookAhead(const uint8_t*& bytes)
{
    if (!archive_ || !archive_->IsReader()) {
        bytes = nullptr;
        return 0;
    }
    bytes = archive_->ReadCursor();
    return archive_->BufferedBytes();
}

void LBitLArchive::Consume(int32_t n)
{
    if (archive_)
        archive_->Skip(n, n);
}

int64_t LBitLArchive::BytesLeft()
{
    if (!archive_ || !archive_->QueryCapability())
        return -1;
    return std::max<int64_t>(int64_t(archive_->GetFileSize()) - archive_->Tell(), 0);
}
