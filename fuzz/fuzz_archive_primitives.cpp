// Primitive reads over arbitrary bytes: each step's kind comes from the stream itself, so the
// fuzzer reaches every read, count and version path. Nothing may crash, hang or allocate more
// than the stream holds.
#include <cstdint>

#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/read_blob.h"

namespace {

constexpr int kMaxSteps = 4096;
constexpr int kStepKinds = 16;
constexpr int32_t kLongest = 64;

void Step(LArchiveXString& archive, int kind)
{
    XAString text;
    XABlock blob;
    int32_t stored = 0;
    uint8_t block[300];
    switch (kind) {
    case 0:
        archive.ReadU16();
        break;
    case 1:
        archive.ReadI32();
        break;
    case 2:
        archive.ReadI64();
        break;
    case 3:
        archive.ReadFloat();
        break;
    case 4:
        archive.ReadDouble();
        break;
    case 5:
        archive.ReadBool();
        break;
    case 6:
        archive.ReadCount();
        break;
    case 7:
        archive.ReadString(text, kLongest);
        break;
    case 8:
        archive.ReadString(text, INT32_MAX);
        break;
    case 9:
        archive.ReadAString(archive.ReadCount());
        break;
    case 10:
        ReadBlob(blob, archive);
        break;
    case 11:
        archive.ReadVersion(2, 0, stored);
        break;
    case 12:
        archive.ReadVersion2(2, 0, stored);
        break;
    case 13:
        archive.ReadCountMinMax(block, archive.ReadCount(), 0, sizeof block, archive.ReadBool());
        break;
    case 14:
        archive.SkipCounted();
        break;
    default:
        archive.Seek(archive.ReadI32());
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > INT32_MAX)
        return 0;
    LArchiveXString archive;
    archive.OpenReadMemory(data, static_cast<int32_t>(size), false);
    for (int i = 0; i < kMaxSteps && archive.Tell() < static_cast<int32_t>(size); ++i) {
        Step(archive, archive.ReadU8() % kStepKinds);
        // Errors stay, reading goes on: clear them now and then to reach paths behind them.
        if (i % 8 == 7)
            archive.Status() = CError();
    }
    return 0;
}
