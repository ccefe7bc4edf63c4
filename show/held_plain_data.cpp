#include "show/held_plain_data.h"

#include <new>

bool HeldPlainData::Take(LArchiveBase& source, int32_t start, int64_t mostBytes)
{
    Drop();
    const int32_t end = source.GetFileSize();
    const int64_t length = int64_t{end} - start;
    if (start < 0 || length <= 0 || length > mostBytes)
        return false;
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[static_cast<size_t>(length)]);
    if (!bytes)
        return false;
    const CError before = source.Status();
    const int32_t n = static_cast<int32_t>(length);
    source.Seek(start);
    const bool read = !source.HasError() && source.ReadBlock(bytes.get(), n, n) == n && !source.HasError();
    if (!read) {
        // The show stays readable as before: every later read seeks through the cipher itself.
        source.Status() = before;
        return false;
    }
    if (!reader_.OpenReadMemory(bytes.get(), n, false)) {
        reader_.Reset();
        return false;
    }
    bytes_ = std::move(bytes);
    start_ = start;
    end_ = end;
    return true;
}

void HeldPlainData::Drop()
{
    reader_.Reset();
    bytes_.reset();
    start_ = end_ = 0;
}

LArchiveBase* HeldPlainData::ReaderAt(int32_t position)
{
    if (!IsHeld() || position < start_ || position >= end_)
        return nullptr;
    // A failed read before does not stand in the way of this one.
    reader_.Status() = CError();
    reader_.Seek(position - start_);
    return reader_.HasError() ? nullptr : &reader_;
}
