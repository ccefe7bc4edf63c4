#include "preview/collect_paths.h"
#include "preview/test_support/playback_harness.h"
#include "foundation/files/test_support/temp_tree_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int64_t kSecond = 1000000;

// Records what the list asks of the preview, in order.
class RoutingHarness : public PlaybackHarness
{
  public:
    bool LoadSettingsFile(const XAString& path) override
    {
        log.push_back("settings " + Name(path));
        return true;
    }
    bool LoadBackgroundImage(const XAString& path) override
    {
        log.push_back("picture " + Name(path));
        return Name(path) != "broken.png";
    }
    void OnShowOpened() override
    {
        PlaybackHarness::OnShowOpened();
        log.push_back("show " + Name(playback.CurrentPath()));
    }

    static std::string Name(const XAString& path) { return std::filesystem::path(path.CStr()).filename().string(); }

    std::vector<std::string> log;
};

class ShowListTest : public TempTreeFixture
{
  protected:
    std::string Show(const std::string& name, double seconds = 2.0)
    {
        std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
        const std::string path = MakeHarnessShow(Root(), name, {48000, seconds, false});
        EXPECT_FALSE(path.empty()) << name;
        return path;
    }
    static std::vector<std::string> Names(const LShowPlayback& p)
    {
        std::vector<std::string> names;
        for (int32_t i = 0; i < p.EntryCount(); ++i)
            names.push_back(RoutingHarness::Name(p.Entry(i).path));
        return names;
    }
};

TEST_F(ShowListTest, NextPreviousAndCloseWrapAround)
{
    PlaybackHarness h;
    for (const char* name : {"a.zyl", "b.zyl", "c.zyl"})
        ASSERT_TRUE(h.playback.AddShow(XAString(Show(name).c_str()), XAString(), -1, nullptr, true));
    EXPECT_EQ(h.playback.CurrentIndex(), 0);
    ASSERT_TRUE(h.playback.StepFile(false));
    EXPECT_EQ(h.playback.CurrentIndex(), 2);
    ASSERT_TRUE(h.playback.StepFile(true));
    EXPECT_EQ(h.playback.CurrentIndex(), 0);
    // Paused stays paused across files.
    ASSERT_TRUE(h.playback.Pause());
    ASSERT_TRUE(h.playback.StepFile(true));
    EXPECT_TRUE(h.playback.IsPaused());
    // Closing the last of three opens the first; closing the only one leaves nothing.
    ASSERT_TRUE(h.playback.StepFile(true));
    ASSERT_EQ(h.playback.CurrentIndex(), 2);
    ASSERT_TRUE(h.playback.CloseCurrentEntry());
    EXPECT_EQ(h.playback.CurrentIndex(), 0);
    EXPECT_EQ(Names(h.playback), (std::vector<std::string>{"a.zyl", "b.zyl"}));
    h.playback.CloseAll(true);
    EXPECT_FALSE(h.playback.IsPaused());
    ASSERT_TRUE(h.playback.AddShow(XAString(Show("d.zyl").c_str()), XAString(), -1, nullptr, true));
    EXPECT_FALSE(h.playback.CloseCurrentEntry());
    EXPECT_EQ(h.playback.EntryCount(), 0);
    EXPECT_EQ(h.playback.CurrentIndex(), -1);
    EXPECT_FALSE(h.playback.Play());
    EXPECT_FALSE(h.playback.Navigate(4));
}

TEST_F(ShowListTest, EndAndBackwardsOpeningFollowTheShowsLength)
{
    // End: 5 s before the end, or three quarters in for shows shorter than 20 s.
    struct Case
    {
        double seconds;
        bool threeQuarters;
    };
    for (const Case c : {Case{10.0, true}, Case{60.0, false}, Case{0.5, true}}) {
        PlaybackHarness h;
        ASSERT_TRUE(h.playback.AddShow(XAString(Show("s.zyl", c.seconds).c_str()), XAString(), -1, nullptr, true));
        const int64_t first = h.playback.Stream().FirstTime();
        const int64_t last = h.playback.Stream().LastTime();
        ASSERT_TRUE(h.playback.Navigate(2));
        const int64_t span = last - first;
        EXPECT_EQ(h.playback.PlayClock().value - first, c.threeQuarters ? span * 3 / 4 : span - 5 * kSecond)
            << c.seconds;
        ASSERT_TRUE(h.playback.Navigate(1));
        EXPECT_EQ(h.playback.PlayClock().value, first);
        // Opened backwards: 1 s before the end, never before the start.
        ASSERT_TRUE(h.playback.OpenEntry(0, true, true, nullptr, true));
        EXPECT_EQ(h.playback.PlayClock().value, std::max(first, last - kSecond)) << c.seconds;
    }
}

