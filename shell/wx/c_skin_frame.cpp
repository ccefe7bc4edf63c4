#include "shell/wx/c_skin_frame.h"

#include "controls/fit_rect_to_screen.h"
#include "controls/menu_separators.h"
#include "platform/resources.h"
#include "platform/ui_environment.h"
#include "platform/virtual_keys.h"
#include "platform/wx/menu_wx.h"
#include "platform/wx/top_level_frame_gtk.h"
#include "preview/l_beamvista.h"
#include "shell/command_ids.h"
#include "shell/picture_resource.h"
#include "shell/skin_composer.h"
#include "shell/skin_frame_commands.h"
#include "shell/skin_frame_hit.h"
#include "shell/skin_layout.h"
#include "shell/skin_placement.h"
#include "shell/skin_region.h"
#include "shell/wx/wx_child_view.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/region.h>
#include <wx/settings.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using namespace command_id;

// Commands of the menu that this program does not offer.
constexpr std::array kRemovedCommands{kSelectDsps, kRecordZyl, kConvertZyl, kWriteAvi, kManual};
// Items that carry a check mark.
constexpr std::array kCheckedCommands{kInfos, kDisplayTimecode, kDisplayLaserFps, kDisplayPcFps, kPlayPause,
                                      kMute,  kAlwaysOnTop,     kPlaybackControl};

bool IsCheckItem(int32_t id)
{
    return std::find(kCheckedCommands.begin(), kCheckedCommands.end(), id) != kCheckedCommands.end();
}

// Every item of an opening menu asks the chain how it looks, sub-menus included.
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
            item->SetItemLabel(MenuLabel(update.text));
    }
}

// The smallest window the frame can be sized to.
constexpr int32_t kMinTrackSize = 64;
// Mouse buttons as the window system numbers them for its drags.
constexpr int32_t kGdkLeftButton = 1;

RgbColour FromWx(const wxColour& colour)
{
    return MakeRgb(colour.Red(), colour.Green(), colour.Blue());
}

SkinSystemColours SystemColours()
{
    SkinSystemColours colours;
    colours.activeBorder = FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVEBORDER));
    colours.buttonShadow = FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    colours.buttonLight = FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    return colours;
}

