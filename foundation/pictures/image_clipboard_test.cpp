#include "platform/clipboard.h"
#include "platform/clipboard_memory.h"
#include "foundation/pictures/h_image.h"
#include "foundation/pictures/test_support/picture_fixtures.h"
#include "platform/test_support/message_box_fake.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using fixtures::Bytes;

class ImageClipboard : public testing::Test
{
  protected:
    MemoryClipboard clipboard;
    ScopedClipboardService use_{&clipboard};
};

TEST_F(ImageClipboard, APictureGoesAcrossAsADib)
{
    const Bytes pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    const HImageRef image = HImageFromData(nullptr, 1, 2, 2, kImageTrueColour, 0, nullptr, pixels.data());
    ASSERT_FALSE(image->ToClipboard().Failed());
    EXPECT_FALSE(clipboard.IsOpen());
    ClipboardPicture held;
    clipboard.Open();
    ASSERT_TRUE(clipboard.GetPicture(held));
    clipboard.Close();
    EXPECT_EQ(held.format, ClipboardPictureFormat::Dib);
    EXPECT_EQ(held.bytes[0], 40) << "a packed DIB starts with its info header";

    HImageRef back;
    ASSERT_FALSE(HImage::FromClipboard(back, "pasted", true, false).Failed());
    ASSERT_FALSE(back.IsEmpty());
    EXPECT_EQ(back->GetName(), "pasted");
    EXPECT_EQ(fixtures::PixelRows(*back), pixels);
    EXPECT_FALSE(clipboard.IsOpen());
}

TEST_F(ImageClipboard, ForeignFilesAreReadByTheirOwnReaders)
{
    fixtures::PngBuild png;
    png.rows = {{10, 20, 30}};
    const Bytes jpeg = fixtures::WriteJpeg(8, 8, 3, JCS_RGB, Bytes(8 * 8 * 3, 200));
    fixtures::BmpBuild bmp;
    bmp.bitCount = 24;
    bmp.pixels = {1, 2, 3, 0};
    struct Case
    {
        ClipboardPictureFormat format;
        Bytes bytes;
        int32_t width;
    };
    for (const Case& c : {Case{ClipboardPictureFormat::Png, fixtures::WritePng(png), 1},
                          Case{ClipboardPictureFormat::Jpeg, jpeg, 8},
                          Case{ClipboardPictureFormat::Bmp, fixtures::BuildBmp(bmp), 1}}) {
        clipboard.PutPicture({c.format, c.bytes});
        HImageRef image;
        const CError status = HImage::FromClipboard(image, nullptr, true, false);
        ASSERT_FALSE(status.Failed()) << status.ErrorText().CStr();
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ(image->Width(), c.width);
        EXPECT_TRUE(image->IsTrueColour());
    }
}

TEST_F(ImageClipboard, FailuresHaveTheirTexts)
{
    HImageRef image = HImage::Create(nullptr, 1, 1, true, false);
    EXPECT_EQ(HImage::FromClipboard(image, nullptr, true, false).ErrorText(), "No bitmap on Clipboard!");
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(clipboard.IsOpen());

    clipboard.PutPicture({ClipboardPictureFormat::Dib, {40, 0, 0, 0, 1}});
    EXPECT_TRUE(HImage::FromClipboard(image, nullptr, true, false).Failed());
    clipboard.PutPicture({ClipboardPictureFormat::Png, {1, 2, 3}});
    EXPECT_EQ(HImage::FromClipboard(image, nullptr, true, false).ErrorText(), "Read error (PNG1)!");

    const HImageRef picture = HImage::Create(nullptr, 1, 1, true, false);
    clipboard.SetPutFails(true);
    EXPECT_EQ(picture->ToClipboard().ErrorText(), "Can not put bitmap to Clipboard!");
    EXPECT_FALSE(clipboard.IsOpen());
    clipboard.SetOpenFails(true);
    EXPECT_EQ(picture->ToClipboard().ErrorText(), "Can not open Clipboard!");
    EXPECT_EQ(HImage::FromClipboard(image, nullptr, true, false).ErrorText(), "Can not open Clipboard!");
}

TEST_F(ImageClipboard, UseOffTheGuiThreadIsReported)
{
    FakeMessageBox box;
    const Bytes pixels = {1, 2, 3, 0};
    const HImageRef image = HImageFromData(nullptr, 1, 1, 2, kImageTrueColour, 0, nullptr, pixels.data());
    std::thread([&] { image->ToClipboard(); }).join();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_NE(box.shown[0].text.find("HImage::ToClipboard"), std::string::npos) << box.shown[0].text;
}

} // namespace
