#pragma once
// ShowIndexArray: the time index of one stream channel (or of the sound track, whose "times"
// are byte offsets): file positions of records, ordered by time, with a cursor that makes
// lookups at increasing times a step or two.

#include "foundation/strings/h_array.h"

#include <cstdint>

class LArchiveBase;

struct ShowIndexEntry
{
    int32_t position = 0; // body position of the record
    int64_t time = 0;     // microseconds (sound: byte offset)
};

class ShowIndexArray
{
  public:
    static constexpr int32_t kNone = -1;
    // Index arrays grow in large steps: shows hold many entries per channel.
    static constexpr int32_t kGrowStep = 30000;
    static constexpr int32_t kLongEntryBytes = 12;
    static constexpr int32_t kCompactEntryBytes = 8;

    void Clear();
    // False when memory runs out.
    bool Append(int32_t position, int64_t time);
    // Takes one entry out; false for an index outside the entries.
    bool Remove(int32_t index);

    enum class Pass { kKeep, kDrop, kStop };
    // Takes out, in one pass however many go, the entries that visit(i, lastKept) drops. visit
    // sees each entry's index in order, with the last entry kept before it (null for none);
    // entries from i on are still as they were. After kStop the rest stay, unvisited.
    template <class Visit> void Filter(Visit visit);

    int32_t Count() const { return entries_.GetSize(); }
    bool IsEmpty() const { return entries_.GetSize() == 0; }
    const ShowIndexEntry& operator[](int32_t index) const { return entries_[index]; }
    ShowIndexEntry& operator[](int32_t index) { return entries_[index]; }
    const ShowIndexEntry& First() const { return entries_[0]; }
    const ShowIndexEntry& Last() const { return entries_[entries_.GetSize() - 1]; }
    ShowIndexEntry& Last() { return entries_[entries_.GetSize() - 1]; }

    // The last entry whose time (position) is <= the key, or kNone when the array is empty or
    // the key precedes the first entry. Moves the cursor.
    int32_t FindByTime(int64_t time);
    int32_t FindByPosition(int64_t position);

    // Adds delta to every position; false, changing nothing, when a moved position would fall
    // outside [low, high).
    bool ShiftPositions(int32_t delta, int32_t low, int32_t high);

    // The stored forms. A reader stops at limit (the body position where the index ends): an
    // entry count that cannot fit before it puts the archive in error and reads nothing.
    void ReadLong(LArchiveBase& archive, int32_t limit);
    void WriteLong(LArchiveBase& archive) const;
    void ReadCompact(LArchiveBase& archive, int64_t scale, int32_t limit);
    void WriteCompact(LArchiveBase& archive, int64_t scale) const;

  private:
    template <class Key> int32_t Find(int64_t key, Key keyOf);
    // The entry count of a stored array, or -1 with the archive in error.
    int32_t ReadEntryCount(LArchiveBase& archive, int32_t entryBytes, int32_t limit);
    // Room for n entries; on failure the archive gets the out-of-memory error and the entries
    // are skipped.
    bool Reserve(LArchiveBase& archive, int32_t n, int32_t entryBytes);

    HArray<ShowIndexEntry> entries_;
    int32_t cursor_ = kNone;
};

template <class Visit> void ShowIndexArray::Filter(Visit visit)
{
    const int32_t count = Count();
    int32_t kept = 0;
    int32_t i = 0;
    for (; i < count; ++i) {
        const Pass pass = visit(i, kept > 0 ? &entries_[kept - 1] : nullptr);
        if (pass == Pass::kStop)
            break;
        if (pass == Pass::kKeep)
            entries_[kept++] = entries_[i];
    }
    for (; i < count; ++i)
        entries_[kept++] = entries_[i];
    if (kept < count)
        entries_.RemoveAt(entries_.IterAt(kept), count - kept);
    cursor_ = kNone;
}