std::u16string ToUtf16(const wxString& text)
{
    std::u16string result;
    for (const wxUniChar c : text) {
        const uint32_t code = c.GetValue();
        if (code < 0x10000) {
            result.push_back(static_cast<char16_t>(code));
        } else {
            result.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return result;
}

wxIcon ProgramIcon()
{
    const PictureResource* picture = FindPictureResource(ResourceKind::Icon, kProgramIconId);
    if (picture == nullptr)
        return wxNullIcon;
    wxMemoryInputStream stream(picture->png, picture->size);
    const wxImage image(stream, wxBITMAP_TYPE_PNG);
    if (!image.IsOk())
        return wxNullIcon;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    return icon;
}

// The stored placement moved into the screens' work areas.
RasterRect FittedRect(RasterRect rect)
{
    ScreenAreas screens;
    const std::vector<UiMonitor> monitors = CurrentUiEnvironment().Monitors();
    screens.monitorsListed = !monitors.empty();
    for (const UiMonitor& monitor : monitors) {
        const ScreenRect area{monitor.workArea.left, monitor.workArea.top, monitor.workArea.right,
                              monitor.workArea.bottom};
        screens.monitorWorkAreas.emplace_back(area);
        if (monitor.primary) {
            screens.primaryWorkArea = area;
            screens.primaryScreen = {0, 0, monitor.rect.Width(), monitor.rect.Height()};
        }
    }
    ScreenRect fitted{rect.left, rect.top, rect.right, rect.bottom};
    FitRectToScreen(fitted, 0, screens);
    return {fitted.left, fitted.top, fitted.right, fitted.bottom};
}

int32_t SkinButtonOf(const wxMouseEvent& event)
{
    return event.GetButton() == wxMOUSE_BTN_MIDDLE ? kSkinMiddleButton : kSkinLeftButton;
}

} // namespace

// What the model asks of the window and the preview.
class CSkinFrame::ModelHost final : public SkinFrameHost
{
  public:
    explicit ModelHost(CSkinFrame& frame) : frame_(frame) {}

    bool HasPreview() const override { return frame_.Preview() != nullptr; }
    bool IsPreviewPaused() const override { return HasPreview() && frame_.Preview()->IsPaused(); }
    bool PausePreview() override { return HasPreview() && frame_.Preview()->Pause(); }
    bool PlayPreview() override { return HasPreview() && frame_.Preview()->Play(); }
    void SeekPreview(float fraction) override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->SeekFraction(fraction);
    }
    void ShowPreviewContextMenu() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->ShowContextMenu();
    }
    void OpenPreviewFileDialog() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->OpenFileDialog(false);
    }
    void PreviousFile() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->PreviousFile();
    }
    void StopPreview() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->Stop();
    }
    void TogglePlayPause() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->TogglePlayPause();
    }
    void NextFile() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->NextFile();
    }
    void ToggleMute() override
    {
        if (LBeamvista* preview = frame_.Preview())
            preview->ToggleMute();
    }

    bool IsWindowEnabled() const override { return frame_.IsEnabled(); }
    bool PointerInWindow(int32_t& x, int32_t& y) const override
    {
        if (!frame_.IsShownOnScreen())
            return false;
        const wxPoint point = frame_.ScreenToClient(wxGetMousePosition());
        x = point.x;
        y = point.y;
        return frame_.GetClientRect().Contains(point);
    }
    void CaptureMouse() override
    {
        if (!frame_.HasCapture())
            frame_.CaptureMouse();
    }
    void ReleaseMouse() override
    {
        if (frame_.HasCapture())
            frame_.ReleaseMouse();
    }
    // The toolkit reports every leave; nothing to ask for.
    void TrackMouseLeave() override {}
    void Repaint(const RasterRect& rect) override
    {
        if (rect.right > rect.left && rect.bottom > rect.top)
            frame_.RefreshRect(wxRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), false);
    }
    void Minimize() override
    {
        if (wxFrame* frame = frame_.OwnFrame())
            frame->Iconize(true);
    }
    void ToggleMaximize() override
    {
        if (wxFrame* frame = frame_.OwnFrame())
            frame->Maximize(!frame->IsMaximized());
    }
    void PostClose() override
    {
        if (wxFrame* frame = frame_.OwnFrame())
            frame->CallAfter([frame] { frame->Close(); });
    }
    void SetTooltip(const char* text) override
    {
        if (text != nullptr)
            frame_.SetToolTip(wxString::FromUTF8(text));
        else
            frame_.UnsetToolTip();
    }

  private:
    CSkinFrame& frame_;
};

CSkinFrame::CSkinFrame(UiCommandTarget& application, std::string applicationName)
    : application_(application), applicationName_(std::move(applicationName)),
      host_(std::make_unique<ModelHost>(*this)), model_(*host_)
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

wxWindow* CSkinFrame::TopLevel() const
{
    return wxGetTopLevelParent(const_cast<CSkinFrame*>(this));
}

bool CSkinFrame::LoadSkin()
{
    const CError error = ReadPictureResource(ResourceKind::Picture, kSkinBitmapId, skin_);
    if (error.Failed() || skin_->Width() < kSkinBitmapWidth || skin_->Height() < kSkinBitmapHeight)
        return false;
    skinPixels_ = skin_->LockPixels();
    titleFont_ = FontFace::Create(SkinTitleFontSpec());
    return true;
}

bool CSkinFrame::CreateFrame(const std::vector<std::string>& startupPaths)
{
    if (!LoadSkin())
        return false;
    const SkinPlacement placement = LoadSkinPlacement();
    const RasterRect rect = FittedRect(placement.rect);
    frame_ = new wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(applicationName_),
                         wxPoint(rect.left, rect.top), wxSize(rect.right - rect.left, rect.bottom - rect.top),
                         wxDEFAULT_FRAME_STYLE | wxFRAME_SHAPED);
    frame_->SetMinSize(wxSize(kMinTrackSize, kMinTrackSize));
    frame_->SetIcon(ProgramIcon());
    frame_->Bind(wxEVT_MOVE, &CSkinFrame::OnFrameMove, this);
    frame_->Bind(wxEVT_SIZE, &CSkinFrame::OnFrameSize, this);
    frame_->Bind(wxEVT_MAXIMIZE, &CSkinFrame::OnFrameMaximize, this);
    frame_->Bind(wxEVT_MENU, &CSkinFrame::OnMenu, this);
    frame_->Bind(wxEVT_MENU_OPEN, &CSkinFrame::OnMenuOpen, this);
    frame_->Bind(wxEVT_CLOSE_WINDOW, &CSkinFrame::OnClose, this);
    if (!Create(frame_, wxID_ANY, wxDefaultPosition, frame_->GetClientSize(), wxBORDER_NONE | wxWANTS_CHARS)) {
        frame_->Destroy();
        frame_ = nullptr;
        return false;
    }
    BuildMenuBar();
    CreateContent(startupPaths);
    SetSkinLayout(true, placement.skinMin);
    if (placement.maximized)
        frame_->Maximize(true);
    frame_->Show();
    view_->SetFocus();
    return true;
}

