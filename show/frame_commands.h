#pragma once
// The command words of a laser frame: opcodes, lengths and field positions. Every bit
// position here is part of the show file format.

#include <cstdint>

enum LFrameOpcode : uint32_t {
    kOpRepeat = 0,
    kOpAttr = 1,
    kOpMove = 17,
    kOpMoveAttr = 18,
    kOpRamp = 32,
    kOpHeader = 34,
    kOpHeaderTime = 36,
    kOpSelect = 48,
    kOpTime = 50,
    kOpImage = 68,
};

// Bits 24-31 of every word are unused: writers leave them 0, comparisons ignore them.
constexpr uint32_t kFrameWordBits = 0xFFFFFF;
constexpr uint32_t kFrameOpcodeBits = 0xFF;
// Ramp word 288 = Ramp with the "simulate shutter ramps" bit.
constexpr uint32_t kRampModeBit = 0x100;
// Attribute values carry the blank flag above the 6 attribute bits.
constexpr uint32_t kAttributeBits = 0x3F;
constexpr uint32_t kBlankAttribute = 0x40;
// In an Attr word the attribute value sits in bits 16-22, so its blank flag is bit 22.
constexpr uint32_t kAttrBlankBit = kBlankAttribute << 16;
constexpr uint32_t kMaxPointCount = 255;

constexpr int32_t kTimeTickMicroseconds = 48;
// Scan rates: the rate word counts points per second x 32.768.
constexpr double kRateWordToPointsPerSecond = 0.030517578125;
constexpr double kPointsPerSecondToRateWord = 32.768;
constexpr double kMinRate = 1000.0;
constexpr double kMaxRate = 256000.0;
constexpr double kDefaultRate = 30000.0;

// A command is (opcode AND 15) + 1 words long, so unknown commands can be skipped.
inline int32_t FrameCommandLength(uint32_t word0)
{
    return static_cast<int32_t>(word0 & 15) + 1;
}

inline uint32_t FrameOpcode(uint32_t word0)
{
    return word0 & kFrameOpcodeBits;
}

inline uint32_t FrameByte(uint32_t word, int shift)
{
    return (word >> shift) & 0xFF;
}

// Coordinates and image ids sit in bits 8-23.
inline int16_t FrameInt16(uint32_t word)
{
    return static_cast<int16_t>(static_cast<uint16_t>(word >> 8));
}

inline uint32_t FrameInt16Field(int32_t value)
{
    return static_cast<uint32_t>(static_cast<uint16_t>(value)) << 8;
}

// Times count 48 µs ticks split into two 24-bit halves.
inline int64_t FrameTimeMicroseconds(uint32_t highWord, uint32_t lowWord)
{
    const uint64_t ticks =
        (static_cast<uint64_t>(highWord & kFrameWordBits) << 24) | (lowWord & kFrameWordBits);
    return static_cast<int64_t>(ticks) * kTimeTickMicroseconds;
}

inline double ClampRate(double pointsPerSecond)
{
    if (pointsPerSecond < kMinRate)
        return kMinRate;
    return pointsPerSecond > kMaxRate ? kMaxRate : pointsPerSecond;
}

inline double RateFromWord(uint32_t rateWord)
{
    return ClampRate((rateWord & kFrameWordBits) * kRateWordToPointsPerSecond);
}

// Calls visit(command words, length) for every whole command among the first count words;
// stops when visit returns false or a command would run past the count.
template <class Visit> void WalkFrameCommands(const uint32_t* words, int32_t count, Visit&& visit)
{
    for (int32_t i = 0; i < count;) {
        const int32_t length = FrameCommandLength(words[i]);
        if (length > count - i || !visit(words + i, length))
            return;
        i += length;
    }
}
