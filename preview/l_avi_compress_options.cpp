#include "preview/l_avi_compress_options.h"

#include "foundation/archives/archive_base.h"

namespace {

constexpr int32_t kNewestRecordVersion = 0;
constexpr int32_t kOldestRecordVersion = 0;
constexpr int32_t kIgnoredCounts = 2;

// A count that must not be negative; a negative one is the archive's error.
int32_t ReadSize(LArchiveBase& archive)
{
    const int32_t n = archive.ReadCount();
    if (n < 0)
        archive.ReadCountMinMax(nullptr, n, 0, 0, false);
    return n;
}

// Skips n bytes that the stream must hold.
void SkipBytes(LArchiveBase& archive, int32_t n)
{
    if (n > 0 && !archive.HasError() && archive.HasBytes(n))
        archive.Skip(n, n);
}

int32_t LittleEndianWord(const uint8_t* bytes)
{
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

} // namespace

void LAviCompressOptions::Clear()
{
    words_.fill(0);
    parameters_ = XAString();
}

void LAviCompressOptions::FreeBlock()
{
    parameters_ = XAString();
    words_[kParametersPointer] = 0;
    words_[kParametersSize] = 0;
}

void LAviCompressOptions::Read(LArchiveBase& archive)
{
    Clear();
    if (!archive.CheckVersion(kNewestRecordVersion, kOldestRecordVersion))
        return;
    const int32_t n = ReadSize(archive);
    if (n == kRecordBytes) {
        uint8_t record[kRecordBytes] = {};
        if (archive.HasBytes(kRecordBytes))
            archive.ReadBlock(record, kRecordBytes, kRecordBytes);
        for (int32_t i = 0; i < kWordCount; ++i)
            words_[i] = LittleEndianWord(record + 4 * i);
        words_[kFormatPointer] = 0;
        words_[kFormatSize] = 0;
        words_[kParametersPointer] = 0;
        // The block's own count, never the stored size word, says how large the block is.
        const int32_t m = ReadSize(archive);
        parameters_ = m > 0 ? archive.ReadAString(m) : XAString();
        words_[kParametersSize] = parameters_.Length();
    } else {
        SkipBytes(archive, n);
        SkipBytes(archive, ReadSize(archive));
    }
    for (int32_t i = 0; i < kIgnoredCounts; ++i)
        archive.ReadCount();
    if (archive.HasError())
        Clear();
}