bool CSkinFrame::CreateAsChild(wxWindow* parent, const std::vector<std::string>& startupPaths)
{
    if (!LoadSkin() || !Create(parent, wxID_ANY, wxDefaultPosition, parent->GetClientSize(), wxBORDER_NONE))
        return false;
    model_.State().style = {false, false, false, false, true};
    CreateContent(startupPaths);
    return true;
}

void CSkinFrame::CreateContent(const std::vector<std::string>& startupPaths)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    model_.State().hasWindow = true;
    view_ = new WxChildView(this, applicationName_);
    view_->SetKeyFilter([this](const UiKeyEvent& key) { return OnKey(key.virtualKey, key.modifiers); });
    Bind(wxEVT_PAINT, &CSkinFrame::OnPaint, this);
    Bind(wxEVT_SIZE, &CSkinFrame::OnSize, this);
    for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_DCLICK})
        Bind(type, &CSkinFrame::OnMouseDown, this);
    for (const auto type : {wxEVT_LEFT_UP, wxEVT_MIDDLE_UP})
        Bind(type, &CSkinFrame::OnMouseUp, this);
    for (const auto type : {wxEVT_RIGHT_DOWN, wxEVT_RIGHT_DCLICK})
        Bind(type, &CSkinFrame::OnRightButton, this);
    Bind(wxEVT_MOTION, &CSkinFrame::OnMouseMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &CSkinFrame::OnMouseLeave, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSkinFrame::OnCaptureLost, this);
    Bind(wxEVT_DESTROY, &CSkinFrame::OnDestroy, this);
    ApplyFrameMode(model_.State(), GetFrameMode());
    LayoutSkin();
    view_->Bootstrap(startupPaths);
    if (LBeamvista* preview = Preview())
        preview->SetStatusCallback(this);
}

void CSkinFrame::BuildMenuBar()
{
    const UiMenu* resource = FindMenuResource(kMainMenuId);
    if (resource == nullptr)
        return;
    UiMenu menu = *resource;
    for (int32_t id : kRemovedCommands)
        menu.RemoveCommand(id);
    RemoveRedundantMenuSeparators(menu.items);
    menuBar_ = new wxMenuBar;
    for (const UiMenuItem& top : menu.items) {
        auto* sub = new wxMenu;
        AppendMenuItems(*sub, top.items, menuCommands_, IsCheckItem);
        menuBar_->Append(sub, MenuLabel(top.text));
    }
    frame_->SetMenuBar(menuBar_);
    menuBar_->Show(false);
}

void CSkinFrame::SyncWindowState()
{
    SkinFrameState& state = model_.State();
    if (frame_ != nullptr) {
        state.maximized = frame_->IsMaximized() || frame_->IsFullScreen();
        state.minimized = frame_->IsIconized();
    }
}

int32_t CSkinFrame::GetFrameMode()
{
    SyncWindowState();
    return ::GetFrameMode(model_.State());
}

void CSkinFrame::SetFrameMode(int32_t mode)
{
    SkinFrameState& state = model_.State();
    Refresh(false);
    const bool fullScreen = ApplyFrameMode(state, mode);
    if (frame_ != nullptr) {
        if (!fullScreen && frame_->IsFullScreen())
            frame_->ShowFullScreen(false);
        SetWindowDecorated(*frame_, state.style.caption);
        if (menuBar_ != nullptr && menuBar_->IsShown() != state.menuBar) {
            menuBar_->Show(state.menuBar);
            frame_->SendSizeEvent();
        }
        if (fullScreen)
            frame_->ShowFullScreen(true);
    }
    LayoutSkin();
}

