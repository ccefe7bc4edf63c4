#include "show/vorbis_setup_check.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kSetupPacketType = 5;
constexpr char kVorbisTag[] = "vorbis";
constexpr size_t kTagBytes = sizeof kVorbisTag - 1;
constexpr size_t kPreambleBytes = 1 + kTagBytes;

constexpr int64_t kBookSync = 0x564342;
constexpr int kLongestCodeword = 32;
// The library's own bound on a book's size: dimensions and entries together in 24 bits.
constexpr int kMostBookBits = 24;
enum LookupType : int64_t { kNoLookup = 0, kImplicitLookup = 1, kExplicitLookup = 2 };

constexpr char kTruncatedText[] = "Ogg Vorbis setup header ends inside codebook %d!";
constexpr char kBrokenBookText[] = "Ogg Vorbis codebook %d is damaged!";
constexpr char kNoDimensionsText[] = "Ogg Vorbis codebook %d has values but no dimensions!";
constexpr char kBadTreeText[] = "Ogg Vorbis codebook %d has codeword lengths that make no complete code!";

// Vorbis packs values from the least significant bit of each byte on. A read past the end
// yields -1 and keeps failing, as the library's reader does.
class VorbisBitReader
{
  public:
    VorbisBitReader(const uint8_t* data, size_t size) : data_(data), bits_(uint64_t{size} * 8) {}

    int64_t Read(int count)
    {
        if (overrun_ || bits_ - position_ < static_cast<uint64_t>(count)) {
            overrun_ = true;
            return -1;
        }
        int64_t value = 0;
        for (int i = 0; i < count; ++i, ++position_) {
            const int bit = data_[position_ / 8] >> (position_ % 8) & 1;
            value |= int64_t{bit} << i;
        }
        return value;
    }

    void Skip(uint64_t count)
    {
        if (overrun_ || bits_ - position_ < count) {
            overrun_ = true;
            return;
        }
        position_ += count;
    }

    // Whole bytes not yet touched, as the library counts them when it checks a book's size.
    uint64_t BytesLeft() const { return bits_ / 8 - (position_ + 7) / 8; }
    bool Overrun() const { return overrun_; }

  private:
    const uint8_t* data_;
    uint64_t bits_;
    uint64_t position_ = 0;
    bool overrun_ = false;
};

int BitLength(int64_t value)
{
    int bits = 0;
    for (; value > 0; value >>= 1) {
        ++bits;
    }
    return bits;
}

