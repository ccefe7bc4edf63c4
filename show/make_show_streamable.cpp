// Moving a show's index in front of its data, so that it can be played while it arrives.

#include "foundation/files/file_replace.h"
#include "foundation/files/file_sync.h"
#include "show/laser_preview_stream.h"
#include "show/show_file_converter.h"
#include "foundation/files/tmp_file.h"

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kInvalidDataText = "passM: Invalid data in Zyl file!";
constexpr const char* kTmpFileErrorText = "Can't create tmp file!";
constexpr const char* kTmpExtension = "tmp";
constexpr int32_t kCopyBlockBytes = 262144;

CError InvalidData()
{
    return CError::CErrorFromText(kInvalidDataText, 0);
}

// Copies the old data block behind the new index; stops at the first archive error.
bool CopyData(LLaserPreviewStream& from, LLaserPreviewStream& to, ShowConvertReporter& reporter)
{
    const int32_t size = from.DataEnd() - from.DataStart();
    auto block = std::make_unique<char[]>(kCopyBlockBytes);
    for (int32_t copied = 0; copied < size;) {
        const int32_t n = std::min(kCopyBlockBytes, size - copied);
        if (!from.ReadBodyBytes(from.DataStart() + copied, block.get(), n) || !to.AppendBodyBytes(block.get(), n))
            return false;
        copied += n;
        if (!reporter.Loop("Compressing (passM)...", static_cast<float>(copied) / static_cast<float>(size),
                           [] { return XAString(); }))
            return false;
    }
    reporter.EndLoop();
    return true;
}

} // namespace

CError MakeShowStreamable(LShowConvertProgress* progress, float base, float step, const char* path,
                          const char* newName, const LArchiveCrypt::StartValueSource& startValue)
{
    ConvertConsole("Making streamable...\r");
    const char* target = newName && *newName ? newName : path;
    LLaserPreviewStream old;
    LLaserPreviewStream::Holder oldHold(old);
    if (!old.Open(path))
        return old.GetError();
    if (old.DataStart() >= old.IndexPosition())
        return CError();
    if (old.DataEnd() <= old.DataStart())
        return InvalidData();

    LTmpFile tmp;
    if (!tmp.Create(true, FolderOf(target).CStr(), kTmpExtension))
        return CError::CErrorFromText(kTmpFileErrorText, 0);
    LLaserPreviewStream fresh;
    LLaserPreviewStream::Holder freshHold(fresh);
    if (startValue)
        fresh.SetStartValueSource(startValue);
    if (!fresh.Create(tmp.CStr()))
        return fresh.GetError();
    fresh.CopyIndexFrom(old);
    const int32_t indexPosition = fresh.BodyPosition();
    const int64_t dataStart = int64_t{indexPosition} + old.IndexEnd() - old.IndexPosition();
    const int64_t dataEnd = dataStart + old.DataEnd() - old.DataStart();
    if (dataEnd > INT32_MAX)
        return InvalidData();
    if (!fresh.ShiftAllPositions(static_cast<int32_t>(dataStart - old.DataStart()),
                                 static_cast<int32_t>(dataStart), static_cast<int32_t>(dataEnd)))
        return InvalidData();
    fresh.SetHeaderPositions(indexPosition, static_cast<int32_t>(dataStart), static_cast<int32_t>(dataEnd),
                             static_cast<int32_t>(dataEnd));
    if (!fresh.WriteIndex())
        return fresh.GetError();
    if (fresh.BodyPosition() != dataStart)
        return InvalidData();

    ShowConvertReporter reporter(progress, base, step);
    const bool copied = CopyData(old, fresh, reporter);
    if (!old.Close(false))
        return old.GetError();
    if (!fresh.Close(false))
        return fresh.GetError();
    if (!copied)
        return CError::CErrorFromText(kConvertAbortedText, 0);
    if (const int error = ReplaceFileWith(tmp.CStr(), target); error != 0) {
        CError failure;
        failure.FromSystemCode(error);
        return failure;
    }
    tmp.Keep();
    return CError();
}
