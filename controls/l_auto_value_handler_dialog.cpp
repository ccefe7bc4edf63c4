#include "controls/l_auto_value_handler_dialog.h"

#include "controls/control_resources.h"
#include "controls/dialog_template.h"
#include "platform/resources.h"

#include <cstring>

namespace {

constexpr int32_t kCheckboxX = 15;
constexpr int32_t kCheckboxWidth = 150;
constexpr int32_t kLabelX = 33;
constexpr int32_t kLabelWidth = 125;
constexpr int32_t kFieldX = 168;
constexpr int32_t kSpinFieldWidth = 70;
constexpr int32_t kTextFieldWidth = 125;
constexpr int32_t kRowControlHeight = 20;

int32_t Height(const RasterRect& rect)
{
    return rect.bottom - rect.top;
}

} // namespace

std::string EntryLabel(const XAString& key)
{
    const std::string_view text = key.View();
    const size_t dot = text.find('.');
    return std::string(dot == std::string_view::npos ? text : text.substr(dot + 1));
}

LAutoValueHandlerDialog::~LAutoValueHandlerDialog()
{
    Close();
}

bool LAutoValueHandlerDialog::Setup(const ValueHandlerDialogEntry* entries, const XAString& title)
{
    if (Window())
        return false;
    title_ = title;
    entries_.clear();
    for (const ValueHandlerDialogEntry* entry = entries; entry && entry->kind != kEntryEnd; ++entry)
        entries_.push_back(*entry);
    entries_.shrink_to_fit();
    return true;
}

bool LAutoValueHandlerDialog::Create(ControlWindow* parent, int32_t toolbarId)
{
    return CreateFrame(parent, UiWindowId(), toolbarId);
}

bool LAutoValueHandlerDialog::Create(UiWindowId owner, int32_t toolbarId)
{
    return CreateFrame(nullptr, owner, toolbarId);
}

bool LAutoValueHandlerDialog::CreateFrame(ControlWindow* parent, UiWindowId owner, int32_t toolbarId)
{
    if (Window())
        return false;
    const char* check = FindStringResource(kStringResourceCheck);
    const DialogTemplate* frame = FindDialogTemplate(kTemplateFrameDialog);
    if (!check || std::strcmp(check, kResourceCheckText) != 0 || !frame)
        return false;
    ControlWindowSpec spec;
    spec.kind = ControlWindowKind::kDialog;
    spec.rect = DialogUnitsToPixels({0, 0, frame->widthUnits, frame->heightUnits});
    spec.text = title_.CStr();
    spec.visible = false;
    spec.owner = owner;
    if (!CreateWindow(parent, spec))
        return false;
    Window()->SetText(title_.CStr());

    if (const DialogItem* line = FindDialogItem(*frame, kFrameSeparatorId))
        separator_.Attach(CreateControlWindow(Window(), DialogItemWindowSpec(*line), &separator_));

    if (toolbarId != 0) {
        ControlWindowSpec bar;
        bar.kind = ControlWindowKind::kToolbar;
        bar.resourceId = toolbarId;
        toolbar_ = std::make_shared<LWindowObject>();
        toolbar_->Attach(CreateControlWindow(Window(), bar, toolbar_.get()));
        if (!toolbar_->Window()) {
            Close();
            return false;
        }
    }
    if (!CreatePanelStack()) {
        Close();
        return false;
    }
    Window()->SetSizeLimits(stack_->GetPreferredWidth(), kMinimumHeight);
    Layout();
    stack_->NotifyOpened();
    return true;
}

void LAutoValueHandlerDialog::Close()
{
    if (stack_)
        stack_->NotifyClosed();
    toolbar_.reset();
    stack_.reset();
    checkboxes_.clear();
    edits_.clear();
    spins_.clear();
    labels_.clear();
    separator_.DestroyWindow();
    DestroyWindow();
}

bool LAutoValueHandlerDialog::BringToTop()
{
    if (!Window())
        return false;
    Window()->Raise();
    Window()->Show(true);
    if (stack_)
        stack_->RestoreFocus();
    return true;
}

void LAutoValueHandlerDialog::SetListener(LDialogManagerListener* listener)
{
    if (stack_)
        stack_->SetListener(listener);
}

bool LAutoValueHandlerDialog::CreatePanelStack()
{
    stack_ = std::make_shared<LDialogManager>();
    if (!stack_->Create(kTemplatePanelStack, Window()))
        return false;
    return BuildPanels();
}