// The greatest v with v^dimensions <= entries: how many values an implicit lookup holds per
// dimension.
int64_t ImplicitLookupValues(int64_t entries, int64_t dimensions)
{
    const auto fits = [&](int64_t v) {
        if (v == 1) {
            return true;
        }
        int64_t power = 1;
        for (int64_t i = 0; i < dimensions; ++i) {
            power *= v;
            if (power > entries) {
                return false;
            }
        }
        return true;
    };
    int64_t low = 1;
    int64_t high = entries;
    while (low < high) {
        const int64_t mid = low + (high - low + 1) / 2;
        if (fits(mid)) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return entries < 1 ? 0 : low;
}

enum class BookResult { kFine, kTruncated, kBroken, kNoDimensions, kBadTree };

// Hands out codewords in entry order as the library does, each the leftmost free node of its
// length. The lengths must fill the code tree exactly: the library cannot build its tables from
// an overfull or a partly empty tree (the one exception is a single codeword of one bit), and it
// then decodes with the tables it left half built.
bool CodeTreeIsComplete(const std::vector<uint8_t>& lengths)
{
    constexpr int kLevels = kLongestCodeword + 1;
    uint32_t next[kLevels] = {}; // per length, the next free node, as a code of that length
    int64_t used = 0;
    for (const uint8_t length : lengths) {
        if (length == 0) {
            continue;
        }
        uint32_t taken = next[length];
        if (length < kLongestCodeword && taken >> length != 0) {
            return false;
        }
        ++used;
        for (int j = length; j > 0; --j) {
            if (next[j] & 1) {
                next[j] = j == 1 ? next[1] + 1 : next[j - 1] << 1;
                break;
            }
            ++next[j];
        }
        // Longer free nodes hanging below the node just taken move below the new free one.
        for (int j = length + 1; j < kLevels && next[j] >> 1 == taken; ++j) {
            taken = next[j];
            next[j] = next[j - 1] << 1;
        }
    }
    if (used == 1 && next[2] == 2) {
        return true;
    }
    for (int i = 1; i < kLevels; ++i) {
        if (next[i] & (uint64_t{0xffffffff} >> (kLongestCodeword - i))) {
            return false;
        }
    }
    return true;
}

BookResult ReadCodewordLengths(VorbisBitReader& bits, int64_t entries, std::vector<uint8_t>& lengths)
{
    if (bits.Read(1) == 0) {
        const int64_t sparse = bits.Read(1);
        if (sparse < 0 || static_cast<uint64_t>((entries * (sparse ? 1 : 5) + 7) >> 3) > bits.BytesLeft()) {
            return BookResult::kTruncated;
        }
        lengths.assign(static_cast<size_t>(entries), 0);
        for (auto& length : lengths) {
            // A failed flag read counts as set, as in the library: the length read then fails.
            if (!sparse || bits.Read(1) != 0) {
                length = static_cast<uint8_t>(bits.Read(5) + 1);
            }
        }
        return bits.Overrun() ? BookResult::kTruncated : BookResult::kFine;
    }
    if (bits.Overrun()) {
        return BookResult::kTruncated;
    }
    int64_t length = bits.Read(5) + 1;
    if (length == 0) {
        return BookResult::kTruncated;
    }
    for (int64_t i = 0; i < entries; ++length) {
        const int64_t count = bits.Read(BitLength(entries - i));
        if (count < 0) {
            return BookResult::kTruncated;
        }
        if (length > kLongestCodeword || count > entries - i || (count > 0 && (count - 1) >> (length - 1) > 1)) {
            return BookResult::kBroken;
        }
        lengths.insert(lengths.end(), static_cast<size_t>(count), static_cast<uint8_t>(length));
        i += count;
    }
    return BookResult::kFine;
}

BookResult ReadLookup(VorbisBitReader& bits, int64_t dimensions, int64_t entries)
{
    const int64_t type = bits.Read(4);
    if (type == kNoLookup) {
        return BookResult::kFine;
    }
    if (type != kImplicitLookup && type != kExplicitLookup) {
        return bits.Overrun() ? BookResult::kTruncated : BookResult::kBroken;
    }
    if (dimensions == 0) {
        return BookResult::kNoDimensions;
    }
    bits.Skip(32 + 32); // minimum value and delta
    const int64_t valueBits = bits.Read(4) + 1;
    bits.Read(1); // sequence flag
    if (bits.Overrun()) {
        return BookResult::kTruncated;
    }
    const int64_t values =
        type == kImplicitLookup ? ImplicitLookupValues(entries, dimensions) : entries * dimensions;
    if (static_cast<uint64_t>((values * valueBits + 7) >> 3) > bits.BytesLeft()) {
        return BookResult::kTruncated;
    }
    bits.Skip(static_cast<uint64_t>(values * valueBits));
    return bits.Overrun() ? BookResult::kTruncated : BookResult::kFine;
}

BookResult ReadCodebook(VorbisBitReader& bits)
{
    if (bits.Read(24) != kBookSync) {
        return bits.Overrun() ? BookResult::kTruncated : BookResult::kBroken;
    }
    const int64_t dimensions = bits.Read(16);
    const int64_t entries = bits.Read(24);
    if (entries < 0) {
        return BookResult::kTruncated;
    }
    if (BitLength(dimensions) + BitLength(entries) > kMostBookBits) {
        return BookResult::kBroken;
    }
    std::vector<uint8_t> lengths;
    if (const BookResult read = ReadCodewordLengths(bits, entries, lengths); read != BookResult::kFine) {
        return read;
    }
    if (!CodeTreeIsComplete(lengths)) {
        return BookResult::kBadTree;
    }
    return ReadLookup(bits, dimensions, entries);
}

} // namespace

bool IsVorbisSetupHeader(const uint8_t* packet, size_t size)
{
    return size >= kPreambleBytes && packet[0] == kSetupPacketType &&
           std::memcmp(packet + 1, kVorbisTag, kTagBytes) == 0;
}

CError CheckVorbisSetupHeader(const uint8_t* packet, size_t size)
{
    if (!IsVorbisSetupHeader(packet, size)) {
        return CError();
    }
    VorbisBitReader bits(packet + kPreambleBytes, size - kPreambleBytes);
    const int64_t books = bits.Read(8) + 1;
    if (bits.Overrun()) {
        return CError::CErrorFromText(XAString::Format(kTruncatedText, 0), 0);
    }
    for (int32_t book = 0; book < books; ++book) {
        switch (ReadCodebook(bits)) {
        case BookResult::kFine:
            break;
        case BookResult::kTruncated:
            return CError::CErrorFromText(XAString::Format(kTruncatedText, book), 0);
        case BookResult::kBroken:
            return CError::CErrorFromText(XAString::Format(kBrokenBookText, book), 0);
        case BookResult::kNoDimensions:
            return CError::CErrorFromText(XAString::Format(kNoDimensionsText, book), 0);
        case BookResult::kBadTree:
            return CError::CErrorFromText(XAString::Format(kBadTreeText, book), 0);
        }
    }
    return CError();
}
