#include "preview/l_beamvista_param_panel.h"

#include "params/internal/beamvista_parameter_key.h"

namespace {

template <class Control> void Make(std::vector<std::unique_ptr<Control>>& controls, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        controls.push_back(std::make_unique<Control>());
}

// Destroys the controls last made first.
template <class Control> void DestroyBackwards(std::vector<std::unique_ptr<Control>>& controls)
{
    while (!controls.empty())
        controls.pop_back();
}

} // namespace

LBeamvistaParamPanel::LBeamvistaParamPanel(const ParamPanelLayout& layout) : layout_(layout)
{
    Make(checkboxes_, layout.checkboxes.size());
    Make(buttons_, layout.buttons.size());
    Make(edits_, layout.edits.size());
    Make(spins_, layout.spins.size());
    Make(spinXYs_, layout.spinXYs.size());
}

LBeamvistaParamPanel::~LBeamvistaParamPanel()
{
    DestroyBackwards(spinXYs_);
    DestroyBackwards(spins_);
    DestroyBackwards(edits_);
    DestroyBackwards(buttons_);
    DestroyBackwards(checkboxes_);
}

bool LBeamvistaParamPanel::DoDataExchange()
{
    bool attached = true;
    for (size_t i = 0; i < checkboxes_.size(); ++i)
        attached = attached && AttachItem(layout_.checkboxes[i].id, *checkboxes_[i]);
    for (size_t i = 0; i < buttons_.size(); ++i)
        attached = attached && AttachItem(layout_.buttons[i].id, *buttons_[i]);
    for (size_t i = 0; i < edits_.size(); ++i)
        attached = attached && AttachItem(layout_.edits[i].id, *edits_[i]);
    for (size_t i = 0; i < spins_.size(); ++i)
        attached = attached && AttachItem(layout_.spins[i].id, *spins_[i]);
    for (size_t i = 0; i < spinXYs_.size(); ++i)
        attached = attached && AttachItem(layout_.spinXYs[i].id, *spinXYs_[i]);
    return attached;
}

bool LBeamvistaParamPanel::OnInitDialog()
{
    if (!LDialog::OnInitDialog())
        return false;
    // Keys are absolute, under "Beamvista": no registry context.
    for (size_t i = 0; i < checkboxes_.size(); ++i)
        checkboxes_[i]->Bind(KeyOf(layout_.checkboxes[i].name), nullptr);
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->Bind(KeyOf(layout_.buttons[i].name), nullptr);
    for (size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->Bind(KeyOf(layout_.edits[i].name), nullptr);
    for (size_t i = 0; i < spins_.size(); ++i)
        spins_[i]->Bind(KeyOf(layout_.spins[i].name), nullptr);
    for (size_t i = 0; i < spinXYs_.size(); ++i) {
        const ParamXYBinding& binding = layout_.spinXYs[i];
        if (binding.mode != 0)
            spinXYs_[i]->RepaintAndBind(binding.mode, KeyOf(binding.xName), KeyOf(binding.yName), nullptr);
        else
            spinXYs_[i]->Bind(KeyOf(binding.xName), KeyOf(binding.yName), nullptr);
    }
    return true;
}

XAString LBeamvistaParamPanel::KeyOf(const char* name) const
{
    return BeamvistaParameterKey(ParameterName(name).CStr());
}
