#include "controls/control_resources.h"
#include "controls/control_strings.h"
#include "controls/l_auto_value_handler_dialog.h"
#include "controls/test_support/control_test_fixture.h"
#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"
#include "params/internal/beamvista_param_entries.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

class AutoDialogTest : public ::testing::Test, public ControlTestFixture
{
  protected:
    LAutoValueHandlerDialog dialog;

    bool Build(std::vector<ValueHandlerDialogEntry> entries, int32_t toolbar = 0)
    {
        entries.push_back({});
        return dialog.Setup(entries.data(), "Test") && dialog.Create(top, toolbar);
    }

    static RasterRect PanelRect(const LAutoValueHandlerDialog& owner, int32_t index)
    {
        return owner.GetDialogManager()->PanelAt(index)->Window()->Rect();
    }
};

} // namespace

TEST_F(AutoDialogTest, EntriesBuildPanelsOfRows)
{
    RecordingIntHandler value("v", IntValue(1, 0, 5), sent);
    ASSERT_TRUE(value.ConnectRegistry("Beamvista.test.value", nullptr));
    ASSERT_TRUE(Build({
        {kEntrySwitch, "Beamvista.before.heading"},
        {kEntryPage, "First"},
        {kEntryGroup, "Empty"},
        {kEntryGroup, "Rows"},
        {kEntrySwitch, "Beamvista.test.value"},
        {kEntryInt, "Beamvista.test.value"},
        {kEntryText, "nodots"},
        {7, "Beamvista.skipped"},
    }));
    LDialogManager* stack = dialog.GetDialogManager();
    ASSERT_EQ(stack->PanelCount(), 3);
    for (int32_t i : {0, 1}) {
        EXPECT_EQ(PanelRect(dialog, i).right - PanelRect(dialog, i).left, 310);
        EXPECT_EQ(PanelRect(dialog, i).bottom - PanelRect(dialog, i).top, 12)
            << "a heading right after a heading";
    }
    EXPECT_EQ(PanelRect(dialog, 2).bottom - PanelRect(dialog, 2).top, 8 + 3 * 25 + 4);
    EXPECT_TRUE(stack->HeaderAt(0)->IsExpanded());
    EXPECT_FALSE(stack->HeaderAt(1)->IsExpanded());
    EXPECT_EQ(stack->HeaderAt(2)->Window()->Text(), "Rows");
    EXPECT_EQ(dialog.CheckboxCount(), 1) << "no control before the first heading, none for kind 7";
    EXPECT_EQ(dialog.EditCount(), 2);
    EXPECT_EQ(dialog.SpinCount(), 1);
    EXPECT_EQ(dialog.LabelCount(), 2);

    const auto labels = windows.WindowsOfKind(ControlWindowKind::kLabel);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->Text(), "test.value") << "the key after its first dot";
    EXPECT_EQ(labels[1]->Text(), "nodots");
    const auto edits = windows.WindowsOfKind(ControlWindowKind::kEdit);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0]->Rect().left, 168);
    EXPECT_EQ(edits[0]->Rect().right, 168 + 55);
    EXPECT_EQ(edits[0]->Text(), "1");
    EXPECT_EQ(edits[1]->Rect().right, 168 + 125);
    // The spin fills the last 15 pixels of its cell; the check box carries the label.
    for (FakeControlWindow* box : windows.WindowsOfKind(ControlWindowKind::kOwnerDrawn)) {
        if (dynamic_cast<LSpin*>(box->Sink())) {
            EXPECT_EQ(box->Rect().left, 168 + 55);
            EXPECT_EQ(box->Rect().right, 168 + 70);
        } else if (dynamic_cast<LCheckbox*>(box->Sink())) {
            EXPECT_EQ(box->Text(), "test.value");
            EXPECT_EQ(box->Rect().left, 15);
        }
    }
    EXPECT_TRUE(stack->PanelAt(0)->Window()->HasFocus()) << "the first panel has the focus";
}

TEST_F(AutoDialogTest, ALabelTakesAtLeastItsTextsWidth)
{
    ASSERT_TRUE(
        Build({{kEntryPage, "P"}, {kEntryInt, "Beamvista.a_rather_long_parameter_name_for_a_label"}}));
    const RasterRect label = windows.WindowsOfKind(ControlWindowKind::kLabel)[0]->Rect();
    EXPECT_GT(label.right - label.left, 125);
}

