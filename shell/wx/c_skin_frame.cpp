#include "shell/wx/c_skin_frame.h"

#include "platform/resources.h"
#include "preview/l_beamvista.h"
#include "preview/preview_command_ids.h"
#include "shell/command_ids.h"
#include "shell/wx/wx_child_view.h"

#include <wx/menu.h>
#include <wx/sizer.h>

#include <algorithm>
#include <array>
#include <map>

namespace {

using namespace command_id;

// Commands of the menu that this program does not offer.
constexpr std::array kRemovedCommands{kSelectDsps, kRecordZyl, kConvertZyl, kWriteAvi, kManual};
// Items that carry a check mark.
constexpr std::array kCheckedCommands{kInfos, kDisplayTimecode, kDisplayLaserFps, kDisplayPcFps, kPlayPause,
                                      kMute,  kAlwaysOnTop};

bool IsCheckItem(int32_t id)
{
    return std::find(kCheckedCommands.begin(), kCheckedCommands.end(), id) != kCheckedCommands.end();
}

// Accelerator texts stay out of the toolkit's labels: keys reach the view and go our own way.
wxString LabelOf(const std::string& text)
{
    return wxString::FromUTF8(text).BeforeFirst('\t');
}

// The toolkit takes item ids below 0x7FFF only; the commands' own ids reach past it, so each item
// gets an id of the toolkit's and the frame maps it back.
void AppendItems(wxMenu& menu, const std::vector<UiMenuItem>& items, std::map<int, int32_t>& commands)
{
    for (const UiMenuItem& item : items) {
        switch (item.kind) {
        case UiMenuItem::Kind::Separator:
            menu.AppendSeparator();
            break;
        case UiMenuItem::Kind::SubMenu: {
            auto* sub = new wxMenu;
            AppendItems(*sub, item.items, commands);
            menu.AppendSubMenu(sub, LabelOf(item.text));
            break;
        }
        case UiMenuItem::Kind::Command: {
            const int toolkitId = wxWindow::NewControlId();
            commands[toolkitId] = item.id;
            menu.Append(toolkitId, LabelOf(item.text), wxEmptyString,
                        IsCheckItem(item.id) ? wxITEM_CHECK : wxITEM_NORMAL);
            break;
        }
        }
    }
}

void UpdateItems(wxMenu& menu, CSkinFrame& frame, const std::map<int, int32_t>& commands)
{
    for (wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSubMenu()) {
            UpdateItems(*item->GetSubMenu(), frame, commands);
            continue;
        }
        const auto command = commands.find(item->GetId());
        if (item->IsSeparator() || command == commands.end())
            continue;
        UiCommandUpdate update;
        if (!frame.RouteCommand(command->second, UiCommandCode::Update, &update))
            continue;
        item->Enable(update.enabled);
        if (item->IsCheckable())
            item->Check(update.checked);
        if (!update.text.empty())
            item->SetItemLabel(LabelOf(update.text));
    }
}

} // namespace

CSkinFrame::CSkinFrame(UiCommandTarget& application, std::string applicationName)
    : application_(application), applicationName_(std::move(applicationName))
{
}

CSkinFrame::~CSkinFrame()
{
    if (LBeamvista* preview = Preview())
        preview->SetStatusCallback(nullptr);
}

LBeamvista* CSkinFrame::Preview() const
{
    return view_ != nullptr ? view_->View().Preview() : nullptr;
}

bool CSkinFrame::CreateFrame(const std::vector<std::string>& startupPaths)
{
    if (!Create(nullptr, wxID_ANY, wxString::FromUTF8(applicationName_),
                wxPoint(kDefaultPosition, kDefaultPosition), wxDefaultSize))
        return false;
    BuildMenuBar();
    view_ = new WxChildView(this, applicationName_);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(view_, 1, wxEXPAND);
    SetSizer(sizer);
    SetClientSize(kDefaultClientWidth, kDefaultClientHeight);
    Bind(wxEVT_MENU, &CSkinFrame::OnMenu, this);
    Bind(wxEVT_MENU_OPEN, &CSkinFrame::OnMenuOpen, this);
    Bind(wxEVT_CLOSE_WINDOW, &CSkinFrame::OnClose, this);
    Layout();
    view_->Bootstrap(startupPaths);
    if (LBeamvista* preview = Preview())
        preview->SetStatusCallback(this);
    view_->SetFocus();
    return true;
}

void CSkinFrame::BuildMenuBar()
{
    const UiMenu* resource = FindMenuResource(kMainMenuId);
    if (resource == nullptr)
        return;
    UiMenu menu = *resource;
    for (int32_t id : kRemovedCommands)
        menu.RemoveCommand(id);
    auto* bar = new wxMenuBar;
    for (const UiMenuItem& top : menu.items) {
        auto* sub = new wxMenu;
        AppendItems(*sub, top.items, menuCommands_);
        bar->Append(sub, LabelOf(top.text));
    }
    SetMenuBar(bar);
}

bool CSkinFrame::RouteCommand(int32_t id, UiCommandCode code, UiCommandUpdate* update)
{
    if (view_ != nullptr && view_->View().OnCmdMsg(id, code, update))
        return true;
    if (OnCmdMsg(id, code, update))
        return true;
    return application_.OnCmdMsg(id, code, update);
}

bool CSkinFrame::OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update)
{
    switch (id) {
    case kFullScreen:
        if (code == UiCommandCode::Execute && view_ != nullptr)
            view_->View().SetFullScreen(!view_->View().IsFullScreen());
        return true;
    case kExit:
        if (code == UiCommandCode::Execute)
            Close();
        return true;
    default:
        return false;
    }
}

void CSkinFrame::OnMenu(wxCommandEvent& event)
{
    const auto command = menuCommands_.find(event.GetId());
    if (command == menuCommands_.end() || !RouteCommand(command->second, UiCommandCode::Execute, nullptr))
        event.Skip();
}

void CSkinFrame::OnMenuOpen(wxMenuEvent& event)
{
    if (wxMenu* menu = event.GetMenu())
        UpdateItems(*menu, *this, menuCommands_);
    event.Skip();
}

int CSkinFrame::OnPreviewCommand(uint32_t id, int32_t code, void*, void* handlerInfo)
{
    int32_t command = static_cast<int32_t>(id);
    if (command == preview_command::kAbout)
        command = kAbout;
    else if (command == preview_command::kManual)
        command = kManual;
    const auto commandCode = static_cast<UiCommandCode>(code);
    if (commandCode == UiCommandCode::Update && handlerInfo == nullptr)
        return 0;
    return RouteCommand(command, commandCode, static_cast<UiCommandUpdate*>(handlerInfo)) ? 1 : 0;
}

void CSkinFrame::SetFileName(const char* title)
{
    SetTitle(wxString::FromUTF8(title != nullptr ? title : ""));
}

void CSkinFrame::OnClose(wxCloseEvent& event)
{
    const LBeamvista* preview = Preview();
    if (event.CanVeto() && preview != nullptr && preview->OpenDialogActive()) {
        event.Veto();
        return;
    }
    event.Skip();
}