bool LAutoValueHandlerDialog::BuildPanels()
{
    if (!stack_ || !stack_->Window())
        return false;
    PanelUnderConstruction current;
    std::shared_ptr<LDialog> firstPanel;
    for (const ValueHandlerDialogEntry& entry : entries_) {
        const std::string label = EntryLabel(entry.text);
        ControlWindow* panel = current.panel ? current.panel->Window() : nullptr;
        bool made = true;
        switch (entry.kind) {
        case kEntryPage:
        case kEntryGroup:
            if (current.panel && !FinishPanel(current))
                return false;
            current = {std::make_shared<LDialog>(), entry.text, entry.kind == kEntryPage, kFirstRowY};
            if (!current.panel->Create(kTemplateEmptyPanel, stack_->Window()))
                return false;
            if (!firstPanel)
                firstPanel = current.panel;
            continue;
        case kEntrySwitch:
            if (panel)
                made = AddCheckbox(panel, entry.text, label, current.y);
            break;
        case kEntryInt:
        case kEntryReal:
            if (panel)
                made = AddLabel(panel, label,
                                {kLabelX, current.y, kLabelX + kLabelWidth, current.y + kRowControlHeight}) &&
                       AddEditWithSpin(
                           panel, entry.text,
                           {kFieldX, current.y, kFieldX + kSpinFieldWidth, current.y + kRowControlHeight});
            break;
        case kEntryText:
            if (panel)
                made =
                    AddLabel(panel, label,
                             {kLabelX, current.y, kLabelX + kLabelWidth, current.y + kRowControlHeight}) &&
                    AddEdit(panel, entry.text,
                            {kFieldX, current.y, kFieldX + kTextFieldWidth, current.y + kRowControlHeight});
            break;
        default:
            continue;
        }
        if (!made)
            return false;
        if (panel)
            current.y += kRowHeight;
    }
    if (current.panel && !FinishPanel(current))
        return false;
    if (firstPanel && firstPanel->Window())
        firstPanel->Window()->SetFocus();
    return true;
}

bool LAutoValueHandlerDialog::FinishPanel(PanelUnderConstruction& current)
{
    ControlWindow* window = current.panel->Window();
    if (!window)
        return false;
    const RasterRect rect = window->Rect();
    window->Move({rect.left, rect.top, rect.left + kPanelWidth, rect.top + current.y + kPanelBottomMargin},
                 false);
    const bool added = stack_->AddDialog(current.panel, -1, current.title.CStr(), current.expanded);
    current.panel.reset();
    return added;
}

bool LAutoValueHandlerDialog::AddCheckbox(ControlWindow* panel, const XAString& key, const std::string& label,
                                          int32_t y)
{
    auto box = std::make_shared<LCheckbox>();
    if (!box->Create(label, {kCheckboxX, y, kCheckboxX + kCheckboxWidth, y + kRowControlHeight}, panel))
        return false;
    box->Bind(key, nullptr);
    checkboxes_.push_back(box);
    return true;
}

bool LAutoValueHandlerDialog::AddLabel(ControlWindow* panel, const std::string& text, const RasterRect& rect)
{
    auto label = std::make_shared<LStaticText>();
    if (!label->Create(text, rect, panel))
        return false;
    labels_.push_back(label);
    return true;
}

bool LAutoValueHandlerDialog::AddEdit(ControlWindow* panel, const XAString& key, const RasterRect& rect)
{
    auto edit = std::make_shared<LEditString>();
    if (!edit->Create(rect, panel))
        return false;
    edit->Bind(key, nullptr);
    edits_.push_back(edit);
    return true;
}

bool LAutoValueHandlerDialog::AddEditWithSpin(ControlWindow* panel, const XAString& key,
                                              const RasterRect& cell)
{
    const int32_t fieldRight = cell.right - (3 * Height(cell)) / 4;
    if (!AddEdit(panel, key, {cell.left, cell.top, fieldRight, cell.bottom}))
        return false;
    auto spin = std::make_shared<LSpin>();
    if (!spin->Create({fieldRight, cell.top, cell.right, cell.bottom}, panel))
        return false;
    spin->Bind(key, nullptr);
    spins_.push_back(spin);
    return true;
}

void LAutoValueHandlerDialog::Layout()
{
    if (!Window() || !stack_ || !stack_->Window())
        return;
    const RasterRect client = Window()->ClientRect();
    int32_t stackTop = 0;
    if (ControlWindow* bar = Toolbar()) {
        const int32_t barHeight = Height(bar->Rect());
        bar->Move({0, 0, client.right, barHeight}, true);
        int32_t lineHeight = 0;
        if (ControlWindow* line = Separator()) {
            lineHeight = Height(line->Rect());
            line->Move({0, barHeight, client.right, barHeight + lineHeight}, true);
        }
        stackTop = barHeight + lineHeight + kStackTopGap;
    }
    stack_->Window()->Move({0, stackTop, client.right, client.bottom}, true);
}

void LAutoValueHandlerDialog::OnSize()
{
    Layout();
}

void LAutoValueHandlerDialog::OnCommand(int32_t id)
{
    if (id == kIdOk)
        OnOK();
}

void LAutoValueHandlerDialog::OnCloseRequest()
{
    if (!Window())
        return;
    Window()->Restore();
    Window()->Show(false);
}

void LAutoValueHandlerDialog::OnActivate(bool starting)
{
    if (stack_)
        stack_->SetAutoScroll(!starting);
}

bool LAutoValueHandlerDialog::OnKeyDown(int32_t key, bool ctrl)
{
    if (key == kKeyReturn) {
        OnCommand(kIdOk);
        return true;
    }
    if (key != kKeyEscape)
        return false;
    OnCloseRequest();
    return true;
}

void LAutoValueHandlerDialog::OnWindowDestroyed()
{
    LWindowObject::OnWindowDestroyed();
    Close();
}
