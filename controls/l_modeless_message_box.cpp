#include "controls/l_modeless_message_box.h"

LModelessMessageBox::~LModelessMessageBox()
{
    DestroyWindow();
}

bool LModelessMessageBox::Show(const std::string& title, const std::string& text, const std::string& label1,
                               const std::string& label2, const std::string& label3, int32_t iconId)
{
    if (window_ != nullptr)
        return false;
    title_ = title;
    text_ = text;
    labels_ = {label1, label2, label3};
    iconId_ = iconId;
    if (!ModelessBoxLabelsValid(labels_))
        return false;
    cancelIndex_ = ModelessBoxCancelIndex(labels_);
    ModelessBoxService* service = CurrentModelessBoxService();
    if (service == nullptr)
        return false;
    ModelessBoxSpec spec{title_, text_, labels_, iconId_, cancelIndex_ >= 0, {}};
    int32_t width = 0;
    int32_t height = 0;
    MeasureModelessBoxText(text_, width, height);
    spec.layout = FitModelessBox(ModelessBoxTemplateFor(labels_), width, height, DialogFontBaseUnits());
    window_ = service->Create(spec, *this);
    if (window_ == nullptr)
        return false;
    // A box shown again answers anew: the press of an earlier showing is not its answer.
    result_ = kNoResult;
    return true;
}

bool LModelessMessageBox::PumpMessages(bool allWindows)
{
    ModelessBoxService* service = CurrentModelessBoxService();
    if (window_ == nullptr || service == nullptr)
        return true;
    return service->PumpMessages(allWindows);
}

void LModelessMessageBox::EnableOwner(bool enable)
{
    const bool disable = !enable;
    if (disable == ownerDisabled_)
        return;
    ownerDisabled_ = disable;
    if (window_ != nullptr && !window_->EnableOwner(enable))
        ownerDisabled_ = false;
}

void LModelessMessageBox::OnBoxButton(int32_t index)
{
    if (index < 0)
        index = cancelIndex_;
    if (index < 0 || index >= kModelessBoxButtons || labels_[static_cast<size_t>(index)].empty())
        return;
    result_ = index;
    DestroyWindow();
    if (index == 0)
        OnButton1Done();
    else if (index == 1)
        OnButton2Done();
    else
        OnButton3Done();
}

void LModelessMessageBox::DestroyWindow()
{
    if (window_ == nullptr)
        return;
    if (ownerDisabled_)
        EnableOwner(true);
    ModelessBoxWindow* window = window_;
    window->DestroyBox();
    window_ = nullptr;
}

void LModelessMessageBox::OnBoxWindowGone()
{
    // Gone without our asking (the toolkit closed it): the owner must not stay disabled.
    if (window_ != nullptr && ownerDisabled_)
        window_->EnableOwner(true);
    ownerDisabled_ = false;
    window_ = nullptr;
}
