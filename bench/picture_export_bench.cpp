// The preview's picture read back at 1,280 x 1,024 (RenderToImage: drawn into a framebuffer of its
// own, read and turned upright) beside one redraw and one glReadPixels of the same size; and the
// all-sizes export (the window's size and the eight export sizes, drawn, read and written as BMP
// files) beside writing BMP files of the same sizes from memory. Mesa's software rasteriser draws.
#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"
#include "platform/gl/gl_offscreen.h"
#include "platform/test_support/fake_ui_environment.h"
#include "preview/l_beamvista.h"
#include "preview/picture_export.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 1280;
constexpr int32_t kHeight = 1024;

// A preview in a view of the window system's stand-in, drawing offscreen.
class OffscreenPreview
{
  public:
    OffscreenPreview()
    {
        ui_.surfaceMaker = [](FakeNativeWindow& window) {
            CError error;
            const UiRect client = window.ClientRect();
            return CreateOffscreenGlSurface({client.Width(), client.Height(), true}, error);
        };
        const UiWindowId view = ui_.AddWindow({0, 0, kWidth, kHeight});
        ok_ = preview_.CreateAsChild(view) && preview_.MakeCurrent();
    }
    ~OffscreenPreview() { preview_.CloseWindow(true); }
    bool Ok() const { return ok_; }
    LBeamvista& Preview() { return preview_; }

  private:
    FakeUiEnvironment ui_;
    LBeamvista preview_;
    bool ok_ = false;
};

// $TMPDIR pointed at a folder of its own while it lives, emptied between runs.
class TemporaryExportFolder
{
  public:
    TemporaryExportFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "zyl_export_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            folder_ = pattern;
        const char* previous = std::getenv("TMPDIR");
        hadPrevious_ = previous != nullptr;
        previous_ = previous != nullptr ? previous : "";
        ::setenv("TMPDIR", folder_.c_str(), 1);
    }
    ~TemporaryExportFolder()
    {
        if (hadPrevious_)
            ::setenv("TMPDIR", previous_.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    bool Ok() const { return !folder_.empty(); }
    const std::string& Folder() const { return folder_; }
    void Empty() const
    {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder_, error))
            fs::remove_all(entry.path(), error);
    }

  private:
    std::string folder_;
    std::string previous_;
    bool hadPrevious_ = false;
};

void BM_RenderToImage(benchmark::State& state)
{
    OffscreenPreview scene;
    if (!scene.Ok()) {
        state.SkipWithError("no offscreen OpenGL");
        return;
    }
    for (auto _ : state) {
        const HImageRef image = scene.Preview().RenderToImage(true);
        if (image.IsEmpty()) {
            state.SkipWithError("no picture");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}
BENCHMARK(BM_RenderToImage)->Unit(benchmark::kMillisecond);

// The reference: the scene drawn into the window's own surface and read once.
void BM_RenderAndReadPixels(benchmark::State& state)
{
    OffscreenPreview scene;
    if (!scene.Ok()) {
        state.SkipWithError("no offscreen OpenGL");
        return;
    }
    std::vector<uint8_t> pixels(size_t{kWidth} * kHeight * 4);
    for (auto _ : state) {
        scene.Preview().RenderScene();
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}
BENCHMARK(BM_RenderAndReadPixels)->Unit(benchmark::kMillisecond);

void BM_ExportAllSizes(benchmark::State& state)
{
    const TemporaryExportFolder folder;
    OffscreenPreview scene;
    if (!folder.Ok() || !scene.Ok()) {
        state.SkipWithError("no offscreen OpenGL or no folder");
        return;
    }
    for (auto _ : state) {
        if (!scene.Preview().ExportPictures(true)) {
            state.SkipWithError("the export failed");
            return;
        }
        state.PauseTiming();
        folder.Empty();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExportAllSizes)->Unit(benchmark::kMillisecond);

// The reference: BMP files of the same sizes written from pictures in memory.
void BM_WriteBmpAllSizes(benchmark::State& state)
{
    const TemporaryExportFolder folder;
    std::vector<HImageRef> pictures{HImage::Create("", kWidth, kHeight, true, false)};
    for (const ExportSize& size : kExportSizes)
        pictures.push_back(HImage::Create("", size.width, size.height, true, false));
    for (auto _ : state) {
        int32_t n = 0;
        for (const HImageRef& picture : pictures) {
            const std::string file = folder.Folder() + "/" + std::to_string(n++) + ".bmp";
            if (picture.IsEmpty() || picture->SaveBmp(file.c_str()).Failed()) {
                state.SkipWithError("no picture written");
                return;
            }
        }
        state.PauseTiming();
        folder.Empty();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WriteBmpAllSizes)->Unit(benchmark::kMillisecond);

} // namespace