void CSkinFrame::SetSkinLayout(bool skin, bool skinMin)
{
    SkinFrameState& state = model_.State();
    if (state.skin == skin && state.skinMin == skinMin && frame_ != nullptr && frame_->IsShown())
        return;
    const int32_t mode = state.skin || skin ? 0 : GetFrameMode();
    state.skin = skin;
    state.skinMin = skinMin;
    SetFrameMode(mode);
}

void CSkinFrame::TogglePlaybackControls()
{
    SetSkinLayout(false, !model_.State().skinMin);
}

void CSkinFrame::CycleCaptionFrame()
{
    SyncWindowState();
    const CaptionFrameStep step = NextCaptionFrameStep(model_.State());
    model_.State().skin = step.skin;
    SetFrameMode(step.mode);
}

bool CSkinFrame::IsFullScreen()
{
    return GetFrameMode() == 3 || (view_ != nullptr && view_->View().IsFullScreen());
}

void CSkinFrame::SetFullScreen(bool on, bool maximisedKind)
{
    const bool frameFullScreen = GetFrameMode() == 3;
    const bool previewFullScreen = view_ != nullptr && view_->View().IsFullScreen();
    const bool otherKind = maximisedKind ? previewFullScreen : frameFullScreen;
    if (!on || otherKind) {
        if (model_.State().maximized)
            RestoreNormal();
        else if (view_ != nullptr)
            view_->View().SetFullScreen(false);
        if (!on)
            return;
    }
    if (maximisedKind)
        SetFrameMode(3);
    else if (view_ != nullptr)
        view_->View().SetFullScreen(true);
}

void CSkinFrame::ToggleFullScreen(bool maximisedKind)
{
    SetFullScreen(!IsFullScreen(), maximisedKind);
}

void CSkinFrame::RestoreNormal()
{
    if (frame_ != nullptr) {
        if (frame_->IsFullScreen())
            frame_->ShowFullScreen(false);
        frame_->Maximize(false);
    }
    SetFrameMode(0);
}

void CSkinFrame::SetTopMost(bool on)
{
    if (CurrentUiEnvironment().SetTopMost(UiWindowId(TopLevel()), on))
        topMost_ = on;
}

void CSkinFrame::LayoutSkin()
{
    SyncWindowState();
    const SkinFrameState& state = model_.State();
    const wxSize size = GetClientSize();
    model_.Layout(size.x, size.y);
    model_.SetMaximized(state.maximized);
    if (frame_ != nullptr && IsLargeSkin(state)) {
        wxRegion shape;
        for (const RasterRect& r : RoundedWindowShape(size.x, size.y))
            shape.Union(r.left, r.top, r.right - r.left, r.bottom - r.top);
        frame_->SetShape(shape);
    } else if (frame_ != nullptr) {
        ClearWindowShape(*frame_);
    }
    RasterRect view = SkinViewRect(state, size.x, size.y);
    const int32_t band = OwnFrameBand(state);
    view = {view.left + band, view.top + band, std::max(view.left + band, view.right - band),
            std::max(view.top + band, view.bottom - band)};
    if (view_ != nullptr)
        view_->SetSize(view.left, view.top, view.right - view.left, view.bottom - view.top);
    TrackWindowRect();
    Refresh(false);
}

