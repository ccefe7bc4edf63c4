// CSkinFrame: the player's skinned frame. It paints its own decoration from the skin bitmap (a
// rounded window with a painted title, title-bar buttons and a bottom panel with playback buttons
// and the position slider, or a thin playback strip under an ordinary window), answers for its own
// title and edges (moves and sizes through the window system's drags), and holds the view with
// the preview. The decisions are the toolkit-free SkinFrameModel's; this window feeds it sizes,
// status and input and carries out what it asks.
//
// As the main window it lives in a top-level frame of its own, which the skin shapes and which
// carries the menu bar of the ordinary window; as a child it lives in its host's window. Menu
// commands and their update queries run along our own chain: the view, this frame, the
// application.
#pragma once

#include "shell/skin_frame_model.h"

#include "foundation/pictures/h_image.h"
#include "platform/font_face.h"
#include "platform/raster_bitmap.h"
#include "platform/ui_command.h"
#include "preview/l_beamvista_status_callback.h"

#include <wx/window.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class LBeamvista;
class WxChildView;
class wxFrame;
class wxMenuBar;

class CSkinFrame final : public wxWindow, public UiCommandTarget, public LBeamvistaStatusCallback
{
  public:
    // The application's target ends the chain; it outlives the frame.
    CSkinFrame(UiCommandTarget& application, std::string applicationName);
    ~CSkinFrame() override;

    // As the main window: its own top-level frame at the stored placement, the skin, the view,
    // then the engine started in the view with the start-up paths. False when the skin's
    // resources or a window cannot be made (nothing is left on the screen then).
    bool CreateFrame(const std::vector<std::string>& startupPaths);
    // As a child window filling the host's window.
    bool CreateAsChild(wxWindow* parent, const std::vector<std::string>& startupPaths);
    // The top-level window the frame acts on: its own frame, or its host's top-level.
    wxWindow* TopLevel() const;
    WxChildView* View() const { return view_; }

    // The chain: view, frame, application. False when nobody handles the command.
    bool RouteCommand(int32_t id, UiCommandCode code, UiCommandUpdate* update);
    bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) override;
    // A key before the preview sees it; true when the frame took it.
    bool OnKey(int32_t virtualKey, uint32_t modifiers);

    int32_t GetFrameMode();
    void SetFrameMode(int32_t mode);
    void SetSkinLayout(bool skin, bool skinMin);
    void TogglePlaybackControls();
    void CycleCaptionFrame();
    bool IsFullScreen();
    void SetFullScreen(bool on, bool maximisedKind);
    void ToggleFullScreen(bool maximisedKind);
    bool IsTopMost() const { return topMost_; }
    void SetTopMost(bool on);

    void SavePlacement();
    // Writes the placement when it changed; never asks for more idle time.
    bool SavePlacementIfDirty();

    // The preview's status.
    int OnPreviewCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo) override;
    void SetFileName(const char* title) override;
    void SetPlayState(int32_t state, bool moreThanOneShow, bool opened) override;
    void SetPosition(float progress, float loaded) override;
    void SetMute(bool muted) override;

    const SkinFrameModel& Model() const { return model_; }

  private:
    class ModelHost;

    bool LoadSkin();
    void CreateContent(const std::vector<std::string>& startupPaths);
    void BuildMenuBar();
    LBeamvista* Preview() const;
    // The top-level frame of its own; null for a child.
    wxFrame* OwnFrame() const { return frame_; }
    // The model's window state read back from the toolkit.
    void SyncWindowState();
    // The layout step: buttons by style, client size, shape, the view's place, the saved rectangle.
    void LayoutSkin();
    void TrackWindowRect();
    void RestoreNormal();
    void RunAction(int32_t action);

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnMouseMotion(wxMouseEvent& event);
    void OnMouseLeave(wxMouseEvent& event);
    void OnRightButton(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnFrameMove(wxMoveEvent& event);
    void OnFrameSize(wxSizeEvent& event);
    void OnFrameMaximize(wxMaximizeEvent& event);
    void OnMenu(wxCommandEvent& event);
    void OnMenuOpen(wxMenuEvent& event);
    // Closing waits while the preview runs a file dialog.
    void OnClose(wxCloseEvent& event);
    void OnDestroy(wxWindowDestroyEvent& event);
    // Our own frame's answer under the pointer: a drag begins there, or the pointer's shape.
    bool BeginFrameDrag(const wxMouseEvent& event);
    void UpdateCursor(int32_t x, int32_t y);

    UiCommandTarget& application_;
    std::string applicationName_;
    std::unique_ptr<ModelHost> host_;
    SkinFrameModel model_;
    wxFrame* frame_ = nullptr;
    WxChildView* view_ = nullptr;
    // The ordinary window's menu bar; the frame owns it while it is not shown.
    wxMenuBar* menuBar_ = nullptr;
    // The toolkit's menu item ids and the commands they stand for.
    std::map<int, int32_t> menuCommands_;

    HImageRef skin_;
    HMemRef skinPixels_;
    std::unique_ptr<FontFace> titleFont_;
    std::u16string title_;
    std::unique_ptr<RasterBitmap> canvas_;

    bool topMost_ = false;
    RasterRect savedRect_{};
    bool rectValid_ = false;
    bool placementDirty_ = false;
};
