// The parameter dialog of the preview: at most one, over the window it was asked for.
#include "preview/l_beamvista.h"

#include "preview/l_beamvista_parameter_dlg.h"

bool LBeamvista::ShowParameterDialog()
{
    if (parameterDialog_ && parameterDialog_->BringToTop())
        return true;
    // Over the preview's parent window; without one (a window of its own), over no window.
    return ShowParameterDialogFor(window_ ? window_->Parent() : UiWindowId());
}

bool LBeamvista::ShowParameterDialogFor(UiWindowId owner)
{
    // A dialog whose window went with its owner is made anew.
    if (parameterDialog_ && parameterDialog_->Window() && parameterDialog_->Owner() == owner)
        return parameterDialog_->BringToTop();
    parameterDialog_.reset();
    // No host of this system listens to the panel stack.
    parameterDialog_ = LBeamvistaParameterDlg::CreateNew(owner, this, nullptr);
    if (parameterDialog_)
        parameterDialog_->SetTitleFromName(baseTitle_);
    return parameterDialog_ != nullptr;
}
