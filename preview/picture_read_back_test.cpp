#include "preview/picture_read_back.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

// A driver whose answers the test chooses. Pixels tell their row, column and channel, and, for a
// picture that keeps changing, which render they came from.
class FakeDriver final : public LPictureSource
{
  public:
    static uint8_t Byte(int32_t row, int32_t column, int32_t channel, int32_t render)
    {
        return static_cast<uint8_t>(row * 7 + column * 3 + channel + render * 50);
    }

    void Render() override { ++renders; }
    bool ReadRows(int32_t firstRow, int32_t width, int32_t rows, uint8_t* target) override
    {
        reads.emplace_back(firstRow, rows);
        if (failsRead && failsRead(rows))
            return false;
        if (leavesUntouched && leavesUntouched(rows))
            return true;
        const int32_t render = changing ? renders - 1 : 0;
        for (int32_t r = 0; r < rows; ++r) {
            for (int32_t c = 0; c < width; ++c) {
                for (int32_t k = 0; k < 4; ++k)
                    target[(static_cast<size_t>(r) * width + c) * 4 + k] = Byte(firstRow + r, c, k, render);
            }
        }
        return true;
    }

    std::function<bool(int32_t rows)> failsRead;
    std::function<bool(int32_t rows)> leavesUntouched;
    bool changing = false;
    int32_t renders = 0;
    std::vector<std::pair<int32_t, int32_t>> reads;
};

using Reads = std::vector<std::pair<int32_t, int32_t>>;

// The reads of one render of a picture this high in strips of these heights.
Reads Strips(int32_t height, std::initializer_list<int32_t> failedHeights, int32_t stripRows)
{
    Reads reads;
    for (int32_t failed : failedHeights)
        reads.emplace_back(0, failed);
    for (int32_t row = 0; row < height; row += stripRows)
        reads.emplace_back(row, std::min(stripRows, height - row));
    return reads;
}

Reads Twice(const Reads& once)
{
    Reads both = once;
    both.insert(both.end(), once.begin(), once.end());
    return both;
}

// Whether the picture holds what the driver drew in that render; `topFirst` as it was asked.
bool HoldsRender(const HImageRef& picture, int32_t render, bool topFirst)
{
    const HMemRef pixels = picture->LockPixels();
    const auto* bytes = static_cast<const uint8_t*>(pixels.GetData());
    const int32_t height = picture->Height();
    for (int32_t line = 0; line < height; ++line) {
        const int32_t row = topFirst ? height - 1 - line : line;
        for (int32_t c = 0; c < picture->Width(); ++c) {
            for (int32_t k = 0; k < 4; ++k) {
                if (bytes[static_cast<size_t>(line) * picture->Pitch() + c * 4 + k] !=
                    FakeDriver::Byte(row, c, k, render))
                    return false;
            }
        }
    }
    return true;
}

TEST(ReadBackPictureTest, ThreeHundredRowsComeInOneStripAndTwoRendersThatAgree)
{
    FakeDriver driver;
    const HImageRef picture = ReadBackPicture(driver, 5, 300, false);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture->Width(), 5);
    EXPECT_EQ(picture->Height(), 300);
    EXPECT_STREQ(picture->GetName().CStr(), "Beamvista");
    EXPECT_EQ(driver.renders, 2);
    EXPECT_EQ(driver.reads, Twice(Strips(300, {}, 300)));
    EXPECT_TRUE(HoldsRender(picture, 0, false));
}

TEST(ReadBackPictureTest, TopRowFirstPutsTheWindowsTopRowFirst)
{
    FakeDriver driver;
    const HImageRef picture = ReadBackPicture(driver, 3, 4, true);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_TRUE(HoldsRender(picture, 0, true));
}

TEST(ReadBackPictureTest, UntouchedSentinelsHalveTheStripDownTo128Rows)
{
    FakeDriver driver;
    driver.leavesUntouched = [](int32_t rows) { return rows > 128; };
    const HImageRef picture = ReadBackPicture(driver, 2, 1100, false);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(driver.reads, Twice(Strips(1100, {1024, 512, 256}, 128)));
    EXPECT_TRUE(HoldsRender(picture, 0, false));
}

TEST(ReadBackPictureTest, StripsBelow128RowsAreTakenEvenWithTheirSentinelsUntouched)
{
    FakeDriver driver;
    driver.leavesUntouched = [](int32_t) { return true; };
    const HImageRef picture = ReadBackPicture(driver, 2, 1024, false);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(driver.reads, Twice(Strips(1024, {1024, 512, 256, 128}, 64)));
    const HMemRef pixels = picture->LockPixels();
    const auto* words = static_cast<const uint32_t*>(pixels.GetData());
    EXPECT_EQ(words[0], kReadBackSentinel1);
    EXPECT_EQ(words[1], kReadBackSentinel2);
}

TEST(ReadBackPictureTest, ADriverErrorHalvesTheStripAtAnyHeight)
{
    FakeDriver driver;
    driver.failsRead = [](int32_t rows) { return rows > 100; };
    const HImageRef picture = ReadBackPicture(driver, 2, 300, false);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(driver.reads, Twice(Strips(300, {300, 150}, 75)));
    EXPECT_TRUE(HoldsRender(picture, 0, false));
}

TEST(ReadBackPictureTest, NoPictureWhenEveryStripHeightFailsOrTheSizeIsEmpty)
{
    FakeDriver driver;
    driver.failsRead = [](int32_t) { return true; };
    EXPECT_TRUE(ReadBackPicture(driver, 2, 300, true).IsEmpty());
    EXPECT_EQ(driver.reads, Strips(0, {300, 150, 75, 37, 18, 9, 4, 2, 1}, 1));

    FakeDriver none;
    EXPECT_TRUE(ReadBackPicture(none, 0, 300, true).IsEmpty());
    EXPECT_TRUE(ReadBackPicture(none, 300, 0, true).IsEmpty());
    EXPECT_TRUE(none.reads.empty());
}

TEST(ReadBackPictureTest, DifferingRendersAreTriedFiveTimesThenTheFifthAttemptsFirstIsTaken)
{
    FakeDriver driver;
    driver.changing = true;
    const HImageRef picture = ReadBackPicture(driver, 3, 10, false);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(driver.renders, 2 * kReadBackAttempts);
    EXPECT_TRUE(HoldsRender(picture, 2 * (kReadBackAttempts - 1), false));
}

} // namespace