void CSkinFrame::TrackWindowRect()
{
    if (frame_ == nullptr) {
        // The control's frame, a child, is never minimised or maximised: its place on the screen
        // is what it keeps.
        const wxRect rect = GetScreenRect();
        savedRect_ = {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
        rectValid_ = true;
        placementDirty_ = true;
        return;
    }
    if (frame_->IsIconized())
        return;
    placementDirty_ = true;
    if (frame_->IsMaximized() || frame_->IsFullScreen())
        return;
    const wxRect rect = frame_->GetRect();
    savedRect_ = {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    rectValid_ = true;
}

void CSkinFrame::SavePlacement()
{
    placementDirty_ = false;
    const bool maximized = frame_ != nullptr && frame_->IsMaximized();
    SaveSkinPlacement(maximized, rectValid_ ? &savedRect_ : nullptr, model_.State().skinMin);
}

bool CSkinFrame::SavePlacementIfDirty()
{
    if (placementDirty_)
        SavePlacement();
    return false;
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
    const bool previewFullScreen = view_ != nullptr && view_->View().IsFullScreen();
    const SkinFrameAction action = FrameCommandAction(id, code == UiCommandCode::Execute, previewFullScreen);
    if (action == SkinFrameAction::kNone) {
        if (id != kExit)
            return false;
        if (code == UiCommandCode::Execute && TopLevel() != nullptr)
            TopLevel()->Close();
        return true;
    }
    if (code == UiCommandCode::Update) {
        if (update != nullptr && id == kCmdAlwaysOnTop)
            update->checked = topMost_;
        if (update != nullptr && id == kCmdPlaybackControl)
            update->checked = model_.State().skinMin;
        return true;
    }
    RunAction(static_cast<int32_t>(action));
    return true;
}

void CSkinFrame::RunAction(int32_t action)
{
    switch (static_cast<SkinFrameAction>(action)) {
    case SkinFrameAction::kToggleTopmost:
        SetTopMost(!topMost_);
        break;
    case SkinFrameAction::kToggleFullScreen:
        ToggleFullScreen(CurrentUiEnvironment().IsKeyDown(vk::kControl));
        break;
    case SkinFrameAction::kCycleCaptionFrame:
        CycleCaptionFrame();
        break;
    case SkinFrameAction::kTogglePlaybackControls:
        TogglePlaybackControls();
        break;
    case SkinFrameAction::kClose:
        if (wxWindow* top = TopLevel())
            top->CallAfter([top] { top->Close(); });
        break;
    case SkinFrameAction::kRestore:
        RestoreNormal();
        break;
    case SkinFrameAction::kNone:
        break;
    }
}

bool CSkinFrame::OnKey(int32_t virtualKey, uint32_t modifiers)
{
    SyncWindowState();
    const bool alt = (modifiers & kUiAlt) != 0;
    const bool ctrl = (modifiers & kUiCtrl) != 0;
    const SkinFrameAction action = FrameKeyAction(virtualKey, alt, ctrl, model_.State().maximized);
    if (action == SkinFrameAction::kNone)
        return false;
    if (action == SkinFrameAction::kToggleFullScreen)
        ToggleFullScreen(ctrl);
    else
        RunAction(static_cast<int32_t>(action));
    return true;
}

int CSkinFrame::OnPreviewCommand(uint32_t id, int32_t code, void*, void* handlerInfo)
{
    const int32_t command = FrameCommandForPreviewCommand(static_cast<int32_t>(id));
    const auto commandCode = static_cast<UiCommandCode>(code);
    if (commandCode == UiCommandCode::Update && handlerInfo == nullptr)
        return 0;
    return RouteCommand(command, commandCode, static_cast<UiCommandUpdate*>(handlerInfo)) ? 1 : 0;
}

void CSkinFrame::SetFileName(const char* title)
{
    const wxString text = wxString::FromUTF8(title != nullptr ? title : "");
    if (wxWindow* top = TopLevel(); top != nullptr && frame_ != nullptr)
        top->SetLabel(text);
    title_ = ToUtf16(text);
    if (IsLargeSkin(model_.State()))
        RefreshRect(wxRect(0, 0, GetClientSize().x, kSkinViewTop), false);
}

void CSkinFrame::SetPlayState(int32_t state, bool moreThanOneShow, bool opened)
{
    model_.SetPlayState(state, moreThanOneShow, opened);
}

void CSkinFrame::SetPosition(float progress, float loaded)
{
    model_.SetPosition(progress, loaded);
}

void CSkinFrame::SetMute(bool muted)
{
    model_.SetMute(muted);
}

void CSkinFrame::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    if (!canvas_ || canvas_->Width() != size.x || canvas_->Height() != size.y)
        canvas_ = RasterBitmap::Create(size.x, size.y);
    if (!canvas_)
        return;
    const wxRect box = GetUpdateRegion().GetBox().Intersect(wxRect(size));
    if (box.IsEmpty())
        return;
    const RasterRect clip{box.x, box.y, box.x + box.width, box.y + box.height};
    // What no skin covers is our own frame band's colour.
    canvas_->FillRect(clip, FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVEBORDER)));
    const SkinPicture picture{static_cast<const uint8_t*>(skinPixels_.GetData()), skin_->Width(), skin_->Height(),
                              skin_->Pitch()};
    ComposeSkin(*canvas_, picture, model_, {titleFont_.get(), title_}, SystemColours(), clip);

    wxImage image(box.width, box.height, false);
    unsigned char* rgb = image.GetData();
    for (int32_t y = 0; y < box.height; ++y) {
        const uint8_t* from = canvas_->PixelAt(box.x, box.y + y);
        for (int32_t x = 0; x < box.width; ++x, from += RasterBitmap::kBytesPerPixel, rgb += 3) {
            rgb[0] = from[2];
            rgb[1] = from[1];
            rgb[2] = from[0];
        }
    }
    dc.DrawBitmap(wxBitmap(image), box.x, box.y);
}

