#include "preview/l_beamvista_parameter_dlg.h"

#include "controls/control_resources.h"
#include "controls/l_caption_button.h"
#include "controls/test_support/control_environment_fake.h"
#include "controls/test_support/control_window_fake.h"
#include "foundation/archives/archive_xstring.h"
#include "messaging/registry_from_ref.h"
#include "messaging/value_handler_dummy.h"
#include "params/beamvista_param_table.h"
#include "params/beamvista_parameter_objects.h"
#include "params/current_kwp_pars.h"
#include "params/test_support/every_field_changed.h"
#include "platform/deliverable_kind.h"
#include "preview/l_beamvista_param_bg_bitmap_dialog.h"
#include "preview/l_beamvista_param_fog_dialog.h"
#include "preview/l_beamvista_param_main_dialog.h"
#include "preview/l_beamvista_param_open_gl_dialog.h"
#include "preview/parameter_dialog_resources.h"
#include "preview/parameter_panel_templates.h"
#include "preview/test_support/preview_test_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// The handler of a parameter, found by its name in the table.
LValueHandler* HandlerNamed(const std::string& name)
{
    int32_t row = 0;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (name == def.name)
            return &BeamvistaParameterObject(row);
        ++row;
    }
    ADD_FAILURE() << "no parameter " << name;
    return nullptr;
}

// The panel's control on the item of that id.
template <class Control> Control* ItemControl(const LDialog& panel, int32_t id)
{
    ControlWindow* item = panel.GetDlgItem(id);
    return item ? dynamic_cast<Control*>(item->Sink()) : nullptr;
}

enum class Bound { kCheckbox, kButton, kEdit, kSpin };

struct ItemBinding
{
    int32_t id;
    Bound kind;
    const char* name;
};

// Written out from the templates, apart from the panels' own tables.
const std::vector<ItemBinding> kMainBindings = {
    {2234, Bound::kEdit, "o_line_width"},
    {2235, Bound::kSpin, "o_line_width"},
    {2204, Bound::kCheckbox, "o_graphics_force"},
    {2206, Bound::kEdit, "o_graphics_intensity"},
    {2207, Bound::kSpin, "o_graphics_intensity"},
    {2212, Bound::kEdit, "o_graphics_size_x"},
    {2213, Bound::kSpin, "o_graphics_size_x"},
    {2214, Bound::kEdit, "o_graphics_size_y"},
    {2215, Bound::kSpin, "o_graphics_size_y"},
    {2216, Bound::kEdit, "o_graphics_pos_x"},
    {2217, Bound::kSpin, "o_graphics_pos_x"},
    {2220, Bound::kEdit, "o_graphics_pos_y"},
    {2221, Bound::kSpin, "o_graphics_pos_y"},
    {2205, Bound::kCheckbox, "o_fog_force"},
    {2222, Bound::kEdit, "o_fog_intensity"},
    {2223, Bound::kSpin, "o_fog_intensity"},
    {2224, Bound::kEdit, "o_fog_min_int"},
    {2225, Bound::kSpin, "o_fog_min_int"},
    {2226, Bound::kEdit, "o_scanner_pos_x"},
    {2227, Bound::kSpin, "o_scanner_pos_x"},
    {2228, Bound::kEdit, "o_scanner_pos_y"},
    {2229, Bound::kSpin, "o_scanner_pos_y"},
    {2208, Bound::kCheckbox, "o_beam_detect_force"},
    {2230, Bound::kEdit, "o_beam_detect_intensity"},
    {2231, Bound::kSpin, "o_beam_detect_intensity"},
    {2236, Bound::kEdit, "o_beam_detect_repeat"},
    {2238, Bound::kSpin, "o_beam_detect_repeat"},
    {2209, Bound::kCheckbox, "o_beam_tab_force"},
    {2232, Bound::kEdit, "o_beam_tab_intensity"},
    {2233, Bound::kSpin, "o_beam_tab_intensity"},
};

