#pragma once
// The byte layout of a show file (".zyl"): a short plain prefix, then a body through the
// enciphering layer that starts with the header and holds data records (frames, sound chunks)
// and the index, a tagged sequence of records that is the only way to find them.

#include <cstdint>

namespace ShowFile {

// Plain prefix.
inline constexpr char kMagic[4] = {'Z', 'Y', 'L', '\0'};
inline constexpr int32_t kPrefixVersion = 2;
inline constexpr int32_t kPrefixOldestReader = 0;
// From this prefix version on the body carries header part 2.
inline constexpr int32_t kHeaderPart2FromVersion = 2;

// Header part 2's version block.
inline constexpr int32_t kHeaderVersion = 1;
// Oldest reader when a user-data block is stored, else kHeaderOldestReaderPlain.
inline constexpr int32_t kHeaderOldestReaderUserData = 1;
inline constexpr int32_t kHeaderOldestReaderPlain = 0;

// Times of a new recording until its first frame arrives: one hour.
inline constexpr int64_t kStartTimeUs = 3600000000;

// Data record tags.
enum RecordTag : int32_t {
    kRecordSound = 1,
    kRecordPlainFrame = 2,
    kRecordNilFrame = 3,
    kRecordCodedFrame = 6,
};

// Index record tags. A frame index in its "NIL" variant (3, 7) says that the channel's last entry
// is a NIL entry; the plain variant (2, 6) that it is a frame. Writer and reader keep this one
// sense, the one of the data records (3 is the NIL frame), so that a show read and written again
// keeps its flags. Only writers look at the flag (to see where a closing NIL is needed); a player
// ignores it, so a file written with the other sense plays the same.
enum IndexTag : int32_t {
    kIndexEnd = 0,
    kIndexSound = 1,
    kIndexFramesLong = 2,
    kIndexFramesLongNil = 3,
    kIndexOutputPars = 4,
    kIndexCodecTables = 5,
    kIndexFramesCompact = 6,
    kIndexFramesCompactNil = 7,
    kIndexBitmap = 8,
    kIndexIgnoredPair = 9,
    kIndexOpaqueValue = 16,
    kIndexUserData = 32,
};

inline constexpr int32_t kServers = 32;
inline constexpr int32_t kStreamChannels = 32;
// Controller channels per server that a recording maps to stream channels.
inline constexpr int32_t kRecordChannels = 8;
inline constexpr int32_t kBitmapSlots = 4;
inline constexpr int32_t kUserDataBlocks = 4;

inline constexpr int32_t kSoundChunkBytes = 8192;
// Compact frame indexes store milliseconds.
inline constexpr int64_t kCompactFrameScale = 1000;
inline constexpr int64_t kSoundIndexScale = 1;

// A recording closes each channel with a NIL entry this long after its last frame.
inline constexpr int64_t kClosingNilAfterUs = 100000;

// Bytes of the whole file beyond a body position that must be there before a reader tries
// again: the prefix and the enciphering layer's framing fit in it.
inline constexpr int32_t kNeededMargin = 256;
// Slack after a sound chunk's record end before a partly loaded show reads it.
inline constexpr int32_t kSoundChunkSlack = 64;

} // namespace ShowFile
