// Start-up of the preview to its first presented frame, drawn offscreen, beside a bare EGL context
// that presents one cleared frame: the preview may cost at most twice the bare context.
#include "foundation/errors/c_error.h"
#include "platform/gl/gl_offscreen.h"
#include "platform/test_support/fake_ui_environment.h"
#include "preview/l_beamvista.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;

std::unique_ptr<GlSurface> SoftwareSurface(int32_t width, int32_t height)
{
    CError error;
    return CreateOffscreenGlSurface({width, height, true}, error);
}

void BM_BareContextFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<GlSurface> surface = SoftwareSurface(kWidth, kHeight);
        if (!surface || !surface->MakeCurrent()) {
            state.SkipWithError("no offscreen OpenGL");
            return;
        }
        glClear(GL_COLOR_BUFFER_BIT);
        surface->Present();
    }
}
BENCHMARK(BM_BareContextFirstFrame)->Unit(benchmark::kMillisecond);

void BM_PreviewFirstFrame(benchmark::State& state)
{
    FakeUiEnvironment ui;
    ui.surfaceMaker = [](FakeNativeWindow& window) {
        const UiRect client = window.ClientRect();
        return SoftwareSurface(client.Width(), client.Height());
    };
    const UiWindowId view = ui.AddWindow({0, 0, kWidth, kHeight});
    for (auto _ : state) {
        LBeamvista preview;
        if (!preview.CreateAsChild(view)) {
            state.SkipWithError("no preview window");
            return;
        }
        preview.Redraw();
        preview.CloseWindow(true);
    }
}
BENCHMARK(BM_PreviewFirstFrame)->Unit(benchmark::kMillisecond);

} // namespace
