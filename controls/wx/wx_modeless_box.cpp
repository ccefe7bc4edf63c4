#include "controls/wx/wx_modeless_box.h"

#include "platform/font_spec.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <array>

namespace {

// The dialog font: an 11-pixel em at 96 dots per inch.
constexpr double kDialogFontPoints = 8.25;

wxArtID ArtOf(int32_t iconId)
{
    switch (iconId) {
    case kHandIcon:
        return wxART_ERROR;
    case kQuestionIcon:
        return wxART_QUESTION;
    case kExclamationIcon:
        return wxART_WARNING;
    case kAsteriskIcon:
        return wxART_INFORMATION;
    default:
        return wxArtID();
    }
}

wxRect ToWx(const RasterRect& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Whether the main loop was told to end: the pump must not run the events of a closing program.
struct LoopExitProbe : wxEventLoopBase
{
    static bool ShouldExit(const wxEventLoopBase& loop) { return loop.*(&LoopExitProbe::m_shouldExit); }
};

class WxModelessBox final : public wxDialog, public ModelessBoxWindow
{
  public:
    WxModelessBox(wxWindow* owner, const ModelessBoxSpec& spec, ModelessBoxSink& sink)
        : wxDialog(owner, wxID_ANY, wxString::FromUTF8(spec.title), wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | (spec.closeBox ? wxSYSTEM_MENU | wxCLOSE_BOX : 0)),
          sink_(&sink), owner_(owner)
    {
        // The layout was measured in the dialog font; the children inherit it.
        SetFont(wxFont(wxFontInfo(kDialogFontPoints).FaceName(kDefaultFontFace)));
        const ModelessBoxLayout& layout = spec.layout;
        const wxArtID art = ArtOf(spec.iconId);
        if (!art.empty()) {
            const wxRect icon = ToWx(layout.icon);
            new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX, icon.GetSize()),
                               icon.GetPosition(), icon.GetSize());
        }
        const wxRect text = ToWx(layout.text);
        new wxStaticText(this, wxID_ANY, wxString::FromUTF8(spec.text), text.GetPosition(), text.GetSize());
        for (int32_t i = 0; i < layout.buttonCount; ++i) {
            const wxRect place = ToWx(layout.buttons[static_cast<size_t>(i)]);
            auto* button = new wxButton(this, wxID_ANY, wxString::FromUTF8(spec.labels[static_cast<size_t>(i)]),
                                        place.GetPosition(), place.GetSize());
            button->Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { Press(i); });
            buttons_[static_cast<size_t>(i)] = button;
        }
        if (buttons_[0] != nullptr) {
            buttons_[0]->SetDefault();
            buttons_[0]->SetFocus();
        }
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
            event.Veto();
            Press(-1);
        });
        Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) { OnKey(event); });
        SetClientSize(ToWx(layout.dialog).GetSize());
        CentreOnParent();
        Show(true);
    }

    ~WxModelessBox() override { Forget(); }

    void DestroyBox() override
    {
        Forget();
        wxDialog::Destroy();
    }

    bool EnableOwner(bool enable) override
    {
        if (owner_ == nullptr)
            return false;
        owner_->Enable(enable);
        if (!enable)
            Enable(true);
        return true;
    }

  private:
    void Press(int32_t index)
    {
        if (sink_ != nullptr)
            sink_->OnBoxButton(index);
    }

    void OnKey(wxKeyEvent& event)
    {
        if (event.GetKeyCode() == WXK_ESCAPE) {
            Press(-1);
            return;
        }
        if ((event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) && buttons_[0] != nullptr) {
            // Enter presses the focused button, the default one when the focus is elsewhere.
            for (size_t i = 0; i < buttons_.size(); ++i)
                if (buttons_[i] != nullptr && buttons_[i]->HasFocus()) {
                    Press(static_cast<int32_t>(i));
                    return;
                }
            Press(0);
            return;
        }
        event.Skip();
    }

    void Forget()
    {
        ModelessBoxSink* sink = sink_;
        sink_ = nullptr;
        if (sink != nullptr)
            sink->OnBoxWindowGone();
    }

    ModelessBoxSink* sink_;
    wxWindow* owner_;
    std::array<wxButton*, kModelessBoxButtons> buttons_{};
};

} // namespace

ModelessBoxWindow* WxModelessBoxService::Create(const ModelessBoxSpec& spec, ModelessBoxSink& sink)
{
    wxWindow* owner = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    return new WxModelessBox(owner, spec, sink);
}

bool WxModelessBoxService::PumpMessages(bool allWindows)
{
    if (wxTheApp == nullptr)
        return true;
    const wxEventLoopBase* main = wxTheApp->GetMainLoop();
    if (main != nullptr && LoopExitProbe::ShouldExit(*main))
        return false;
    const long categories = allWindows ? wxEVT_CATEGORY_ALL : wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT;
    if (wxEventLoopBase* active = wxEventLoopBase::GetActive()) {
        active->YieldFor(categories);
    } else {
        // Before the main loop runs (the first window is made during start-up) a loop of the
        // pump's own hands the events out.
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        loop.YieldFor(categories);
    }
    return main == nullptr || !LoopExitProbe::ShouldExit(*main);
}
