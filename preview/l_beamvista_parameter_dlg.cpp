#include "preview/l_beamvista_parameter_dlg.h"

#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"
#include "params/current_kwp_pars.h"
#include "params/internal/beamvista_param_entries.h"
#include "platform/deliverable_kind.h"
#include "preview/l_beamvista.h"
#include "preview/l_beamvista_param_bg_bitmap_dialog.h"
#include "preview/l_beamvista_param_fog_dialog.h"
#include "preview/l_beamvista_param_main_dialog.h"
#include "preview/l_beamvista_param_open_gl_dialog.h"
#include "preview/parameter_dialog_resources.h"
#include "preview/parameter_panel_templates.h"

LBeamvistaParameterDlg::~LBeamvistaParameterDlg()
{
    Close();
}

std::shared_ptr<LBeamvistaParameterDlg>
LBeamvistaParameterDlg::CreateNew(UiWindowId owner, LBeamvista* preview, LDialogManagerListener* listener)
{
    auto dialog = std::make_shared<LBeamvistaParameterDlg>(preview);
    if (!dialog->CreateDialogWindow(owner, preview ? kToolbarWithPreview : kToolbarWithoutPreview))
        return nullptr;
    dialog->SetListener(listener);
    return dialog;
}

bool LBeamvistaParameterDlg::CreateDialogWindow(UiWindowId owner, int32_t toolbarId)
{
    RegisterBeamvistaParameters();
    HArray<ValueHandlerDialogEntry> entries;
    BuildBeamvistaParamEntries(entries);
    Setup(entries.GetData(), kTitle);
    owner_ = owner;
    if (!Create(owner, toolbarId))
        return false;
    BringToTop();
    return true;
}

void LBeamvistaParameterDlg::SetTitleFromName(const XAString& name)
{
    if (name.IsEmpty() || !Window())
        return;
    XAString title = name;
    title += " Properties";
    Window()->SetText(title.CStr());
}

bool LBeamvistaParameterDlg::BuildPanels()
{
    LDialogManager* stack = GetDialogManager();
    if (!stack || !stack->Window())
        return false;
    // Main and Fog open expanded, as their entries are pages; the rest are collapsed groups.
    auto main = std::make_shared<LBeamvistaParamMainDialog>();
    if (!stack->AddDialog(main, kTemplateParamMain, "Main", true))
        return false;
    // Making the panels moves no focus; the first opening puts it in the first field.
    if (ControlWindow* first = main->GetDlgItem(LBeamvistaParamMainDialog::kLineWidthFieldId))
        stack->SetFocusedChild(dynamic_cast<LWindowObject*>(first->Sink()));
    if (!stack->AddDialog(std::make_shared<LBeamvistaParamFogDialog>(), kTemplateParamFog, "Fog", true) ||
        !stack->AddDialog(std::make_shared<LBeamvistaParamOpenGlDialog>(), kTemplateParamOpenGl,
                          "OpenGl Setup", false))
        return false;
    // The control's build shows no background panels.
    if (CurrentDeliverableKind() == DeliverableKind::Control)
        return true;
    for (int32_t slot = 0; slot < kBeamvistaBackgroundCount; ++slot) {
        auto panel = std::make_shared<LBeamvistaParamBgBitmapDialog>();
        panel->SetIndex(slot);
        const XAString caption = XAString::Format("Background %d", slot + 1);
        if (!stack->AddDialog(panel, kTemplateParamBackground, caption.CStr(), false))
            return false;
    }
    return true;
}

void LBeamvistaParameterDlg::OnCommand(int32_t id)
{
    switch (id) {
    case kCommandResetIgnoringShow:
        OnResetIgnoreShow();
        return;
    case kCommandResetAll:
        OnResetAll();
        return;
    case kCommandLoadParameters:
        OnLoadParameters();
        return;
    case kCommandSaveParameters:
        OnSaveParameters();
        return;
    default:
        LAutoValueHandlerDialog::OnCommand(id);
    }
}

void LBeamvistaParameterDlg::OnResetIgnoreShow()
{
    ResetParameters(false);
}

void LBeamvistaParameterDlg::OnResetAll()
{
    ResetParameters(true);
}

bool LBeamvistaParameterDlg::OnLoadParameters()
{
    return preview_ && preview_->LoadSettingsFile(XAString());
}

bool LBeamvistaParameterDlg::OnSaveParameters()
{
    return preview_ && preview_->SaveSettingsFile(XAString());
}

void LBeamvistaParameterDlg::ResetParameters(bool fromFile)
{
    if (preview_) {
        preview_->ResetParameters(fromFile, kBeamvistaFileGroups);
        return;
    }
    // Without a preview both resets put back the generic defaults with the stored OpenGL
    // switches, and only when something differs.
    LBeamvistaPars defaults = BeamvistaDefaultPars();
    defaults.LoadOpenGlDefaults();
    if (!defaults.IsEqual(LCurrentKWPPars::Get(), kBeamvistaFileGroups))
        defaults.ApplyToParameters(kBeamvistaFileGroups);
}