TEST_F(AutoDialogTest, TheStackFillsTheClientWithoutAToolbarAndSitsBelowOne)
{
    ASSERT_TRUE(Build({{kEntryPage, "P"}}));
    const RasterRect client = dialog.Window()->ClientRect();
    EXPECT_EQ(dialog.GetDialogManager()->Window()->Rect().top, 0);
    EXPECT_EQ(dialog.GetDialogManager()->Window()->Rect().bottom, client.bottom);
    EXPECT_EQ(dialog.Separator()->Rect().top, 0) << "where the template put it";
    EXPECT_EQ(Fake(dialog).limitClientWidth, dialog.GetDialogManager()->GetPreferredWidth());
    EXPECT_EQ(Fake(dialog).limitMinHeight, 100);
    EXPECT_FALSE(dialog.Window()->IsShown()) << "shown by BringToTop";

    LAutoValueHandlerDialog withBar;
    ValueHandlerDialogEntry entries[] = {{kEntryPage, "P"}, {}};
    ASSERT_TRUE(withBar.Setup(entries, "Bar"));
    ASSERT_TRUE(withBar.Create(top, 2190));
    const int32_t barHeight = withBar.Toolbar()->Rect().bottom;
    EXPECT_EQ(static_cast<FakeControlWindow*>(withBar.Toolbar())->ResourceId(), 2190);
    EXPECT_EQ(withBar.Separator()->Rect().top, barHeight);
    EXPECT_EQ(withBar.GetDialogManager()->Window()->Rect().top,
              barHeight + (withBar.Separator()->Rect().bottom - withBar.Separator()->Rect().top) + 3);
}

TEST_F(AutoDialogTest, CreateRefusesASecondWindowAndAMissingCheckString)
{
    ASSERT_TRUE(Build({{kEntryPage, "P"}}));
    ControlWindow* first = dialog.Window();
    EXPECT_FALSE(dialog.Create(top, 0));
    EXPECT_EQ(dialog.Window(), first);
    ValueHandlerDialogEntry other[] = {{kEntryPage, "Q"}, {}};
    EXPECT_FALSE(dialog.Setup(other, "changed")) << "not while the window exists";
    EXPECT_EQ(dialog.Entries()[0].text.View(), "P");

    dialog.Close();
    EXPECT_EQ(dialog.Window(), nullptr);
    EXPECT_TRUE(dialog.Create(top, 0)) << "Close keeps the entries for another Create";

    const int32_t before = windows.LiveWindows();
    {
        const StringResource otherText[] = {{kStringResourceCheck, "This is a test string."}};
        const ResourceTables tables{{}, {}, otherText, {}, {}};
        ScopedResources scope(tables);
        LAutoValueHandlerDialog unchecked;
        EXPECT_FALSE(unchecked.Create(top, 0)) << "the check string differs";
    }
    UninstallResources(&ControlResourceTables());
    LAutoValueHandlerDialog unchecked;
    EXPECT_FALSE(unchecked.Create(top, 0)) << "no check string";
    InstallResources(&ControlResourceTables());
    EXPECT_EQ(windows.LiveWindows(), before);
}

TEST_F(AutoDialogTest, FailuresAfterTheFrameLeaveNoWindowBehind)
{
    for (ControlWindowKind failing : {ControlWindowKind::kToolbar, ControlWindowKind::kPanelStack,
                                      ControlWindowKind::kEdit, ControlWindowKind::kPanel}) {
        const int32_t before = windows.LiveWindows();
        LAutoValueHandlerDialog failed;
        ValueHandlerDialogEntry entries[] = {{kEntryPage, "P"}, {kEntryText, "Beamvista.x"}, {}};
        failed.Setup(entries, "t");
        windows.FailKind(failing);
        EXPECT_FALSE(failed.Create(top, 5)) << static_cast<int>(failing);
        EXPECT_EQ(failed.Window(), nullptr);
        EXPECT_EQ(windows.LiveWindows(), before) << static_cast<int>(failing);
        windows.FailKind(failing, 1000);
    }
}

