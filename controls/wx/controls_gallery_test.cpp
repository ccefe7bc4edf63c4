// The controls on a real display, driven by real input: a gallery of every control in every
// state (saved as screenshots under build/shots/controls/ and checked at computed pixels), a
// spin drag, typing, Tab, the wheel, and the dialog built from the preview's 82 entries.
#include "controls/control_painter.h"
#include "controls/control_resources.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_auto_value_handler_dialog.h"
#include "controls/l_button.h"
#include "controls/l_checkbox.h"
#include "controls/l_dialog_manager.h"
#include "controls/l_edit.h"
#include "controls/l_spin.h"
#include "controls/l_spin_xy.h"
#include "controls/test_support/recording_handler_test_util.h"
#include "controls/wx/test_support/private_display.h"
#include "controls/wx/wx_control_window.h"
#include "controls/wx/wx_controls.h"
#include "messaging/registry_node.h"
#include "messaging/value_handler_bi_ref.h"
#include "params/beamvista_registration.h"
#include "params/internal/beamvista_param_entries.h"
#include "platform/dialog_units.h"
#include "platform/wx/ui_environment_wx.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

class WxOnPrivateDisplay : public testing::Environment
{
  public:
    void SetUp() override
    {
        display = std::make_unique<PrivateDisplay>();
        if (!display->Running())
            return;
        static char name[] = "controls_wx_test";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new wxApp);
        running = wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
        wxInitAllImageHandlers();
        desktop = std::make_unique<WxUiEnvironment>();
        SetUiEnvironment(desktop.get());
        InstallWxControls();
        InstallResources(&ControlResourceTables());
    }
    void TearDown() override
    {
        SetUiEnvironment(nullptr);
        desktop.reset();
        if (running) {
            wxTheApp->OnExit();
            wxEntryCleanup();
        }
        display.reset();
    }

    static inline bool running = false;
    static inline std::unique_ptr<PrivateDisplay> display;
    static inline std::unique_ptr<WxUiEnvironment> desktop;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new WxOnPrivateDisplay);

// Lets the toolkit work until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        wxTheApp->Yield(true);
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void Pump(int ms)
{
    PumpUntil([] { return false; }, ms);
}

wxWindow& WxOf(const LWindowObject& object)
{
    return *WxControlWindowBase::WxOf(object.Window());
}

// The screen's pixels of a window's client area.
wxImage Grab(const LWindowObject& object)
{
    wxWindow& window = WxOf(object);
    const wxSize size = window.GetClientSize();
    const wxPoint origin = window.ClientToScreen(wxPoint(0, 0));
    wxBitmap bitmap(size);
    wxMemoryDC memory(bitmap);
    wxScreenDC screen;
    memory.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
    memory.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

RgbColour PixelOf(const wxImage& image, int x, int y)
{
    return MakeRgb(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

void SaveShot(const wxImage& image, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(ZYL_SHOTS_DIR) / "controls";
    std::filesystem::create_directories(folder);
    image.SaveFile((folder / (name + ".png")).string(), wxBITMAP_TYPE_PNG);
}

std::string ScreenPoint(const LWindowObject& object, int x, int y)
{
    const wxPoint point = WxOf(object).ClientToScreen(wxPoint(x, y));
    return std::to_string(point.x) + " " + std::to_string(point.y);
}

class GalleryTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!WxOnPrivateDisplay::running)
            GTEST_SKIP() << "no display could be started";
        frame = std::make_unique<LDialog>();
        ControlWindowSpec spec;
        spec.kind = ControlWindowKind::kDialog;
        spec.rect = {0, 0, 640, 480};
        spec.text = "Controls";
        frame->Attach(CreateControlWindow(nullptr, spec, frame.get()));
        ASSERT_NE(frame->Window(), nullptr);
    }

    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow();
        Pump(50);
    }

    void ShowFrame()
    {
        frame->Window()->Show(true);
        ASSERT_TRUE(PumpUntil([&] { return WxOf(*frame).IsShownOnScreen(); }));
        Pump(300);
    }

    LMsgRegistryNode registry{XAString()};
    SentLog sent;
    std::unique_ptr<LDialog> frame;
};

} // namespace