const std::vector<ItemBinding> kFogBindings = {
    {2210, Bound::kCheckbox, "o_fog_3d"},    {2211, Bound::kEdit, "o_fog_structure"},
    {2218, Bound::kSpin, "o_fog_structure"}, {2214, Bound::kEdit, "o_fog_cloud_mix"},
    {2219, Bound::kSpin, "o_fog_cloud_mix"}, {2220, Bound::kEdit, "o_fog_speed"},
    {2221, Bound::kSpin, "o_fog_speed"},     {2234, Bound::kEdit, "o_fog_dir"},
    {2235, Bound::kSpin, "o_fog_dir"},       {2236, Bound::kEdit, "o_fog_dir2"},
    {2237, Bound::kSpin, "o_fog_dir2"},      {2238, Bound::kEdit, "o_fog_rot"},
    {2239, Bound::kSpin, "o_fog_rot"},
};

const std::vector<ItemBinding> kOpenGlBindings = {
    {2201, Bound::kCheckbox, "o_force_generic_opengl"}, {2033, Bound::kCheckbox, "o_enhanced_lines"},
    {2036, Bound::kCheckbox, "o_enhanced_lines_beam"},  {2034, Bound::kCheckbox, "o_beam_profile"},
    {2035, Bound::kCheckbox, "o_polygon_smooth"},       {2210, Bound::kCheckbox, "o_fog_3d"},
    {2204, Bound::kButton, "o_opengl_default"},         {2202, Bound::kButton, "o_opengl_save_as_default"},
    {2203, Bound::kButton, "o_opengl_reset"},
};

std::vector<ItemBinding> BackgroundBindings(int32_t slot)
{
    // The names live as long as the test program.
    static std::deque<std::string> storage;
    auto name = [slot](const char* pattern) {
        std::string text = std::string("o_") + pattern;
        text.replace(text.find('%'), 1, std::to_string(slot));
        storage.push_back(text);
        return storage.back().c_str();
    };
    return {
        {2240, Bound::kCheckbox, name("bg%")},       {2241, Bound::kButton, name("bg%_load")},
        {2242, Bound::kEdit, name("bg%_filename")},  {2243, Bound::kEdit, name("bg%_intensity")},
        {2244, Bound::kSpin, name("bg%_intensity")}, {2245, Bound::kEdit, name("bg%_size_x")},
        {2246, Bound::kSpin, name("bg%_size_x")},    {2247, Bound::kEdit, name("bg%_size_y")},
        {2248, Bound::kSpin, name("bg%_size_y")},    {2250, Bound::kEdit, name("bg%_pos_x")},
        {2251, Bound::kSpin, name("bg%_pos_x")},     {2252, Bound::kEdit, name("bg%_pos_y")},
        {2253, Bound::kSpin, name("bg%_pos_y")},
    };
}

LValueHandler* BoundHandlerOf(const LDialog& panel, const ItemBinding& binding)
{
    switch (binding.kind) {
    case Bound::kCheckbox: {
        auto* box = ItemControl<LCheckbox>(panel, binding.id);
        return box ? box->BoundHandler() : nullptr;
    }
    case Bound::kButton: {
        auto* button = ItemControl<LButton>(panel, binding.id);
        return button ? button->BoundHandler() : nullptr;
    }
    case Bound::kEdit: {
        auto* edit = ItemControl<LEdit>(panel, binding.id);
        return edit ? edit->BoundHandler() : nullptr;
    }
    case Bound::kSpin: {
        auto* spin = ItemControl<LSpin>(panel, binding.id);
        return spin ? spin->BoundHandler() : nullptr;
    }
    }
    return nullptr;
}

// A show's own settings as the show carries them: a tagged parameter stream of the show group.
XAString ShowSettingsText(float fogIntensity)
{
    LBeamvistaPars pars;
    pars.o_fog_intensity = fogIntensity;
    LArchiveXString archive;
    archive.OpenWrite(0);
    pars.Write(archive, kBeamvistaShowGroups);
    XAString text = archive.TakeString();
    archive.Close();
    return text;
}

// Counts the completed changes of all preview parameters.
class ParameterObserver
{
  public:
    ParameterObserver() { node_.Attach(&counter_, "Beamvista", nullptr); }
    int32_t Transactions() const { return counter_.kinds[2]; }
    int32_t Changes() const { return counter_.kinds[0]; }

  private:
    NotifyCounter counter_;
    LMsgRegistryFromRef node_;
};

class ParameterDialogTest : public PreviewTest
{
  protected:
    ParameterDialogTest() { preview_.BindParameters(); }

