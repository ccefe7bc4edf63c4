#include "shell/wx/wx_playback_bar.h"

#include "platform/dialog_units.h"
#include "platform/wx/button_state_wx.h"
#include "platform/wx/icon_resource_wx.h"
#include "preview/playback_bar_template.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/iconbndl.h>
#include <wx/slider.h>
#include <wx/timer.h>

#include <array>

namespace {

constexpr int32_t kSmallIconPixels = 16;

wxRect PixelsOf(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const RasterRect r = ConvertDialogToPixels({x, y, x + width, y + height});
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int32_t Index(PlaybackBarButton button)
{
    return static_cast<int32_t>(button);
}

class WxPlaybackBar final : public wxDialog, public PlaybackBarWindow
{
  public:
    WxPlaybackBar(wxWindow* parent, int32_t sliderValue, PlaybackBarSink* sink)
        : wxDialog(parent, wxID_ANY, PlaybackBarTemplate::kCaption, wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxRESIZE_BORDER | wxCLOSE_BOX),
          sink_(sink), timer_(this)
    {
        SetClientSize(PixelsOf(0, 0, PlaybackBarTemplate::kWidthUnits, PlaybackBarTemplate::kHeightUnits).GetSize());
        for (const PlaybackBarItem& item : PlaybackBarTemplate::Items())
            MakeItem(item, sliderValue);
        SetIcons(Icons());
        // The bar grows sideways only, from the size it was made with.
        const wxSize made = GetSize();
        SetSizeHints(made.x, made.y, -1, made.y);
        // The client area, since the frame's decorations become known only once it is shown.
        lastClientSize_ = GetClientSize();
        Bind(wxEVT_SIZE, &WxPlaybackBar::OnSize, this);
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
        Bind(wxEVT_CHAR_HOOK, &WxPlaybackBar::OnCharHook, this);
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) { sink_->OnBarTimer(); });
        timer_.Start(static_cast<int>(PlaybackBarModel::kRepeatPeriodMs));
    }

    ~WxPlaybackBar() override
    {
        timer_.Stop();
        if (sink_ != nullptr)
            sink_->OnBarWindowDestroyed();
    }

    void SetCaption(const char* title) override { SetTitle(wxString::FromUTF8(title)); }

    // SetValue sends no scroll event, as the preview's own reports must not seek.
    void SetSliderValue(int32_t value) override { slider_->SetValue(value); }

    void SetEnables(const PlaybackBarEnables& enables) override
    {
        for (int32_t i = 0; i < kPlaybackBarButtonCount; ++i)
            buttons_[i]->Enable(enables.buttons[i]);
        slider_->Enable(enables.slider);
    }

    bool IsShownPressed(PlaybackBarButton button) override { return ::IsShownPressed(*buttons_[Index(button)]); }

    void ShowOnTop() override
    {
        Show();
        Raise();
    }

    void Dispose() override
    {
        sink_ = nullptr;
        timer_.Stop();
        Destroy();
    }

  private:
    static wxIconBundle Icons()
    {
        wxIconBundle icons;
        const wxIcon icon = IconFromResource(PlaybackBarTemplate::kIconId);
        if (!icon.IsOk())
            return icons;
        icons.AddIcon(icon);
        wxIcon small;
        small.CopyFromBitmap(wxBitmap(wxBitmap(icon).ConvertToImage().Scale(kSmallIconPixels, kSmallIconPixels)));
        icons.AddIcon(small);
        return icons;
    }

    void MakeItem(const PlaybackBarItem& item, int32_t sliderValue)
    {
        const wxRect rect = PixelsOf(item.x, item.y, item.width, item.height);
        if (!item.button) {
            slider_ = new wxSlider(this, item.id, sliderValue, 0, kPlaybackSliderRange, rect.GetPosition(),
                                   rect.GetSize(), wxSL_HORIZONTAL);
            // Every kind of scroll event stands for the one the system sent on any slider move.
            for (const wxEventTypeTag<wxScrollEvent>& type :
                 {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
                  wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK,
                  wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED})
                slider_->Bind(type, [this](wxScrollEvent& event) {
                    if (sink_ != nullptr)
                        sink_->OnBarSliderMoved(slider_->GetValue());
                    event.Skip();
                });
            return;
        }
        const PlaybackBarButton button = *item.button;
        auto* control = new wxButton(this, item.id, item.text, rect.GetPosition(), rect.GetSize());
        buttons_[Index(button)] = control;
        control->Bind(wxEVT_BUTTON, [this, button](wxCommandEvent&) {
            if (sink_ != nullptr)
                sink_->OnBarButtonClicked(button);
        });
        control->Bind(wxEVT_LEFT_DOWN, [this, button](wxMouseEvent& event) {
            if (sink_ != nullptr)
                sink_->OnBarButtonPressed(button);
            event.Skip();
        });
        // The click follows the release in the same event: the release counts after it.
        control->Bind(wxEVT_LEFT_UP, [this, button](wxMouseEvent& event) {
            CallAfter([this, button] {
                if (sink_ != nullptr)
                    sink_->OnBarButtonReleased(button);
            });
            event.Skip();
        });
    }

    // The slider stretches with the bar, Prev and Next keep their distance from its right edge.
    void OnSize(wxSizeEvent& event)
    {
        event.Skip();
        const wxSize size = GetClientSize();
        const int dw = size.x - lastClientSize_.x;
        const int dh = size.y - lastClientSize_.y;
        lastClientSize_ = size;
        if (dw == 0 && dh == 0)
            return;
        slider_->SetSize(slider_->GetSize() + wxSize(dw, dh));
        for (PlaybackBarButton button : {PlaybackBarButton::kPrev, PlaybackBarButton::kNext})
            buttons_[Index(button)]->Move(buttons_[Index(button)]->GetPosition() + wxPoint(dw, dh));
        Refresh();
    }

    void OnCharHook(wxKeyEvent& event)
    {
        if (event.GetKeyCode() == WXK_ESCAPE)
            Hide();
        else
            event.Skip();
    }

    PlaybackBarSink* sink_;
    wxTimer timer_;
    wxSlider* slider_ = nullptr;
    std::array<wxButton*, kPlaybackBarButtonCount> buttons_{};
    wxSize lastClientSize_;
};

} // namespace

PlaybackBarWindow* WxPlaybackBarFactory::Create(UiWindowId parent, int32_t sliderValue, PlaybackBarSink* sink)
{
    auto* window = static_cast<wxWindow*>(const_cast<void*>(parent.Handle()));
    return new WxPlaybackBar(window, sliderValue, sink);
}

void InstallWxPlaybackBar()
{
    static WxPlaybackBarFactory factory;
    SetPlaybackBarFactory(&factory);
}
