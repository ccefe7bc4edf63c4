#include "shell/c_child_view.h"

#include "platform/native_window.h"
#include "preview/l_beamvista.h"
#include "shell/command_ids.h"
#include "shell/engine_bootstrap.h"

#include <array>

namespace {

using namespace command_id;

enum class Rule {
    Always,
    NotBusy,        // no file dialog or file operation of the preview runs
    WithShows,      // the show list holds an entry
    WithTwoShows,   // the show list holds two entries
    WithPicture,    // background picture 1 holds a picture
};

struct ViewCommand
{
    int32_t id;
    Rule rule;
    void (*execute)(LBeamvista& preview);
    // The check mark; null for none.
    bool (*checked)(const LBeamvista& preview) = nullptr;
};

constexpr int32_t kNavigateBeginning = 1;
constexpr int32_t kNavigateEnd = 2;
constexpr int32_t kNavigateForward = 4;
constexpr int32_t kNavigateBackward = 8;
constexpr int32_t kNavigateFast = 32;
constexpr int32_t kNavigateFrame = 64;

const std::array kViewCommands{
    ViewCommand{kOpen, Rule::NotBusy, [](LBeamvista& p) { p.OpenFileDialog(0); }},
    ViewCommand{kClose, Rule::WithShows, [](LBeamvista& p) { p.CloseCurrentEntry(); }},
    ViewCommand{kCloseAll, Rule::WithShows, [](LBeamvista& p) { p.CloseAll(false); }},
    ViewCommand{kCut, Rule::WithPicture, [](LBeamvista& p) { p.CutImage(); }},
    ViewCommand{kCopy, Rule::Always, [](LBeamvista& p) { p.CopyImage(); }},
    ViewCommand{kPaste, Rule::Always, [](LBeamvista& p) { p.PasteImage(); }},
    ViewCommand{kProperties, Rule::Always, [](LBeamvista& p) { p.ShowParameterDialog(); }},
    ViewCommand{kResetFile, Rule::Always, [](LBeamvista& p) { p.ResetParameters(true, kBeamvistaFileGroups); }},
    ViewCommand{kResetGeneric, Rule::Always, [](LBeamvista& p) { p.ResetParameters(false, kBeamvistaFileGroups); }},
    ViewCommand{kSize320x240, Rule::Always, [](LBeamvista& p) { p.SetClientSize(320, 240); }},
    ViewCommand{kSize640x480, Rule::Always, [](LBeamvista& p) { p.SetClientSize(640, 480); }},
    ViewCommand{kSize800x600, Rule::Always, [](LBeamvista& p) { p.SetClientSize(800, 600); }},
    ViewCommand{kSize1024x768, Rule::Always, [](LBeamvista& p) { p.SetClientSize(1024, 768); }},
    ViewCommand{kInfos, Rule::Always, [](LBeamvista& p) { p.SetShowInfo(!p.ShowInfo()); },
                [](const LBeamvista& p) { return p.ShowInfo(); }},
    ViewCommand{kDisplayTimecode, Rule::Always, [](LBeamvista& p) { p.SetShowTimecode(!p.ShowTimecode()); },
                [](const LBeamvista& p) { return p.ShowTimecode(); }},
    ViewCommand{kDisplayLaserFps, Rule::Always, [](LBeamvista& p) { p.SetShowLaserFps(!p.ShowLaserFps()); },
                [](const LBeamvista& p) { return p.ShowLaserFps(); }},
    ViewCommand{kDisplayPcFps, Rule::Always, [](LBeamvista& p) { p.SetShowPcFps(!p.ShowPcFps()); },
                [](const LBeamvista& p) { return p.ShowPcFps(); }},
    ViewCommand{kPlayPause, Rule::WithShows, [](LBeamvista& p) { p.TogglePlayPause(); },
                [](const LBeamvista& p) { return !p.IsPaused(); }},
    ViewCommand{kMute, Rule::WithShows, [](LBeamvista& p) { p.SetMute(!p.IsMuted()); },
                [](const LBeamvista& p) { return p.IsMuted(); }},
    ViewCommand{kNextFile, Rule::WithTwoShows, [](LBeamvista& p) { p.StepFile(true); }},
    ViewCommand{kPreviousFile, Rule::WithTwoShows, [](LBeamvista& p) { p.StepFile(false); }},
    ViewCommand{kBeginning, Rule::WithShows, [](LBeamvista& p) { p.Navigate(kNavigateBeginning); }},
    ViewCommand{kEnd, Rule::WithShows, [](LBeamvista& p) { p.Navigate(kNavigateEnd); }},
    ViewCommand{kForward, Rule::WithShows, [](LBeamvista& p) { p.Navigate(kNavigateForward); }},
    ViewCommand{kBackward, Rule::WithShows, [](LBeamvista& p) { p.Navigate(kNavigateBackward); }},
    ViewCommand{kFastForward, Rule::WithShows, [](LBeamvista& p) { p.Navigate(kNavigateForward | kNavigateFast); }},
    ViewCommand{kFastBackward, Rule::WithShows,
                [](LBeamvista& p) { p.Navigate(kNavigateBackward | kNavigateFast); }},
    ViewCommand{kNextFrame, Rule::WithShows, [](LBeamvista& p) { p.Navigate(kNavigateForward | kNavigateFrame); }},
    ViewCommand{kPreviousFrame, Rule::WithShows,
                [](LBeamvista& p) { p.Navigate(kNavigateBackward | kNavigateFrame); }},
};

// Commands of the menu that do nothing in this program; they are removed from the menu, and
// answer here so that nothing else takes them.
constexpr std::array kInertCommands{kSelectDsps, kRecordZyl, kConvertZyl, kWriteAvi};

bool RuleHolds(Rule rule, const LBeamvista& preview)
{
    switch (rule) {
    case Rule::Always:
        return true;
    case Rule::NotBusy:
        return !preview.OpenDialogActive();
    case Rule::WithShows:
        return preview.ShowCount() >= 1;
    case Rule::WithTwoShows:
        return preview.ShowCount() >= 2;
    case Rule::WithPicture:
        return preview.HasBackgroundPicture(0);
    }
    return false;
}

} // namespace