    std::shared_ptr<LBeamvistaParameterDlg> Open(LBeamvista* preview = nullptr)
    {
        return LBeamvistaParameterDlg::CreateNew(view_, preview, nullptr);
    }

    static FakeControlWindow& Fake(const LWindowObject& object)
    {
        return *static_cast<FakeControlWindow*>(object.Window());
    }

    // x, y, width and height.
    static std::array<int32_t, 4> Box(const RasterRect& rect)
    {
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    static void SetFogIntensity(float value)
    {
        ChangeParameters([value](LBeamvistaPars& pars) { pars.o_fog_intensity = value; });
    }

    static float FogIntensity()
    {
        LBeamvistaPars pars;
        pars.ReadFromParameters();
        return pars.o_fog_intensity;
    }

    ScopedResources controlResources_{ControlResourceTables()};
    ScopedResources dialogResources_{ParameterDialogResourceTables()};
    FakeControlWindowFactory windows_;
    FakeControlEnvironment environment_;
    TestPreview preview_;
};

// Its BuildPanels reports what it left behind.
class ObservedDialog : public LBeamvistaParameterDlg
{
  public:
    using LBeamvistaParameterDlg::LBeamvistaParameterDlg;
    bool BuildPanels() override
    {
        built = LBeamvistaParameterDlg::BuildPanels();
        panelsLeft = GetDialogManager()->PanelCount();
        return built;
    }
    bool built = true;
    int32_t panelsLeft = -1;
};

TEST_F(ParameterDialogTest, SevenPanelsUnderTheirCaptionsFromTheirTemplates)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    LDialogManager* stack = dialog->GetDialogManager();
    ASSERT_EQ(stack->PanelCount(), 7);
    struct Expected
    {
        const char* caption;
        const std::type_info& type;
        bool expanded;
        int32_t width;
        int32_t height;
    };
    const Expected expected[] = {
        {"Main", typeid(LBeamvistaParamMainDialog), true, 317, 367},
        {"Fog", typeid(LBeamvistaParamFogDialog), true, 282, 164},
        {"OpenGl Setup", typeid(LBeamvistaParamOpenGlDialog), false, 238, 221},
        {"Background 1", typeid(LBeamvistaParamBgBitmapDialog), false, 352, 132},
        {"Background 2", typeid(LBeamvistaParamBgBitmapDialog), false, 352, 132},
        {"Background 3", typeid(LBeamvistaParamBgBitmapDialog), false, 352, 132},
        {"Background 4", typeid(LBeamvistaParamBgBitmapDialog), false, 352, 132},
    };
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(stack->HeaderAt(i)->Window()->Text(), expected[i].caption);
        EXPECT_TRUE(typeid(*stack->PanelAt(i)) == expected[i].type) << i;
        EXPECT_EQ(stack->HeaderAt(i)->IsExpanded(), expected[i].expanded) << i;
        const std::array<int32_t, 4> panel = Box(stack->PanelAt(i)->Window()->Rect());
        EXPECT_EQ(panel[2], expected[i].width) << i;
        EXPECT_EQ(panel[3], expected[i].height) << i;
    }
    for (int32_t slot = 0; slot < 4; ++slot)
        EXPECT_EQ(static_cast<LBeamvistaParamBgBitmapDialog*>(stack->PanelAt(3 + slot))->Index(), slot);
    const std::array<int32_t, 4> lineWidth{105, 8, 70, 20};
    EXPECT_EQ(Box(stack->PanelAt(0)->GetDlgItem(2234)->Rect()), lineWidth);
    // The widest panel, a background, sets the stack's width.
    EXPECT_EQ(stack->GetPreferredWidth(), 352 + 3 + FakeControlWindow::kScrollBarWidth + 8);
    EXPECT_EQ(static_cast<FakeControlWindow*>(dialog->Toolbar())->ResourceId(), kToolbarWithPreview);
}

