#include "foundation/pictures/internal/bmp_rle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Decode8(const Bytes& data, int32_t pitch, int32_t height)
{
    Bytes pixels(static_cast<size_t>(pitch * height), 0xEE);
    DecodeRle8(data.data(), static_cast<int32_t>(data.size()), pixels.data(), pitch, height);
    return pixels;
}

Bytes Decode4(const Bytes& data, int32_t pitch, int32_t height)
{
    Bytes pixels(static_cast<size_t>(pitch * height), 0xEE);
    DecodeRle4(data.data(), static_cast<int32_t>(data.size()), pixels.data(), pitch, height);
    return pixels;
}

Bytes Encode(const Bytes& row, bool last)
{
    Bytes out(static_cast<size_t>(Rle8RowBound(static_cast<int32_t>(row.size()))), 0xCC);
    const int32_t n = EncodeRle8Row(row.data(), static_cast<int32_t>(row.size()), out.data(), last);
    out.resize(static_cast<size_t>(n));
    return out;
}

TEST(DecodeRle4, AbsoluteRunsAreAlignedToWords)
{
    // A run of 3 nibbles takes two bytes (no pad), a run of 5 takes three (one pad byte).
    const Bytes data = {0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 0x00, 2, 0x9A, 0, 1};
    const Bytes expect = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xEE, 0xEE};
    EXPECT_EQ(Decode4(data, 12, 1), expect);
}

