#include "platform/test_support/fake_ui_environment.h"

#include "foundation/errors/c_error.h"

#include <algorithm>

namespace {

constexpr UiRect kFakeScreen{0, 0, 1280, 1024};
constexpr UiRect kFakeWorkArea{0, 0, 1280, 994};

} // namespace

FakeUiEnvironment::FakeUiEnvironment()
    : monitors{{kFakeScreen, kFakeWorkArea, true}},
      displayModes{{1280, 1024}, {1024, 768}, {800, 600}, {640, 480}}, previous_(SetUiEnvironment(this))
{
}

FakeUiEnvironment::~FakeUiEnvironment()
{
    SetUiEnvironment(previous_);
}

UiWindowId FakeUiEnvironment::AddWindow(UiRect clientRect, UiWindowId topLevel, UiSize chrome)
{
    otherStorage_.push_back({clientRect, topLevel, chrome});
    const UiWindowId id(&otherStorage_.back());
    others_[id] = otherStorage_.back();
    return id;
}

void FakeUiEnvironment::SetClientRect(UiWindowId window, UiRect clientRect)
{
    const auto it = others_.find(window);
    if (it != others_.end())
        it->second.clientRect = clientRect;
}

std::vector<FakeNativeWindow*> FakeUiEnvironment::LiveWindows() const
{
    std::vector<FakeNativeWindow*> live;
    std::copy_if(windows_.begin(), windows_.end(), std::back_inserter(live),
                 [](const FakeNativeWindow* w) { return w->Exists(); });
    return live;
}

FakeNativeWindow* FakeUiEnvironment::LastWindow() const
{
    return windows_.empty() ? nullptr : windows_.back();
}

void FakeUiEnvironment::Forget(FakeNativeWindow* window)
{
    std::erase(windows_, window);
}

std::unique_ptr<NativeWindow> FakeUiEnvironment::CreateNativeWindow(const NativeWindowSpec& spec,
                                                                    NativeWindowSink& sink, CError& error)
{
    if (failNextWindow) {
        failNextWindow = false;
        error.SetError("The fake environment refuses the window.", 0);
        return nullptr;
    }
    auto window = std::make_unique<FakeNativeWindow>(*this, spec, sink);
    windows_.push_back(window.get());
    ++windowsCreated;
    return window;
}

UiRect FakeUiEnvironment::ClientRectOf(UiWindowId window)
{
    if (const auto it = others_.find(window); it != others_.end())
        return it->second.clientRect;
    for (FakeNativeWindow* native : windows_) {
        if (native->Id() == window)
            return native->ClientRect();
    }
    return {};
}

// Fake windows sit with their client area at the screen's origin unless they are top-level.
UiRect FakeUiEnvironment::ScreenRectOf(UiWindowId window)
{
    for (FakeNativeWindow* native : windows_) {
        if (native->Id() == window)
            return native->RectInParent();
    }
    return ClientRectOf(window);
}

UiWindowId FakeUiEnvironment::TopLevelOf(UiWindowId window)
{
    if (const auto it = others_.find(window); it != others_.end())
        return it->second.topLevel ? it->second.topLevel : window;
    for (FakeNativeWindow* native : windows_) {
        if (native->Id() == window)
            return native->Kind() == NativeWindowKind::Child ? TopLevelOf(native->Parent()) : window;
    }
    return {};
}

UiSize FakeUiEnvironment::WindowSizeOf(UiWindowId window)
{
    if (const auto it = others_.find(window); it != others_.end()) {
        const OtherWindow& other = it->second;
        return {other.clientRect.Width() + other.chrome.width,
                other.clientRect.Height() + other.chrome.height};
    }
    for (FakeNativeWindow* native : windows_) {
        if (native->Id() == window)
            return native->RectInParent().Size();
    }
    return {};
}

bool FakeUiEnvironment::ResizeWindow(UiWindowId window, UiSize size)
{
    if (const auto it = others_.find(window); it != others_.end()) {
        OtherWindow& other = it->second;
        other.clientRect =
            UiRect::FromSize(other.clientRect.left, other.clientRect.top, size.width - other.chrome.width,
                             size.height - other.chrome.height);
        return true;
    }
    for (FakeNativeWindow* native : windows_) {
        if (native->Id() == window && native->Exists()) {
            const UiRect r = native->RectInParent();
            native->SetRectInParent(UiRect::FromSize(r.left, r.top, size.width, size.height));
            return true;
        }
    }
    return false;
}

bool FakeUiEnvironment::IsTopMost(UiWindowId window)
{
    return topMost.contains(window);
}

bool FakeUiEnvironment::SetTopMost(UiWindowId window, bool on)
{
    if (!window)
        return false;
    if (on)
        topMost.insert(window);
    else
        topMost.erase(window);
    return true;
}

uint32_t FakeUiEnvironment::SetTimer(UiTimerTarget& target, uint32_t id, int32_t periodMs)
{
    timers_[{&target, id}] = periodMs;
    return id;
}

bool FakeUiEnvironment::KillTimer(UiTimerTarget& target, uint32_t id)
{
    return timers_.erase({&target, id}) > 0;
}

bool FakeUiEnvironment::TimerRunning(const UiTimerTarget& target, uint32_t id) const
{
    return timers_.contains({&target, id});
}

int32_t FakeUiEnvironment::TimerPeriod(const UiTimerTarget& target, uint32_t id) const
{
    const auto it = timers_.find({&target, id});
    return it != timers_.end() ? it->second : 0;
}

bool FakeUiEnvironment::FireTimer(UiTimerTarget& target, uint32_t id)
{
    if (!TimerRunning(target, id))
        return false;
    target.OnTimer(id);
    return true;
}

bool FakeUiEnvironment::GetCursorPos(UiPoint& screenPoint)
{
    if (!cursorReadable)
        return false;
    screenPoint = cursor;
    return true;
}

bool FakeUiEnvironment::SetCursorPos(UiPoint screenPoint)
{
    cursor = screenPoint;
    return true;
}

bool FakeUiEnvironment::ChangeDisplayMode(int32_t monitor, UiSize size, CError& error)
{
    if (std::find(displayModes.begin(), displayModes.end(), size) == displayModes.end()) {
        error.SetError("The fake monitor offers no such mode.", 0);
        return false;
    }
    modeChanges.push_back({monitor, size});
    return true;
}

bool FakeUiEnvironment::RestoreDisplayMode(int32_t)
{
    ++modeRestores;
    return true;
}

bool FakeUiEnvironment::RunFileDialog(const UiFileDialogRequest& request, UiFileDialogResult& result)
{
    fileDialogs.push_back(request);
    if (whileFileDialogRuns)
        whileFileDialogRuns();
    if (fileDialogAnswers.empty())
        return false;
    const std::optional<UiFileDialogResult> answer = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    if (!answer)
        return false;
    result = *answer;
    return true;
}

int32_t FakeUiEnvironment::TrackPopupMenu(const UiMenu& menu, UiPoint, UiWindowId)
{
    menusShown.push_back(menu);
    if (menuAnswers.empty())
        return 0;
    const int32_t answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
}

int FakeUiEnvironment::RunPosted()
{
    int count = 0;
    while (!posted.empty()) {
        std::function<void()> task = std::move(posted.front());
        posted.pop_front();
        task();
        ++count;
    }
    return count;
}