TEST_F(ShowListTest, CollectedPathsAreSortedAndRoutedByExtension)
{
    Show("drop/b.zyl");
    MakeFile("drop/a.zyp");
    MakeFile("drop/c.png");
    MakeFile("drop/notes.txt");
    Show("folder/Show10.zyl");
    Show("folder/Show2.zyl");
    Show("folder/sub/Show1.zyl");
    std::filesystem::create_directory_symlink(Path("folder"), Path("link"));
    std::filesystem::create_directory_symlink(Path("folder"), Path("folder/sub/loop"));

    RoutingHarness h;
    const auto drop = [&](std::vector<std::string> names, bool append) {
        std::vector<XAString> list;
        for (const std::string& name : names)
            list.push_back(XAString(Path(name).c_str()));
        return h.playback.OpenDropped(list, append);
    };
    ASSERT_TRUE(drop({"drop/b.zyl", "drop/a.zyp", "drop/c.png", "drop/notes.txt"}, false));
    EXPECT_EQ(h.log, (std::vector<std::string>{"settings a.zyp", "show b.zyl", "picture c.png"}));

    // A dropped folder, walked recursively and sorted by path; Show2 before Show10. It replaces
    // the list.
    h.log.clear();
    ASSERT_TRUE(drop({"folder"}, false));
    EXPECT_EQ(Names(h.playback), (std::vector<std::string>{"Show2.zyl", "Show10.zyl", "Show1.zyl"}));
    // With Shift held, a link to the folder adds its shows; the link back up is not followed.
    ASSERT_TRUE(drop({"link"}, true));
    EXPECT_EQ(h.playback.EntryCount(), 6);
    EXPECT_EQ(h.playback.CurrentIndex(), 0);

    // A picture that fails stops the remaining paths.
    MakeFile("bad/broken.png");
    Show("bad/z.zyl");
    h.log.clear();
    EXPECT_FALSE(drop({"bad/z.zyl", "bad/broken.png"}, false));
    EXPECT_EQ(h.log, (std::vector<std::string>{"picture broken.png"}));
    EXPECT_EQ(h.playback.EntryCount(), 6);
}

TEST_F(ShowListTest, LinksBecomeTheirTargetsAndDanglingOnesFailAtOpen)
{
    const std::string show = Show("a.zyl");
    std::filesystem::create_symlink(show, Path("shortcut.lnk"));
    std::filesystem::create_symlink(Path("shortcut.lnk"), Path("chain.zyl"));
    std::filesystem::create_symlink(Path("missing.zyl"), Path("dangling.zyl"));
    EXPECT_STREQ(ResolveLink(XAString(Path("chain.zyl").c_str())).CStr(),
                 std::filesystem::canonical(show).c_str());
    EXPECT_STREQ(ResolveLink(XAString(Path("dangling.zyl").c_str())).CStr(), Path("dangling.zyl").c_str());

    PlaybackHarness h;
    ASSERT_TRUE(h.playback.AddShow(XAString(Path("chain.zyl").c_str()), XAString(), -1, nullptr, true));
    EXPECT_STREQ(h.playback.CurrentPath().CStr(), std::filesystem::canonical(show).c_str());
    h.playback.CloseAll(true);
    EXPECT_FALSE(h.playback.AddShow(XAString(Path("dangling.zyl").c_str()), XAString(), -1, nullptr, true));
    ASSERT_EQ(h.boxes.size(), 1u);
    EXPECT_EQ(h.boxes[0].rfind(Path("dangling.zyl") + "\n\n", 0), 0u);
}

} // namespace