CChildView::CChildView(std::string applicationName, PreviewMaker makePreview)
    : applicationName_(std::move(applicationName)), makePreview_(makePreview)
{
}

LBeamvista* CChildView::MakePreview(XABlock& block)
{
    return block.NewObject<LBeamvista>(false);
}

CChildView::~CChildView()
{
    OnDestroy();
}

bool CChildView::Create(UiWindowId self, const std::vector<std::string>& startupPaths)
{
    BootstrapPreviewEngine(applicationName_.c_str());
    LBeamvista* preview = makePreview_(preview_);
    if (preview == nullptr)
        return true;
    preview->SetName(applicationName_.c_str());
    if (!preview->CreateAsChild(self)) {
        preview_.Release();
        return true;
    }
    for (const std::string& path : startupPaths)
        preview->OpenPath(path.c_str(), false);
    return true;
}

void CChildView::OnDestroy()
{
    preview_.Release();
}

LBeamvista* CChildView::Preview() const
{
    return preview_.As<LBeamvista>();
}

LBeamvista* CChildView::ChildPreview() const
{
    LBeamvista* preview = Preview();
    if (preview == nullptr || !preview->HasWindow() || preview->Window()->Kind() != NativeWindowKind::Child)
        return nullptr;
    return preview;
}

void CChildView::OnSize(int32_t width, int32_t height)
{
    if (LBeamvista* preview = ChildPreview())
        preview->Window()->SetRectInParent({0, 0, width, height});
}

bool CChildView::OnKeyDown(const UiKeyEvent& key)
{
    LBeamvista* preview = ChildPreview();
    return preview != nullptr && preview->HandleKey(key);
}

bool CChildView::OnMouseWheel(int32_t rotation, uint32_t modifiers, UiPoint screenPoint)
{
    LBeamvista* preview = ChildPreview();
    return preview != nullptr && preview->HandleMouseWheel(modifiers, rotation, screenPoint);
}

bool CChildView::IsFullScreen() const
{
    const LBeamvista* preview = Preview();
    return preview != nullptr && preview->IsFullScreen();
}

bool CChildView::SetFullScreen(bool on)
{
    LBeamvista* preview = Preview();
    return preview != nullptr && preview->SetFullScreen(on);
}

bool CChildView::OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update)
{
    for (int32_t inert : kInertCommands) {
        if (id == inert)
            return true;
    }
    if (id == kExit && code == UiCommandCode::Update) {
        // Exit itself belongs to the application; the view only greys it while a file dialog runs.
        const LBeamvista* preview = Preview();
        update->enabled = preview == nullptr || !preview->OpenDialogActive();
        return true;
    }
    for (const ViewCommand& command : kViewCommands) {
        if (command.id != id)
            continue;
        LBeamvista* preview = Preview();
        if (code == UiCommandCode::Update) {
            update->enabled = preview != nullptr && RuleHolds(command.rule, *preview);
            update->checked = preview != nullptr && command.checked != nullptr && command.checked(*preview);
        } else if (preview != nullptr && RuleHolds(command.rule, *preview)) {
            command.execute(*preview);
        }
        return true;
    }
    return false;
}
