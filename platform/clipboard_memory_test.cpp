#include "platform/clipboard.h"
#include "platform/clipboard_memory.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryClipboard, HoldsTheLastDibBetweenOpenAndClose)
{
    MemoryClipboard clipboard;
    const uint8_t dib[] = {40, 0, 0, 0, 7};
    ClipboardPicture picture;
    EXPECT_FALSE(clipboard.SetDib(dib, sizeof dib)) << "closed";
    ASSERT_TRUE(clipboard.Open());
    EXPECT_FALSE(clipboard.Open()) << "already open";
    EXPECT_FALSE(clipboard.GetPicture(picture)) << "empty";
    ASSERT_TRUE(clipboard.SetDib(dib, sizeof dib));
    ASSERT_TRUE(clipboard.GetPicture(picture));
    EXPECT_EQ(picture.format, ClipboardPictureFormat::Dib);
    EXPECT_EQ(picture.bytes, std::vector<uint8_t>(dib, dib + sizeof dib));
    clipboard.Close();
    EXPECT_FALSE(clipboard.GetPicture(picture)) << "closed";
}

TEST(MemoryClipboard, RefusesWhenToldTo)
{
    MemoryClipboard clipboard;
    clipboard.SetOpenFails(true);
    EXPECT_FALSE(clipboard.Open());
    clipboard.SetOpenFails(false);
    clipboard.SetPutFails(true);
    ASSERT_TRUE(clipboard.Open());
    const uint8_t dib[] = {1};
    EXPECT_FALSE(clipboard.SetDib(dib, 1));
    clipboard.Close();
}

TEST(ClipboardService, DefaultsToTheProcessMemoryClipboard)
{
    MemoryClipboard other;
    EXPECT_EQ(&CurrentClipboardService(), &ProcessMemoryClipboard());
    EXPECT_EQ(SetClipboardService(&other), nullptr);
    EXPECT_EQ(&CurrentClipboardService(), &other);
    EXPECT_EQ(SetClipboardService(nullptr), &other);
    EXPECT_EQ(&CurrentClipboardService(), &ProcessMemoryClipboard());
}

TEST(ClipboardService, ScopedOverridesNestAndPutThePreviousBack)
{
    MemoryClipboard outer;
    MemoryClipboard inner;
    {
        ScopedClipboardService useOuter(&outer);
        {
            ScopedClipboardService useInner(&inner);
            EXPECT_EQ(&CurrentClipboardService(), &inner);
        }
        EXPECT_EQ(&CurrentClipboardService(), &outer);
    }
    EXPECT_EQ(&CurrentClipboardService(), &ProcessMemoryClipboard());
}

} // namespace