TEST_F(ParameterDialogTest, TheControlsBuildShowsThreePanelsAndAFailingPanelStopsTheRest)
{
    const DeliverableKind before = CurrentDeliverableKind();
    SetDeliverableKind(DeliverableKind::Control);
    std::shared_ptr<LBeamvistaParameterDlg> control = Open(&preview_);
    SetDeliverableKind(before);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->GetDialogManager()->PanelCount(), 3);

    // The stack's window counts as no panel; the fifth panel window fails.
    ObservedDialog failing(&preview_);
    windows_.FailKind(ControlWindowKind::kPanel, 4);
    EXPECT_FALSE(failing.CreateDialogWindow(view_, kToolbarWithPreview));
    EXPECT_FALSE(failing.built);
    EXPECT_EQ(failing.panelsLeft, 4);
    EXPECT_EQ(failing.Window(), nullptr) << "a failed creation leaves no window";
}

TEST_F(ParameterDialogTest, EveryControlIsBoundToItsParametersHandler)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    LDialogManager* stack = dialog->GetDialogManager();
    struct Panel
    {
        int32_t index;
        std::vector<ItemBinding> bindings;
    };
    const Panel panels[] = {
        {0, kMainBindings},         {1, kFogBindings},          {2, kOpenGlBindings},
        {3, BackgroundBindings(0)}, {6, BackgroundBindings(3)},
    };
    for (const Panel& panel : panels) {
        for (const ItemBinding& binding : panel.bindings) {
            LValueHandler* bound = BoundHandlerOf(*stack->PanelAt(panel.index), binding);
            EXPECT_NE(bound, &LValueHandlerDummy::Get()) << binding.name;
            EXPECT_EQ(bound, HandlerNamed(binding.name)) << panel.index << " " << binding.id;
        }
    }
    struct XY
    {
        int32_t panel;
        int32_t id;
        const char* x;
        const char* y;
        bool linked;
    };
    const XY pairs[] = {
        {0, 2218, "o_graphics_size_x", "o_graphics_size_y", true},
        {0, 2219, "o_graphics_pos_x", "o_graphics_pos_y", false},
        {0, 2237, "o_scanner_pos_x", "o_scanner_pos_y", false},
        {5, 2249, "o_bg2_size_x", "o_bg2_size_y", true},
        {5, 2254, "o_bg2_pos_x", "o_bg2_pos_y", false},
    };
    for (const XY& pair : pairs) {
        auto* spin = ItemControl<LSpinXY>(*stack->PanelAt(pair.panel), pair.id);
        ASSERT_NE(spin, nullptr) << pair.id;
        EXPECT_EQ(spin->XHandler(), HandlerNamed(pair.x));
        EXPECT_EQ(spin->YHandler(), HandlerNamed(pair.y));
        EXPECT_EQ(spin->Mode() == 1, pair.linked) << pair.id;
    }
}

TEST_F(ParameterDialogTest, BoxesFollowTheirParametersAcrossPanels)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    LDialogManager* stack = dialog->GetDialogManager();
    auto* fog3d = ItemControl<LCheckbox>(*stack->PanelAt(1), 2210);
    auto* openGl3d = ItemControl<LCheckbox>(*stack->PanelAt(2), 2210);
    auto* bg2 = ItemControl<LCheckbox>(*stack->PanelAt(5), 2240);
    ASSERT_TRUE(fog3d && openGl3d && bg2);
    const int32_t fogBefore = fog3d->ShownValue();
    openGl3d->OnClicked();
    EXPECT_NE(fog3d->ShownValue(), fogBefore) << "the Fog panel's box follows the OpenGl Setup one";
    EXPECT_EQ(fog3d->ShownValue(), openGl3d->ShownValue());
    fog3d->OnClicked();
    EXPECT_EQ(openGl3d->ShownValue(), fogBefore);

    ChangeParameters([](LBeamvistaPars& pars) { pars.o_bg2 = 0; });
    EXPECT_EQ(bg2->ShownValue(), 0) << "Beamvista.bg2. follows o_bg2";
    ChangeParameters([](LBeamvistaPars& pars) { pars.o_bg2 = 1; });
    EXPECT_EQ(bg2->ShownValue(), 1);
}