TEST(DecodeRle4, EncodedRunsAlternateNibbles)
{
    const Bytes data = {5, 0xAB, 0, 0, 1, 0xCD, 0, 1};
    const Bytes expect = {0xA, 0xB, 0xA, 0xB, 0xA, 0xEE, 0xC, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(Decode4(data, 6, 2), expect);
}

TEST(DecodeRle4, DeltasMoveRightAndDown)
{
    const Bytes data = {2, 0x12, 0, 2, 1, 1, 1, 0x30, 0, 1}; // run of 2, delta (1, 1), one pixel, end
    const Bytes expect = {1, 2, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 3, 0xEE, 0xEE};
    EXPECT_EQ(Decode4(data, 6, 2), expect);
}

TEST(DecodeRle8, RunsLineEndsAndDeltas)
{
    const Bytes data = {2, 7, 0, 3, 1, 2, 3, 0, // run, absolute run of 3 with pad
                        0, 0,                   // end of line
                        0, 2, 1, 1,             // delta: one right, one down
                        1, 9, 0, 1,             // single pixel, end of picture
                        5, 5};                  // after the end: ignored
    Bytes expect(24, 0xEE);
    expect[0] = expect[1] = 7;
    expect[2] = 1, expect[3] = 2, expect[4] = 3;
    expect[2 * 8 + 1] = 9;
    EXPECT_EQ(Decode8(data, 8, 3), expect);
}

struct BoundsCase
{
    const char* what;
    Bytes data;
};

class DecodeRle8Bounds : public testing::TestWithParam<BoundsCase>
{
};

// Nothing is written outside the 4 x 2 buffer and nothing read beyond the data.
TEST_P(DecodeRle8Bounds, StopsInsideTheBuffer)
{
    const Bytes& data = GetParam().data;
    Bytes pixels(8 + 8, 0xEE);
    DecodeRle8(data.data(), static_cast<int32_t>(data.size()), pixels.data(), 4, 2);
    for (size_t i = 8; i < pixels.size(); ++i)
        EXPECT_EQ(pixels[i], 0xEE) << GetParam().what << " wrote at " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, DecodeRle8Bounds,
    testing::Values(BoundsCase{"run past the end", {6, 1, 6, 1}}, BoundsCase{"long run", {255, 1}},
                    BoundsCase{"absolute run past the end", {0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}},
                    BoundsCase{"absolute run beyond the data", {0, 200, 1, 2}},
                    BoundsCase{"delta out of the buffer", {0, 2, 0, 5, 1, 1}},
                    BoundsCase{"delta cut short", {0, 2, 1}}, BoundsCase{"odd byte", {3}},
                    BoundsCase{"many line ends", {0, 0, 0, 0, 0, 0, 4, 1}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(DecodeRle, EmptyOrDegenerateBuffersAreLeftAlone)
{
    const Bytes data = {2, 1};
    DecodeRle8(data.data(), 2, nullptr, 4, 1);
    DecodeRle4(nullptr, 4, nullptr, 0, 0);
    Bytes pixel(1, 0xEE);
    DecodeRle8(data.data(), 2, pixel.data(), 1, 0);
    EXPECT_EQ(pixel[0], 0xEE);
}

struct EncodeCase
{
    const char* what;
    Bytes row;
    bool last;
    Bytes expect;
};

class EncodeRle8RowCases : public testing::TestWithParam<EncodeCase>
{
};

TEST_P(EncodeRle8RowCases, KnownAnswers)
{
    EXPECT_EQ(Encode(GetParam().row, GetParam().last), GetParam().expect) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EncodeRle8RowCases,
    testing::Values(
        EncodeCase{"run of four", {5, 5, 5, 5}, false, {4, 5, 0, 0}},
        EncodeCase{"last row ends the picture", {5, 5, 5, 5}, true, {4, 5, 0, 1}},
        EncodeCase{"pair without pending literals", {1, 1, 2, 3, 4}, false, {2, 1, 0, 3, 2, 3, 4, 0, 0, 0}},
        EncodeCase{"pair joins pending literals", {1, 2, 3, 3, 4}, false, {0, 5, 1, 2, 3, 3, 4, 0, 0, 0}},
        EncodeCase{"pair at the end of the row", {1, 2, 7, 7}, false, {1, 1, 1, 2, 2, 7, 0, 0}},
        EncodeCase{"literal of two equal bytes", {1, 2, 2, 2, 2}, false, {1, 1, 4, 2, 0, 0}},
        EncodeCase{"two different literals", {1, 2, 9, 9, 9, 9}, false, {1, 1, 1, 2, 4, 9, 0, 0}},
        EncodeCase{
            "even literal without pad", {1, 2, 3, 4, 8, 8, 8, 8}, false, {0, 4, 1, 2, 3, 4, 4, 8, 0, 0}},
        EncodeCase{"single pixel", {6}, false, {1, 6, 0, 0}}, EncodeCase{"empty row", {}, true, {0, 1}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(EncodeRle8Row, LongRunsSplitInto254s)
{
    const Bytes encoded = Encode(Bytes(600, 3), false);
    EXPECT_EQ(encoded, (Bytes{254, 3, 254, 3, 92, 3, 0, 0}));
}

TEST(EncodeRle8Row, LongLiteralsSplitInto254s)
{
    Bytes row(256);
    for (size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<uint8_t>(i);
    const Bytes encoded = Encode(row, false);
    ASSERT_EQ(encoded.size(), 2 + 254 + 4 + 2);
    EXPECT_EQ(encoded[0], 0);
    EXPECT_EQ(encoded[1], 254);
    EXPECT_EQ((Bytes(encoded.begin() + 256, encoded.end())), (Bytes{1, 254, 1, 255, 0, 0}));
}

// Random rows of few values (so that runs of every length occur) decode to themselves, and
// the encoder stays within its bound.
TEST(EncodeRle8Row, RoundTripsThroughTheDecoder)
{
    std::mt19937 random(1234);
    for (int trial = 0; trial < 2000; ++trial) {
        const int32_t width = static_cast<int32_t>(random() % 700) + 1;
        const uint32_t values = random() % 4 + 1;
        Bytes row(static_cast<size_t>(width));
        for (auto& b : row)
            b = static_cast<uint8_t>(random() % values + (random() % 8 == 0 ? random() % 256 : 0));
        if (random() % 3 == 0)
            std::fill(row.begin(), row.begin() + random() % width, row[0]);
        const Bytes encoded = Encode(row, true);
        ASSERT_LE(static_cast<int64_t>(encoded.size()), Rle8RowBound(width));
        EXPECT_EQ(Decode8(encoded, width, 1), row) << "trial " << trial;
    }
}

TEST(EncodeRle8Row, WorstCaseFitsTheBound)
{
    // Single pixels between runs of four cost two bytes a pixel.
    Bytes row;
    for (int i = 0; i < 100; ++i) {
        row.push_back(static_cast<uint8_t>(i));
        row.insert(row.end(), 4, static_cast<uint8_t>(200 + i % 2));
    }
    row.push_back(1);
    const Bytes encoded = Encode(row, false);
    EXPECT_LE(static_cast<int64_t>(encoded.size()), Rle8RowBound(static_cast<int32_t>(row.size())));
    EXPECT_EQ(Decode8(encoded, static_cast<int32_t>(row.size()), 1), row);
}

} // namespace