TEST_F(AutoDialogTest, ClosingOnlyHidesAndBringToTopRestoresTheFocus)
{
    ASSERT_TRUE(Build({{kEntryPage, "P"}, {kEntryText, "Beamvista.x"}}));
    EXPECT_TRUE(dialog.BringToTop());
    EXPECT_TRUE(dialog.Window()->IsShown());
    FakeControlWindow* field = windows.WindowsOfKind(ControlWindowKind::kEdit)[0];
    field->SetFocus();
    Fake(dialog).minimised = true;
    dialog.OnCloseRequest();
    EXPECT_FALSE(dialog.Window()->IsShown());
    EXPECT_FALSE(Fake(dialog).minimised) << "restored before hiding";
    EXPECT_TRUE(dialog.OnKeyDown(kKeyReturn, false));
    EXPECT_TRUE(dialog.Window() != nullptr);
    top->SetFocus();
    EXPECT_TRUE(dialog.BringToTop());
    EXPECT_TRUE(field->HasFocus());
    EXPECT_TRUE(dialog.OnKeyDown(kKeyEscape, false));
    EXPECT_FALSE(dialog.Window()->IsShown());

    LAutoValueHandlerDialog never;
    EXPECT_FALSE(never.BringToTop());
}

TEST_F(AutoDialogTest, AParentDestroyingTheWindowLeavesTheObjectReadyForAnother)
{
    FakeControlWindow* parent = windows.CreateTopLevel({0, 0, 100, 100});
    ValueHandlerDialogEntry entries[] = {{kEntryPage, "P"}, {kEntrySwitch, "Beamvista.x"}, {}};
    ASSERT_TRUE(dialog.Setup(entries, "t"));
    ASSERT_TRUE(dialog.Create(parent, 0));
    parent->Destroy();
    EXPECT_EQ(dialog.Window(), nullptr);
    EXPECT_EQ(dialog.GetDialogManager(), nullptr);
    EXPECT_EQ(dialog.CheckboxCount(), 0);
    EXPECT_TRUE(dialog.Create(top, 0));
}

TEST_F(AutoDialogTest, ToolTipsAreCutTo79Characters)
{
    const std::string longText(100, 'x');
    const std::string accented = std::string(78, 'x') + "\xC3\xA9\xC3\xA9";
    const StringResource strings[] = {{1, "Open"}, {2, longText.c_str()}, {3, accented.c_str()}};
    const ResourceTables tables{{}, {}, strings, {}, {}};
    ScopedResources scope(tables);
    std::string text;
    EXPECT_FALSE(ToolTipText(0, text));
    EXPECT_FALSE(ToolTipText(9, text));
    EXPECT_TRUE(ToolTipText(1, text));
    EXPECT_EQ(text, "Open");
    EXPECT_TRUE(ToolTipText(2, text));
    EXPECT_EQ(text, std::string(79, 'x'));
    EXPECT_TRUE(ToolTipText(3, text));
    EXPECT_EQ(text, std::string(78, 'x') + "\xC3\xA9") << "whole characters only";
}

TEST_F(AutoDialogTest, ThePreviewsEntriesBuildNineBoundPanels)
{
    RegisterBeamvistaParameters();
    HArray<ValueHandlerDialogEntry> list;
    ASSERT_TRUE(BuildBeamvistaParamEntries(list));
    ASSERT_TRUE(dialog.Setup(list.GetData(), "Beam Vista Parameters"));
    ASSERT_TRUE(dialog.Create(top, 0));
    LDialogManager* stack = dialog.GetDialogManager();
    ASSERT_EQ(stack->PanelCount(), 9);
    EXPECT_EQ(static_cast<int32_t>(dialog.Entries().size()), 81);
    EXPECT_EQ(dialog.CheckboxCount() + dialog.LabelCount(), 72);
    EXPECT_EQ(Fake(dialog).limitClientWidth, 310 + 3 + FakeControlWindow::kScrollBarWidth + 8);

    // A whole-record write refreshes each control exactly once.
    std::vector<FakeControlWindow*> controls = windows.WindowsOfKind(ControlWindowKind::kEdit);
    for (FakeControlWindow* box : windows.WindowsOfKind(ControlWindowKind::kOwnerDrawn))
        if (dynamic_cast<LCaptionButton*>(box->Sink()) == nullptr)
            controls.push_back(box);
    std::vector<int32_t> before;
    for (FakeControlWindow* control : controls)
        before.push_back(control->updates);
    LBeamvistaPars pars;
    pars.ReadFromParameters();
    pars.ApplyToParameters(kBeamvistaAllGroups);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->updates - before[i], 1) << i;
}