TEST_F(GalleryTest, EveryControlInEveryStateLooksAsDrawn)
{
    RecordingIntHandler off("off", LValueInt(0, 0, 2, 0.01, 0, true, true), sent);
    RecordingIntHandler on("on", LValueInt(0, 0, 2, 0.01, 0, true, true), sent);
    RecordingIntHandler third("third", LValueInt(0, 0, 2, 0.01, 0, true, true), sent);
    RecordingRealHandler real("real", LValueDoubleFmt1(0.5, 0, 1, 0.001, 0, 1, 4, 0), sent);
    ASSERT_TRUE(off.ConnectRegistry("g.off", &registry));
    ASSERT_TRUE(on.ConnectRegistry("g.on", &registry));
    ASSERT_TRUE(third.ConnectRegistry("g.third", &registry));
    ASSERT_TRUE(real.ConnectRegistry("g.real", &registry));
    third.GetValue().SetAll(2, 0, 2, 0.01, 0, true, true);
    LValueHandlerBiRef offDefault;
    offDefault.Attach(nullptr, "g.on", &registry);
    offDefault.SendInt(0x10400, 1, LValue::kItemValue);

    LCheckbox atRest, ticked, thirdState, disabled;
    ASSERT_TRUE(atRest.Create("At rest", {10, 10, 160, 30}, frame->Window()));
    ASSERT_TRUE(ticked.Create("Ticked, tinted", {10, 40, 160, 60}, frame->Window()));
    ASSERT_TRUE(thirdState.Create("Third state", {10, 70, 160, 90}, frame->Window()));
    ASSERT_TRUE(disabled.Create("Disabled", {10, 100, 160, 120}, frame->Window()));
    atRest.Bind("g.off", &registry);
    ticked.Bind("g.on", &registry);
    thirdState.Bind("g.third", &registry);
    disabled.Bind("g.on", &registry);
    disabled.Window()->Enable(false);

    LButton push, toggle;
    ASSERT_TRUE(push.Create("&Push", {200, 10, 280, 34}, frame->Window(), false));
    ASSERT_TRUE(toggle.Create("Toggle", {200, 40, 280, 64}, frame->Window(), true));
    push.Bind("g.off", &registry);
    toggle.Bind("g.on", &registry);

    LEditString field, tinted;
    ASSERT_TRUE(field.Create({200, 80, 255, 100}, frame->Window()));
    ASSERT_TRUE(tinted.Create({200, 110, 255, 130}, frame->Window()));
    field.Bind("g.real", &registry);
    tinted.Bind("g.on", &registry);
    LSpin spin, disabledSpin;
    ASSERT_TRUE(spin.Create({255, 80, 270, 100}, frame->Window()));
    ASSERT_TRUE(disabledSpin.Create({255, 110, 270, 130}, frame->Window()));
    spin.Bind("g.real", &registry);
    disabledSpin.Bind("g.real", &registry);
    disabledSpin.Window()->Enable(false);
    LSpinXY cross(0), square(1);
    ASSERT_TRUE(cross.Create({300, 80, 321, 101}, frame->Window()));
    ASSERT_TRUE(square.Create({330, 80, 351, 101}, frame->Window()));
    cross.Bind("g.off", "g.on", &registry);
    square.Bind("g.off", "g.on", &registry);

    LDialogManager stack;
    ASSERT_TRUE(stack.Create(kTemplatePanelStack, frame->Window()));
    stack.Window()->Move({360, 10, 630, 300}, true);
    for (bool expanded : {true, false}) {
        auto panel = std::make_shared<LDialog>();
        ASSERT_TRUE(panel->Create(kTemplateEmptyPanel, stack.Window()));
        panel->Window()->Move({0, 0, 230, 60}, false);
        ASSERT_TRUE(stack.AddDialog(panel, -1, expanded ? "Expanded" : "Collapsed", expanded));
    }

    ShowFrame();
    ticked.Window()->SetFocus();
    Pump(200);
    const wxImage rest = Grab(*frame);
    SaveShot(rest, "gallery");

    // Box insides: (box corner + 2) + (4, 4), clear of the tick.
    auto boxInside = [&](const LCheckbox& box) {
        const RasterRect rect = box.Window()->Rect();
        return wxPoint(rect.left + 2 + 4, rect.top + (rect.bottom - rect.top - 13) / 2 + 2 + 8);
    };
    EXPECT_EQ(PixelOf(rest, boxInside(atRest).x, boxInside(atRest).y), ControlColour(kRoleBoxAtDefault));
    EXPECT_EQ(PixelOf(rest, boxInside(ticked).x, boxInside(ticked).y), ControlColour(kRoleBackOffDefault));
    EXPECT_EQ(PixelOf(rest, boxInside(thirdState).x, boxInside(thirdState).y), ControlColour(kRoleHighlight));
    EXPECT_EQ(PixelOf(rest, boxInside(disabled).x, boxInside(disabled).y),
              ControlColour(kRoleBackOffDefault));
    // The header's fill, right of its sign, and the toggle's halftone.
    const RasterRect header = stack.HeaderAt(0)->Window()->Rect();
    const RasterRect stackRect = stack.Window()->Rect();
    EXPECT_EQ(PixelOf(rest, stackRect.left + header.right - 3, stackRect.top + header.top + 2),
              ControlColour(kRoleCaptionFill));
    const RasterRect toggleRect = toggle.Window()->Rect();
    EXPECT_EQ(PixelOf(rest, toggleRect.left + 2, toggleRect.top + 2), ControlColour(kRoleButtonFace));
    EXPECT_EQ(PixelOf(rest, toggleRect.left + 3, toggleRect.top + 2), ControlColour(kRoleHighlight));

    // Pressed: a button held down with real input is sunk in.
    const RasterRect pushRect = push.Window()->Rect();
    ASSERT_TRUE(XdoTool("mousemove " + ScreenPoint(push, 40, 12) + " mousedown 1"));
    Pump(300);
    EXPECT_TRUE(push.Window()->HasCapture());
    // The pressed look as the button paints it while held.
    std::unique_ptr<RasterBitmap> held =
        RasterBitmap::Create(pushRect.right - pushRect.left, pushRect.bottom - pushRect.top);
    ControlPainter painter(*held, DialogFont());
    push.OnPaint(painter);
    const uint8_t* corner = held->PixelAt(0, 0);
    EXPECT_EQ(MakeRgb(corner[2], corner[1], corner[0]), ControlColour(kRoleShadow));
    SaveShot(Grab(*frame), "gallery-pressed");
    ASSERT_TRUE(XdoTool("mouseup 1"));
    Pump(300);
    EXPECT_EQ(off.GetValue().GetInt(LValue::kItemValue), 1) << "released inside: one click";
}