TEST_F(ParameterDialogTest, AWholeRecordApplyRefreshesEveryBindingOnce)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    std::vector<FakeControlWindow*> controls = windows_.WindowsOfKind(ControlWindowKind::kEdit);
    for (FakeControlWindow* window : windows_.WindowsOfKind(ControlWindowKind::kOwnerDrawn))
        if (dynamic_cast<LCaptionButton*>(window->Sink()) == nullptr)
            controls.push_back(window);
    // Main 33, Fog 13, OpenGl Setup 9, each background 15.
    ASSERT_EQ(controls.size(), 33u + 13u + 9u + 4u * 15u);
    std::vector<int32_t> before;
    for (FakeControlWindow* control : controls)
        before.push_back(control->updates);
    ChangeParameters([](LBeamvistaPars& pars) { pars = EveryFieldChanged(pars); });
    // A two-axis spin is bound twice.
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->updates - before[i], dynamic_cast<LSpinXY*>(controls[i]->Sink()) ? 2 : 1) << i;
}

TEST_F(ParameterDialogTest, ResetsWithAPreviewTakeTheShowsSettingsOrIgnoreThem)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    const float defaultFog = BeamvistaDefaultPars().o_fog_intensity;
    SetFogIntensity(0.25f);
    dialog->OnCommand(kCommandResetAll);
    EXPECT_FLOAT_EQ(FogIntensity(), defaultFog) << "no show settings: the defaults";
    SetFogIntensity(0.25f);
    dialog->OnCommand(kCommandResetIgnoringShow);
    EXPECT_FLOAT_EQ(FogIntensity(), defaultFog);

    preview_.SetFileParameters(ShowSettingsText(0.5f));
    EXPECT_FLOAT_EQ(FogIntensity(), 0.5f) << "the show's setting where the user kept the default";
    SetFogIntensity(0.75f);
    dialog->OnCommand(kCommandResetAll);
    EXPECT_FLOAT_EQ(FogIntensity(), 0.5f) << "the defaults with the show's settings on top";
    dialog->OnCommand(kCommandResetIgnoringShow);
    EXPECT_FLOAT_EQ(FogIntensity(), defaultFog) << "the defaults alone";
    preview_.ClearFileParameters();
}

TEST_F(ParameterDialogTest, LoadAndSaveAskForAParameterFileAndCancellingChangesNothing)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    SetFogIntensity(0.25f);
    ParameterObserver observer;
    for (int32_t command : {kCommandLoadParameters, kCommandSaveParameters}) {
        ui_.fileDialogAnswers.push_back(std::nullopt);
        dialog->OnCommand(command);
    }
    ASSERT_EQ(ui_.fileDialogs.size(), 2u);
    EXPECT_FALSE(ui_.fileDialogs[0].save);
    EXPECT_TRUE(ui_.fileDialogs[1].save);
    for (const UiFileDialogRequest& request : ui_.fileDialogs)
        EXPECT_EQ(request.filter, "Zyl Parameter Files |*.zyp|All Files (*.*)|*.*||");
    dialog->OnCommand(LAutoValueHandlerDialog::kIdOk);
    EXPECT_TRUE(dialog->OnKeyDown(kKeyReturn, false)) << "Enter is taken";
    EXPECT_EQ(observer.Transactions(), 0);
    EXPECT_FLOAT_EQ(FogIntensity(), 0.25f);
    EXPECT_NE(dialog->Window(), nullptr) << "nothing closes the dialog";
}

TEST_F(ParameterDialogTest, WithoutAPreviewOnlyTheResetWorksInOneTransaction)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(nullptr);
    ASSERT_TRUE(dialog);
    const ToolbarResource* tools = FindToolbarResource(kToolbarWithoutPreview);
    EXPECT_EQ(static_cast<FakeControlWindow*>(dialog->Toolbar())->ResourceId(), kToolbarWithoutPreview);
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(tools->buttons.size(), 1u);
    EXPECT_EQ(tools->buttons[0].command, kCommandResetAll);

    const float defaultFog = BeamvistaDefaultPars().o_fog_intensity;
    for (int32_t command : {kCommandResetAll, kCommandResetIgnoringShow}) {
        ChangeParameters([](LBeamvistaPars& pars) {
            pars.o_fog_intensity = 0.25f;
            pars.o_bg1_intensity = 2;
        });
        ParameterObserver observer;
        dialog->OnCommand(command);
        EXPECT_EQ(observer.Transactions(), 1) << command;
        EXPECT_FLOAT_EQ(FogIntensity(), defaultFog);
        EXPECT_FLOAT_EQ(LCurrentKWPPars::Get().o_bg1_intensity, 1);
    }
    ParameterObserver observer;
    dialog->OnCommand(kCommandResetAll);
    dialog->OnCommand(kCommandLoadParameters);
    dialog->OnCommand(kCommandSaveParameters);
    EXPECT_EQ(observer.Changes(), 0) << "equal values send nothing";
    EXPECT_EQ(observer.Transactions(), 0);
    EXPECT_TRUE(ui_.fileDialogs.empty());
}

