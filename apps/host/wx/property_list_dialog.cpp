#include "apps/host/wx/property_list_dialog.h"

#include "apps/host/embedding/server_library.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/textdlg.h>

#include <vector>

namespace {

constexpr int kRefreshId = wxID_REFRESH;
constexpr int kNameColumnWidth = 160;
constexpr int kValueColumnWidth = 200;
constexpr int kListHeight = 400;

std::vector<const DispatchMember*> Properties(const TypeDescription* type)
{
    std::vector<const DispatchMember*> properties;
    if (type != nullptr) {
        for (const DispatchMember& member : type->members) {
            if (member.kind != DispatchMemberKind::Method) {
                properties.push_back(&member);
            }
        }
    }
    return properties;
}

} // namespace

PropertyListDialog::PropertyListDialog(wxWindow* parent, IDispatch& object, const TypeDescription* members)
    : wxDialog(parent, wxID_ANY, "Property List", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      object_(object), members_(members)
{
    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(kNameColumnWidth + kValueColumnWidth, kListHeight),
                           wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->AppendColumn("Name", wxLIST_FORMAT_LEFT, kNameColumnWidth);
    list_->AppendColumn("Value", wxLIST_FORMAT_LEFT, kValueColumnWidth);
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, &PropertyListDialog::OnActivated, this);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, kRefreshId, "&Refresh"), 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CLOSE, "&Close"));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Fill(); }, kRefreshId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CLOSE); }, wxID_CLOSE);
    SetEscapeId(wxID_CLOSE);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(list_, 1, wxEXPAND | wxALL, 8);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(sizer);
    Fill();
}

void PropertyListDialog::Fill()
{
    list_->DeleteAllItems();
    long row = 0;
    for (const DispatchMember* member : Properties(members_)) {
        ZVariant value;
        const HRESULT result = object_.Invoke(member->id, kDispatchPropertyGet, {}, &value);
        const std::string text = Succeeded(result) ? ZVariantDisplayText(value) : "<" + FormatHresult(result) + ">";
        list_->InsertItem(row, wxString::FromUTF8(member->name));
        list_->SetItem(row, 1, wxString::FromUTF8(text));
        list_->SetItemData(row, member->id);
        ++row;
    }
}

void PropertyListDialog::OnActivated(wxListEvent& event)
{
    const DISPID id = static_cast<DISPID>(list_->GetItemData(event.GetIndex()));
    const DispatchMember* member = members_ != nullptr ? FindDispatchMember(members_->members, id) : nullptr;
    if (member == nullptr || member->kind != DispatchMemberKind::Property) {
        return;
    }
    const wxString name = wxString::FromUTF8(member->name);
    const wxString text = wxGetTextFromUser("New value of " + name, "Property List", list_->GetItemText(event.GetIndex(), 1), this);
    if (text.empty()) {
        return;
    }
    const ZVariant value = ZVariant::FromText(text.utf8_string());
    const HRESULT result = object_.Invoke(id, kDispatchPropertyPut, std::span(&value, 1), nullptr);
    if (Failed(result)) {
        wxMessageBox(name + wxString::FromUTF8(" refused the value: " + FormatHresult(result)), "Property List",
                     wxOK | wxICON_ERROR, this);
    }
    Fill();
}
