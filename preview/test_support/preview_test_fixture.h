// What a display-free test of the preview needs: a fake clock, a fake window system with a view
// (640 x 480, inside a frame that adds 20 x 60 around it), the parameters put back to their
// defaults afterwards, and a preview whose inner state the test may read and set.
#pragma once

#include "foundation/tasks/sys_clock.h"
#include "foundation/tasks/test_support/fake_time_source.h"
#include "params/beamvista_pars.h"
#include "params/test_support/beamvista_test_util.h"
#include "platform/test_support/fake_ui_environment.h"
#include "preview/l_beamvista.h"

#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

// The preview with its protected members open to tests.
class TestPreview : public LBeamvista
{
  public:
    using LBeamvista::LBeamvista;
    ~TestPreview() override;
    using LBeamvista::creatingContext_;
    using LBeamvista::frameSequence_;
    using LBeamvista::cursorHidden_;
    using LBeamvista::fullScreen_;
    using LBeamvista::fullScreenHeight_;
    using LBeamvista::fullScreenWidth_;
    using LBeamvista::inTimer_;
    using LBeamvista::modalCount_;
    using LBeamvista::pictures_;
    using LBeamvista::sizeShownAt_;
    using LBeamvista::timerId_;

    // Replaces the show list by shows of 2 s without sound, made under the file-name parts of
    // `paths`, and opens the one at `index` (none for an empty list). Needs the window.
    void OpenShows(std::initializer_list<const char*> paths, int32_t index);

  private:
    std::string showFolder_;
};

class PreviewTest : public LiveParametersTest
{
  protected:
    static constexpr UiRect kViewRect{0, 0, 640, 480};
    static constexpr UiSize kFrameChrome{20, 60};
    static constexpr int64_t kStartCs = 1000;

    PreviewTest()
        : frame_(ui_.AddWindow({0, 0, 640, 480}, {}, kFrameChrome)), view_(ui_.AddWindow(kViewRect, frame_))
    {
        // The process clock counts from its first reading; 0 means "no time" to the preview.
        GetSysTimeUs();
        AdvanceCs(kStartCs);
    }

    // Changes parameters as a whole-record writer would (no flag 8).
    static void ChangeParameters(const std::function<void(LBeamvistaPars&)>& change)
    {
        LBeamvistaPars pars;
        pars.ReadFromParameters();
        change(pars);
        pars.ApplyToParameters(kBeamvistaAllGroups);
    }

    FakeNativeWindow* Window() const { return ui_.LastWindow(); }
    // Moves the fake clock on by centiseconds.
    void AdvanceCs(int64_t cs) { clock_.AdvanceUs(static_cast<uint64_t>(cs) * 10000); }

    FakeTimeSource clock_{1000000};
    FakeUiEnvironment ui_;
    UiWindowId frame_;
    UiWindowId view_;
};