void CSkinFrame::OnSize(wxSizeEvent& event)
{
    LayoutSkin();
    event.Skip();
}

bool CSkinFrame::BeginFrameDrag(const wxMouseEvent& event)
{
    wxTopLevelWindow* top = dynamic_cast<wxTopLevelWindow*>(TopLevel());
    if (frame_ == nullptr || top == nullptr || event.GetButton() != wxMOUSE_BTN_LEFT || model_.Pressed() != kSkinNone)
        return false;
    SyncWindowState();
    const wxSize size = GetClientSize();
    const bool overElement = model_.HitElement(event.GetX(), event.GetY()) != kSkinNone;
    const FrameHit hit =
        SkinFrameHitTest(model_.State(), size.x, size.y, event.GetX(), event.GetY(), overElement);
    if (hit == FrameHit::kClient)
        return false;
    const wxPoint screen = ClientToScreen(event.GetPosition());
    const auto time = static_cast<uint32_t>(event.GetTimestamp());
    if (hit == FrameHit::kCaption && event.ButtonDClick())
        host_->ToggleMaximize();
    else if (hit == FrameHit::kCaption || !model_.State().maximized)
        BeginWindowFrameDrag(*top, hit, kGdkLeftButton, screen.x, screen.y, time);
    return true;
}

void CSkinFrame::UpdateCursor(int32_t x, int32_t y)
{
    FrameHit hit = FrameHit::kClient;
    if (frame_ != nullptr && model_.Pressed() == kSkinNone) {
        const wxSize size = GetClientSize();
        hit = SkinFrameHitTest(model_.State(), size.x, size.y, x, y, model_.HitElement(x, y) != kSkinNone);
    }
    SetFrameHitCursor(*this, hit);
}

void CSkinFrame::OnMouseDown(wxMouseEvent& event)
{
    if (BeginFrameDrag(event))
        return;
    model_.OnButtonDown(SkinButtonOf(event), event.GetX(), event.GetY());
}

void CSkinFrame::OnMouseUp(wxMouseEvent& event)
{
    model_.OnButtonUp(SkinButtonOf(event), event.GetX(), event.GetY());
}

void CSkinFrame::OnMouseMotion(wxMouseEvent& event)
{
    model_.OnMouseMove(event.GetX(), event.GetY());
    UpdateCursor(event.GetX(), event.GetY());
}

void CSkinFrame::OnMouseLeave(wxMouseEvent& event)
{
    model_.OnMouseLeave();
    event.Skip();
}

void CSkinFrame::OnRightButton(wxMouseEvent&)
{
    model_.OnRightButton();
}

void CSkinFrame::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    model_.OnCaptureLost();
}

void CSkinFrame::OnFrameMove(wxMoveEvent& event)
{
    TrackWindowRect();
    event.Skip();
}

void CSkinFrame::OnFrameSize(wxSizeEvent& event)
{
    TrackWindowRect();
    event.Skip();
}

void CSkinFrame::OnFrameMaximize(wxMaximizeEvent& event)
{
    LayoutSkin();
    event.Skip();
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

void CSkinFrame::OnClose(wxCloseEvent& event)
{
    const LBeamvista* preview = Preview();
    if (event.CanVeto() && preview != nullptr && preview->OpenDialogActive()) {
        event.Veto();
        return;
    }
    SavePlacementIfDirty();
    // The frame goes away when the loop is next idle. A tick that outlasts its period (a large
    // picture on a slow renderer) would keep the loop from ever being idle, so the ticks end here.
    if (LBeamvista* preview = Preview())
        preview->StopTimer();
    event.Skip();
}

void CSkinFrame::OnDestroy(wxWindowDestroyEvent& event)
{
    if (event.GetEventObject() == this) {
        // A top-level frame saved its placement as it closed; the control's frame has no closing
        // of its own.
        if (frame_ == nullptr)
            SavePlacementIfDirty();
        if (LBeamvista* preview = Preview())
            preview->SetStatusCallback(nullptr);
    }
    event.Skip();
}