TEST_F(ParameterDialogTest, OneDialogPerOwnerTitledByThePreviewsName)
{
    ASSERT_TRUE(preview_.ShowParameterDialogFor(view_));
    LBeamvistaParameterDlg* first = preview_.ParameterDialog();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Window()->Text(), "Beam Vista Parameters");
    EXPECT_TRUE(first->Window()->IsShown());
    ControlWindow* lineWidth = first->GetDialogManager()->PanelAt(0)->GetDlgItem(2234);
    EXPECT_EQ(windows_.focus, lineWidth) << "the first opening's focus: Line Width's field";
    EXPECT_EQ(first->GetDialogManager()->ScrollPosition(), 0);
    const int32_t raises = Fake(*first).raises;
    ASSERT_TRUE(preview_.ShowParameterDialogFor(view_));
    EXPECT_EQ(preview_.ParameterDialog(), first) << "the same owner keeps its dialog";
    EXPECT_GT(Fake(*first).raises, raises) << "brought to the top";

    ControlWindow* fogField = first->GetDialogManager()->PanelAt(1)->GetDlgItem(2220);
    fogField->SetFocus();
    first->OnCloseRequest();
    EXPECT_FALSE(first->Window()->IsShown()) << "closing only hides";
    windows_.focus = nullptr;
    ASSERT_TRUE(preview_.ShowParameterDialog());
    EXPECT_EQ(preview_.ParameterDialog(), first);
    EXPECT_TRUE(first->Window()->IsShown());
    EXPECT_EQ(windows_.focus, fogField) << "opened again: the last focused field";

    preview_.SetName("Laser Show");
    ASSERT_TRUE(preview_.ShowParameterDialogFor(frame_));
    LBeamvistaParameterDlg* second = preview_.ParameterDialog();
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(second->Owner(), frame_) << "another owner gets a new dialog";
    EXPECT_EQ(second->Window()->Text(), "Laser Show Properties");

    // The toolkit destroys the dialog with its owner; the next request makes a new one.
    Fake(*second).DestroyByToolkit();
    EXPECT_EQ(second->Window(), nullptr);
    ASSERT_TRUE(preview_.ShowParameterDialogFor(frame_));
    ASSERT_NE(preview_.ParameterDialog()->Window(), nullptr);
}

TEST_F(ParameterDialogTest, OneShotButtonsActOncePerClickAndNeverForAFile)
{
    std::shared_ptr<LBeamvistaParameterDlg> dialog = Open(&preview_);
    ASSERT_TRUE(dialog);
    LDialogManager* stack = dialog->GetDialogManager();
    auto* load = ItemControl<LButton>(*stack->PanelAt(3), 2241);
    ASSERT_NE(load, nullptr);
    ui_.fileDialogAnswers = {std::nullopt, std::nullopt};
    load->OnClicked();
    load->OnClicked();
    ASSERT_EQ(ui_.fileDialogs.size(), 2u) << "each click opens the picture chooser";
    EXPECT_EQ(ui_.fileDialogs[0].filter.rfind("All Known Formats|*.jpg;*.jpeg;*.png|", 0), 0u);

    for (int32_t id : {2204, 2202, 2203}) {
        auto* button = ItemControl<LButton>(*stack->PanelAt(2), id);
        ASSERT_NE(button, nullptr);
        ParameterObserver observer;
        button->OnClicked();
        EXPECT_EQ(observer.Transactions(), 1) << id;
        button->OnClicked();
        EXPECT_EQ(observer.Transactions(), 2) << "each click is a change, whatever the value";
    }

    ChangeParameters([](LBeamvistaPars& pars) { pars.o_bg0_load ^= 1; });
    EXPECT_EQ(ui_.fileDialogs.size(), 2u) << "a change from a whole-record writer opens nothing";
}

} // namespace
