#include "conversion/lcvt_ctx.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Wants every item and records what reaches the sinks.
class RecordingCtx : public LCvtCtx
{
  public:
    bool WantsPicture(int32_t) override { return true; }
    bool WantsValue(int32_t) override { return true; }
    void PictureSink(int32_t item, const LPic& picture) override
    {
        items.push_back(item);
        pictures.push_back(picture);
    }
    void ValueSink(int32_t item, const void*) override { values.push_back(item); }

    std::vector<int32_t> items;
    std::vector<LPic> pictures;
    std::vector<int32_t> values;
};

LPic DarkAndRed()
{
    LPic pic;
    LPicEntry e;
    e.color.Set(10, 10, 10);
    pic.Append(e);
    e.color.Set(255, 0, 0);
    pic.Append(e);
    return pic;
}

} // namespace

TEST(LCvtCtx, BaseContextWantsNothingAndNeverStopsByDefault)
{
    LCvtCtx ctx;
    for (int32_t n = 0; n < 200; ++n) {
        EXPECT_FALSE(ctx.OnPicture(n, DarkAndRed()));
        EXPECT_FALSE(ctx.OnValue(n, nullptr));
        EXPECT_FALSE(ctx.OnImage(n, nullptr, true, 0));
    }
    EXPECT_FALSE(ctx.IsStopped());
    EXPECT_FALSE(ctx.Status().Failed());
}

TEST(LCvtCtx, PictureLimitStopsAfterTheLimitItem)
{
    RecordingCtx ctx;
    *ctx.Int(47) = 5;
    for (int32_t n = 0; n <= 6; ++n) {
        ctx.OnPicture(n, DarkAndRed());
    }
    EXPECT_EQ(ctx.items, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(ctx.IsStopped());
    EXPECT_TRUE(ctx.OnValue(7, nullptr));
    EXPECT_TRUE(ctx.values.empty());
    ctx.Reset();
    EXPECT_FALSE(ctx.OnValue(7, nullptr));
    EXPECT_EQ(ctx.values, (std::vector<int32_t>{7}));
}

TEST(LCvtCtx, ValueLimitCoversValuesAndImages)
{
    RecordingCtx ctx;
    *ctx.Int(46) = 2;
    ctx.OnImage(1, nullptr, false, 0);
    EXPECT_FALSE(ctx.IsStopped());
    ctx.OnImage(2, nullptr, false, 0);
    EXPECT_TRUE(ctx.IsStopped());
    EXPECT_TRUE(ctx.values.empty());
}

TEST(LCvtCtx, ColourOptions)
{
    struct Case
    {
        std::vector<int32_t> on;
        int32_t item;
        int32_t darkRed, darkGreen, index0, index1;
    };
    // Defaults: whiten dark (level 32), then the plain first-palette mapping by brightness.
    const Case cases[] = {
        {{}, 0, 255, 255, 0, 4},
        {{}, 3, 10, 10, 0, 0},          // item 3 passes untouched
        {{81}, 0, 255, 255, 0, 0},      // all white, not only the dark entry
        {{88, 89}, 0, 255, 255, 56, 0}, // third palette over second
        {{88}, 0, 255, 255, 1, 2},
        {{86}, 0, 255, 255, 0, 4}, // hue mapping of palette 1: grey gives index 0
        {{86, 89, 87}, 0, 255, 255, 56, 0},
    };
    for (const Case& c : cases) {
        RecordingCtx ctx;
        for (int32_t n : c.on) {
            *ctx.Switch(n) = 1;
        }
        ctx.OnPicture(c.item, DarkAndRed());
        ASSERT_EQ(ctx.pictures.size(), 1u);
        const LPic& p = ctx.pictures[0];
        EXPECT_EQ(p[0].color.red, c.darkRed) << c.on.size();
        EXPECT_EQ(p[0].color.green, c.darkGreen);
        EXPECT_EQ(p[0].color.index, c.index0);
        EXPECT_EQ(p[1].color.index, c.index1);
    }
    RecordingCtx ctx;
    *ctx.Switch(81) = 1;
    ctx.OnPicture(0, DarkAndRed());
    EXPECT_EQ(ctx.pictures[0][1].color.green, 255);
}
