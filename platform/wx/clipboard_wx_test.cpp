#include "platform/wx/clipboard_wx.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <cstdlib>
#include <cstring>

namespace {

// The toolkit, started once for the whole program when a display is there.
class WxEnvironment : public testing::Environment
{
  public:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            return;
        setenv("GDK_BACKEND", "x11", 0);
        // The accessibility bridge keeps a few strings for the life of the process.
        setenv("NO_AT_BRIDGE", "1", 0);
        static char name[] = "clipboard_wx_test";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new wxApp);
        running = wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
    }
    void TearDown() override
    {
        if (!running)
            return;
        wxTheApp->OnExit();
        wxEntryCleanup();
    }

    static inline bool running = false;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new WxEnvironment);

// A packed DIB of 2 x 1 pixels at 24 bits: blue, then red.
std::vector<uint8_t> SmallDib()
{
    std::vector<uint8_t> dib(40 + 8, 0);
    dib[0] = 40;
    dib[4] = 2;
    dib[8] = 1;
    dib[12] = 1;
    dib[14] = 24;
    dib[20] = 8;
    const uint8_t pixels[] = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0};
    std::memcpy(dib.data() + 40, pixels, sizeof pixels);
    return dib;
}

class WxClipboardTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        if (!WxEnvironment::running)
            GTEST_SKIP() << "no display";
    }
    WxClipboard clipboard;
};

// One test for everything that changes the clipboard, since ctest runs test cases in parallel
// on one display.
TEST_F(WxClipboardTest, OffersBmpAndPngAndTakesForeignPictures)
{
    const std::vector<uint8_t> dib = SmallDib();
    ASSERT_TRUE(clipboard.Open());
    ASSERT_TRUE(clipboard.SetDib(dib.data(), dib.size()));
    clipboard.Close();

    ASSERT_TRUE(clipboard.Open());
    ClipboardPicture picture;
    ASSERT_TRUE(clipboard.GetPicture(picture));
    EXPECT_EQ(picture.format, ClipboardPictureFormat::Bmp);
    ASSERT_EQ(picture.bytes.size(), 14 + dib.size());
    EXPECT_EQ(picture.bytes[0], 'B');
    EXPECT_EQ(picture.bytes[1], 'M');
    EXPECT_EQ(picture.bytes[10], 54) << "pixel offset";
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), picture.bytes.begin() + 14));

    wxCustomDataObject png(wxDataFormat("image/png"));
    ASSERT_TRUE(wxTheClipboard->IsSupported(png.GetFormat()));
    ASSERT_TRUE(wxTheClipboard->GetData(png));
    ASSERT_GE(png.GetSize(), 8u);
    EXPECT_EQ(std::memcmp(png.GetData(), "\x89PNG\r\n\x1a\n", 8), 0);
    clipboard.Close();

    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
    ASSERT_TRUE(clipboard.Open());
    auto* data = new wxCustomDataObject(wxDataFormat("image/jpeg"));
    data->SetData(sizeof jpeg, jpeg);
    ASSERT_TRUE(wxTheClipboard->SetData(data));
    ASSERT_TRUE(clipboard.GetPicture(picture));
    EXPECT_EQ(picture.format, ClipboardPictureFormat::Jpeg);
    EXPECT_EQ(picture.bytes, std::vector<uint8_t>(jpeg, jpeg + sizeof jpeg));
    clipboard.Close();
}

TEST_F(WxClipboardTest, RefusesADibTooShortForItsHeader)
{
    const uint8_t dib[] = {40, 0, 0, 0};
    ASSERT_TRUE(clipboard.Open());
    EXPECT_FALSE(clipboard.SetDib(dib, sizeof dib));
    clipboard.Close();
}

} // namespace
