#include "shell/wx/l_kw_preview_about.h"

#include "controls/wx/wx_control_window.h"
#include "platform/dialog_units.h"
#include "platform/resources.h"
#include "shell/about_text.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// Template 2209 in dialog units: x, y, width, height.
struct DialogBox
{
    int32_t x, y, width, height;
};
constexpr DialogBox kDialog{0, 0, 320, 240};
constexpr DialogBox kLogo{7, 7, 55, 59};
constexpr DialogBox kVersion{70, 10, 180, 8};
constexpr DialogBox kMaker1{70, 24, 180, 8};
constexpr DialogBox kMaker2{70, 36, 180, 8};
constexpr DialogBox kMakerPicture{258, 7, 55, 30};
constexpr DialogBox kGroup{7, 72, 306, 140};
constexpr DialogBox kAcknowledgements{14, 84, 292, 122};
constexpr DialogBox kOk{263, 219, 50, 14};
constexpr int32_t kAcknowledgementsId = 2286;

wxRect Pixels(const DialogBox& box)
{
    const RasterRect r = ConvertDialogToPixels({box.x, box.y, box.x + box.width, box.y + box.height});
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

wxBitmap PictureBitmap(int32_t id)
{
    const PictureResource* picture = FindPictureResource(ResourceKind::Picture, id);
    if (picture == nullptr)
        return wxNullBitmap;
    wxMemoryInputStream stream(picture->png, picture->size);
    const wxImage image(stream, wxBITMAP_TYPE_PNG);
    return image.IsOk() ? wxBitmap(image) : wxNullBitmap;
}

// The field shows lines as the text carries them: carriage return and line feed become line feeds.
wxString FieldText(const char* text)
{
    wxString field = wxString::FromUTF8(text);
    field.Replace("\r\n", "\n");
    return field;
}

} // namespace

LKWPreviewAbout::LKWPreviewAbout(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kAboutCaption), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    SetFont(DialogWxFont());
    const wxRect size = Pixels(kDialog);
    SetClientSize(size.width, size.height);
    const auto place = [](wxWindow* window, const DialogBox& box) { window->SetSize(Pixels(box)); };
    place(new wxStaticBitmap(this, wxID_ANY, PictureBitmap(kAboutLogoId)), kLogo);
    place(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kAboutVersion)), kVersion);
    place(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kAboutMakerLine1)), kMaker1);
    place(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kAboutMakerLine2)), kMaker2);
    place(new wxStaticBitmap(this, wxID_ANY, PictureBitmap(kAboutMakerId)), kMakerPicture);
    place(new wxStaticBox(this, wxID_ANY, "Acknowledgments"), kGroup);
    place(new wxTextCtrl(this, kAcknowledgementsId, FieldText(AboutAcknowledgementText()), wxDefaultPosition,
                         wxDefaultSize, wxTE_MULTILINE | wxTE_READONLY),
          kAcknowledgements);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    place(ok, kOk);
    ok->SetDefault();
    ok->SetFocus();
    SetEscapeId(wxID_OK);
    CentreOnParent();
}

void LKWPreviewAbout::RunModal(wxWindow* parent)
{
    LKWPreviewAbout about(parent);
    about.ShowModal();
}
