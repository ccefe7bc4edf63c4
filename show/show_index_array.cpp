#include "show/show_index_array.h"

#include "foundation/archives/archive_base.h"

namespace {

constexpr const char* kArrayOutOfMemoryText = "HArray: Out of memory!";
// Cursor steps before a lookup falls back to bisection.
constexpr int32_t kCursorSteps = 4;

} // namespace

void ShowIndexArray::Clear()
{
    entries_.SetSize(0);
    cursor_ = kNone;
}

bool ShowIndexArray::Append(int32_t position, int64_t time)
{
    if (entries_.GetSize() == 0 && entries_.GetGrowBy() != kGrowStep)
        entries_.SetGrowBy(kGrowStep);
    return entries_.Append(ShowIndexEntry{position, time});
}

bool ShowIndexArray::Remove(int32_t index)
{
    if (index < 0 || index >= Count() || !entries_.RemoveAt(entries_.IterAt(index), 1))
        return false;
    if (cursor_ >= Count() || cursor_ > index)
        --cursor_;
    if (cursor_ < 0)
        cursor_ = kNone;
    return true;
}

template <class Key> int32_t ShowIndexArray::Find(int64_t key, Key keyOf)
{
    const int32_t n = Count();
    if (n == 0)
        return kNone;
    if (cursor_ >= 0 && cursor_ < n) {
        int32_t at = cursor_;
        if (keyOf(entries_[at]) <= key) {
            for (int32_t step = 0;; ++step) {
                if (at + 1 >= n || keyOf(entries_[at + 1]) > key)
                    return cursor_ = at;
                if (step == kCursorSteps)
                    break;
                ++at;
            }
        } else {
            for (int32_t step = 0; step < kCursorSteps; ++step) {
                if (at == 0) {
                    cursor_ = 0;
                    return kNone;
                }
                --at;
                if (keyOf(entries_[at]) <= key)
                    return cursor_ = at;
            }
        }
    }
    int32_t low = 0;
    int32_t high = n - 1;
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        if (keyOf(entries_[mid]) <= key) {
            if (mid == n - 1 || keyOf(entries_[mid + 1]) > key)
                return cursor_ = mid;
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    }
    return kNone;
}

int32_t ShowIndexArray::FindByTime(int64_t time)
{
    return Find(time, [](const ShowIndexEntry& e) { return e.time; });
}

int32_t ShowIndexArray::FindByPosition(int64_t position)
{
    return Find(position, [](const ShowIndexEntry& e) { return int64_t{e.position}; });
}

bool ShowIndexArray::ShiftPositions(int32_t delta, int32_t low, int32_t high)
{
    for (int32_t i = 0; i < Count(); ++i) {
        const int64_t moved = int64_t{entries_[i].position} + delta;
        if (moved < low || moved >= high)
            return false;
    }
    for (int32_t i = 0; i < Count(); ++i)
        entries_[i].position += delta;
    return true;
}

int32_t ShowIndexArray::ReadEntryCount(LArchiveBase& archive, int32_t entryBytes, int32_t limit)
{
    const int32_t n = archive.ReadCount();
    if (archive.HasError())
        return -1;
    if (n <= 0)
        return 0;
    const int64_t left = int64_t{limit} - archive.Tell();
    if (int64_t{n} * entryBytes > left) {
        archive.Status().SetError(kArchiveEndOfFileText, 0);
        return -1;
    }
    return n;
}

bool ShowIndexArray::Reserve(LArchiveBase& archive, int32_t n, int32_t entryBytes)
{
    Clear();
    // A stored array is read at its exact size; only appending grows in large steps.
    if (n == 0 || (entries_.SetGrowBy(0) && entries_.SetSize(n)))
        return true;
    archive.Status().SetError(kArrayOutOfMemoryText, 0);
    archive.Skip(n * entryBytes, n * entryBytes);
    return false;
}

void ShowIndexArray::ReadLong(LArchiveBase& archive, int32_t limit)
{
    Clear();
    const int32_t n = ReadEntryCount(archive, kLongEntryBytes, limit);
    if (n <= 0 || !Reserve(archive, n, kLongEntryBytes))
        return;
    for (int32_t i = 0; i < n; ++i) {
        entries_[i].position = archive.ReadI32();
        entries_[i].time = archive.ReadI64();
    }
}

void ShowIndexArray::WriteLong(LArchiveBase& archive) const
{
    archive.WriteCount(Count());
    for (int32_t i = 0; i < Count(); ++i) {
        archive.WriteI32(entries_[i].position);
        archive.WriteI64(entries_[i].time);
    }
}

void ShowIndexArray::ReadCompact(LArchiveBase& archive, int64_t scale, int32_t limit)
{
    Clear();
    const int32_t n = ReadEntryCount(archive, kCompactEntryBytes, limit);
    if (n <= 0 || !Reserve(archive, n, kCompactEntryBytes))
        return;
    for (int32_t i = 0; i < n; ++i) {
        entries_[i].position = archive.ReadI32();
        entries_[i].time = int64_t{archive.ReadI32()} * scale;
    }
}

void ShowIndexArray::WriteCompact(LArchiveBase& archive, int64_t scale) const
{
    archive.WriteCount(Count());
    for (int32_t i = 0; i < Count(); ++i) {
        archive.WriteI32(entries_[i].position);
        // The stored value keeps the low 32 bits of the truncated quotient.
        archive.WriteI32(static_cast<int32_t>(static_cast<uint32_t>(entries_[i].time / scale)));
    }
}