TEST_F(GalleryTest, ASpinDragOfThirtyPixelsMovesAThousandthStepByThreeTenths)
{
    RecordingRealHandler real("real", LValueDoubleFmt1(0.5, 0, 1, 0.001, 0, 1, 4, 0), sent);
    ASSERT_TRUE(real.ConnectRegistry("g.real", &registry));
    LSpin spin;
    ASSERT_TRUE(spin.Create({100, 100, 115, 120}, frame->Window()));
    spin.Bind("g.real", &registry);
    ShowFrame();
    ASSERT_TRUE(XdoTool("mousemove " + ScreenPoint(spin, 7, 10) + " mousedown 1"));
    Pump(200);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(XdoTool("mousemove_relative -- 0 -10"));
        Pump(200);
    }
    ASSERT_TRUE(XdoTool("mouseup 1"));
    Pump(200);
    EXPECT_NEAR(real.GetValue().GetDouble(LValue::kItemValue), 0.8, 1e-9);
}

TEST_F(GalleryTest, TypingOverASelectionSendsOneLiveChange)
{
    RecordingRealHandler real("real", LValueDoubleFmt1(0.25, 0, 1, 0.001, 0, 1, 4, 0), sent);
    ASSERT_TRUE(real.ConnectRegistry("g.real", &registry));
    LEditString field;
    ASSERT_TRUE(field.Create({100, 100, 180, 120}, frame->Window()));
    field.Bind("g.real", &registry);
    ShowFrame();
    field.Window()->SetFocus();
    field.Window()->SelectAll();
    Pump(200);
    sent.Take();
    ASSERT_TRUE(XdoTool("type --delay 50 0.5"));
    Pump(300);
    EXPECT_EQ(sent.Take(), "real text 1030C 0.5");
    ASSERT_TRUE(XdoTool("key Return"));
    Pump(300);
    EXPECT_EQ(field.Window()->Text(), " 0.5000");
    EXPECT_EQ(sent.Take(), "real text 1040C 0.5");
}

TEST_F(GalleryTest, TabGoesHeaderFieldsNextHeaderAndTheWheelScrolls)
{
    RegisterBeamvistaParameters();
    HArray<ValueHandlerDialogEntry> list;
    ASSERT_TRUE(BuildBeamvistaParamEntries(list));
    LAutoValueHandlerDialog dialog;
    ASSERT_TRUE(dialog.Setup(list.GetData(), "Parameters"));
    ASSERT_TRUE(dialog.Create(frame->Window(), 0));
    ASSERT_EQ(dialog.GetDialogManager()->PanelCount(), 9);
    ASSERT_TRUE(dialog.BringToTop());
    ASSERT_TRUE(PumpUntil([&] { return WxOf(dialog).IsShownOnScreen(); }));
    Pump(300);
    SaveShot(Grab(dialog), "parameters");

    // The width is held; the height stops at 100.
    wxWindow& window = WxOf(dialog);
    const int width = window.GetClientSize().x;
    window.SetSize(window.GetSize().x + 200, 50);
    Pump(300);
    EXPECT_EQ(window.GetClientSize().x, width);
    EXPECT_GE(window.GetSize().y, 100);
    window.SetSize(window.GetSize().x, 500);
    Pump(300);

    LDialogManager* stack = dialog.GetDialogManager();
    stack->HeaderAt(0)->Window()->SetFocus();
    Pump(100);
    ASSERT_TRUE(XdoTool("key Tab"));
    Pump(200);
    ControlWindow* first = stack->PanelAt(0)->Window();
    wxWindow* focus = wxWindow::FindFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->GetParent(), WxControlWindowBase::WxOf(first))
        << "Tab goes from the header into its panel";

    const int before = stack->ScrollPosition();
    const std::string over = ScreenPoint(*stack->PanelAt(0), 200, 20);
    ASSERT_TRUE(XdoTool("mousemove " + over + " click 5"));
    Pump(300);
    EXPECT_EQ(stack->ScrollPosition(), before + 32);
    dialog.Close();
}
