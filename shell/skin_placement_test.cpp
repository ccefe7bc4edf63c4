#include "shell/skin_placement.h"

#include "foundation/registry/reg_key.h"
#include "platform/deliverable_kind.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr char kPathVariable[] = "ZYL_SETTINGS_DB";

class SkinPlacementTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "skin_placement_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        if (const char* old = std::getenv(kPathVariable))
            oldPath_ = old;
        setenv(kPathVariable, (folder_ / "registry.db").c_str(), 1);
    }
    void TearDown() override
    {
        if (oldPath_)
            setenv(kPathVariable, oldPath_->c_str(), 1);
        else
            unsetenv(kPathVariable);
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    static void Store(const RasterRect& rect, bool skinMin)
    {
        LRegKey key(kSkinPlacementKey, true);
        key.WriteInt("Left", rect.left);
        key.WriteInt("Top", rect.top);
        key.WriteInt("Right", rect.right);
        key.WriteInt("Bottom", rect.bottom);
        key.WriteBool("SkinMin", skinMin);
    }

    fs::path folder_;
    std::optional<std::string> oldPath_;
};

bool SameRect(const RasterRect& a, const RasterRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(SkinPlacementTest, NothingStoredGivesTheDefault)
{
    const SkinPlacement placement = LoadSkinPlacement();
    EXPECT_FALSE(placement.maximized);
    EXPECT_FALSE(placement.skinMin);
    EXPECT_TRUE(SameRect(placement.rect, RasterRect{64, 64, 704, 544}));
}

TEST_F(SkinPlacementTest, StoredRectanglesTakenOrRefused)
{
    struct Case
    {
        RasterRect rect;
        bool taken;
    };
    const Case cases[] = {
        {{100, 100, 116, 300}, false}, // 16 wide
        {{100, 100, 117, 300}, true},  // 17 wide
        {{100, 100, 300, 116}, false},
        {{100, 100, 300, 117}, true},
        {{-500, -400, 300, 200}, true},
        {{300, 100, 100, 300}, false}, // right of left
        {{0, 0, 16384, 16384}, true},
        {{0, 0, 16385, 600}, false},                  // no display holds it
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, false}, // would overflow 32 bits
        {{INT_MAX, 0, INT_MIN, 600}, false},
    };
    for (const Case& c : cases) {
        Store(c.rect, true);
        const SkinPlacement placement = LoadSkinPlacement();
        EXPECT_EQ(SameRect(placement.rect, c.rect), c.taken) << c.rect.left << ".." << c.rect.right;
        if (!c.taken) {
            EXPECT_TRUE(SameRect(placement.rect, kDefaultSkinRect));
        }
        // SkinMin comes with all four sides, taken or not.
        EXPECT_TRUE(placement.skinMin);
    }
}

TEST_F(SkinPlacementTest, SkinMinNeedsAllFourSides)
{
    {
        LRegKey key(kSkinPlacementKey, true);
        key.WriteInt("Left", 10);
        key.WriteInt("Top", 10);
        key.WriteInt("Right", 500);
        key.WriteBool("SkinMin", true);
        key.WriteBool("Maximized", true);
    }
    const SkinPlacement placement = LoadSkinPlacement();
    EXPECT_TRUE(placement.maximized);
    EXPECT_FALSE(placement.skinMin);
    EXPECT_TRUE(SameRect(placement.rect, kDefaultSkinRect));
}

TEST_F(SkinPlacementTest, SavedPlacementLoadsBack)
{
    const RasterRect rect{20, 30, 820, 630};
    SaveSkinPlacement(false, &rect, true);
    SkinPlacement placement = LoadSkinPlacement();
    EXPECT_TRUE(SameRect(placement.rect, rect));
    EXPECT_TRUE(placement.skinMin);
    // Without a valid rectangle the old one stays stored.
    SaveSkinPlacement(true, nullptr, false);
    placement = LoadSkinPlacement();
    EXPECT_TRUE(placement.maximized);
    EXPECT_TRUE(SameRect(placement.rect, rect));
    EXPECT_FALSE(placement.skinMin);
}

TEST_F(SkinPlacementTest, TheControlsFrameKeepsItsPlacementApartFromThePlayers)
{
    const RasterRect player{20, 30, 820, 630};
    const RasterRect control{100, 200, 420, 440};
    SaveSkinPlacement(false, &player, false);
    const DeliverableKind before = CurrentDeliverableKind();
    SetDeliverableKind(DeliverableKind::Control);
    SaveSkinPlacement(false, &control, true);
    const SkinPlacement controls = LoadSkinPlacement();
    SetDeliverableKind(before);

    EXPECT_TRUE(SameRect(controls.rect, control));
    EXPECT_TRUE(controls.skinMin);
    const SkinPlacement players = LoadSkinPlacement();
    EXPECT_TRUE(SameRect(players.rect, player));
    EXPECT_FALSE(players.skinMin);
    int32_t left = 0;
    EXPECT_TRUE(LRegKey("Zyl Player ActiveX\\Window", false).ReadInt("Left", left));
    EXPECT_EQ(left, control.left);
}

} // namespace
