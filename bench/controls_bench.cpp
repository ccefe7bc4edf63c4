// The controls' work per frame, far below the preview's 10 ms timer period: painting a panel of
// 13 owned-drawn rows and putting each control's picture into the panel's, beside a memcpy of
// the panel's pixels; and one spin drag step through the live parameters, which follow it as
// the preview's change handling does, beside the whole-record apply measured in this program.
#include "bench/throughput_ratio.h"
#include "controls/control_painter.h"
#include "controls/l_checkbox.h"
#include "controls/l_spin.h"
#include "controls/test_support/control_test_fixture.h"
#include "params/current_kwp_pars.h"
#include "platform/dialog_units.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int32_t kRows = 13;
constexpr int32_t kPanelWidth = 310;
constexpr int32_t kPanelHeight = 8 + 25 * kRows + 4;
constexpr int64_t kPanelBytes = int64_t{kPanelWidth} * kPanelHeight * RasterBitmap::kBytesPerPixel;

void BM_PanelPixelsMemcpy(benchmark::State& state)
{
    std::vector<uint8_t> source(kPanelBytes, 0x5A);
    std::vector<uint8_t> target(kPanelBytes);
    ThroughputMeter meter;
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
    }
    RecordReference("memcpy", meter.Finish(state, kPanelBytes));
}
BENCHMARK(BM_PanelPixelsMemcpy);

// Copies a control's picture into the panel's at its place.
void Blit(RasterBitmap& panel, RasterBitmap& control, const RasterRect& at)
{
    for (int32_t y = 0; y < control.Height() && at.top + y < panel.Height(); ++y)
        std::memcpy(panel.PixelAt(at.left, at.top + y), control.PixelAt(0, y),
                    static_cast<size_t>(control.Width()) * RasterBitmap::kBytesPerPixel);
}

void BM_PaintThirteenRowPanel(benchmark::State& state)
{
    ControlTestFixture fixture;
    RecordingIntHandler value("v", IntValue(1, 0, 2), fixture.sent);
    value.ConnectRegistry("bench.v", &fixture.registry);
    fixture.panel.Window()->Move({0, 0, kPanelWidth, kPanelHeight}, false);
    std::vector<std::unique_ptr<LWindowObject>> controls;
    for (int32_t row = 0; row < kRows; ++row) {
        const int32_t y = 8 + 25 * row;
        if (row % 2 == 0) {
            auto box = std::make_unique<LCheckbox>();
            box->Create("A parameter of the panel", {15, y, 165, y + 20}, fixture.panel.Window());
            box->Bind("bench.v", &fixture.registry);
            controls.push_back(std::move(box));
        } else {
            auto spin = std::make_unique<LSpin>();
            spin->Create({223, y, 238, y + 20}, fixture.panel.Window());
            spin->Bind("bench.v", &fixture.registry);
            controls.push_back(std::move(spin));
        }
    }
    std::unique_ptr<RasterBitmap> panel = RasterBitmap::Create(kPanelWidth, kPanelHeight);
    ThroughputMeter meter;
    for (auto _ : state) {
        panel->FillRect({0, 0, kPanelWidth, kPanelHeight}, kRgbWhite);
        for (const auto& control : controls) {
            auto& window = ControlTestFixture::Fake(*control);
            std::unique_ptr<RasterBitmap> picture = window.Paint();
            Blit(*panel, *picture, window.Rect());
        }
        benchmark::DoNotOptimize(panel->Bits());
    }
    ReportRatio(state, "memcpy", meter.Finish(state, kPanelBytes));
}
BENCHMARK(BM_PaintThirteenRowPanel);

void BM_SpinDragStepThroughLiveParameters(benchmark::State& state)
{
    LCurrentKWPPars::Get();
    ControlTestFixture fixture;
    LSpin spin;
    spin.Create({0, 0, 15, 20}, fixture.panel.Window());
    spin.Bind("Beamvista.fog.dir", nullptr);
    fixture.PointerAt(spin, 7, 10);
    ControlTestFixture::Press(spin, MouseButton::kLeft, 7, 10);
    int64_t i = 0;
    for (auto _ : state)
        fixture.MoveTo(spin, 7, (i++ & 1) ? 9 : 11);
    ControlTestFixture::Release(spin, MouseButton::kLeft, 7, 10);
    benchmark::DoNotOptimize(LCurrentKWPPars::Get().o_fog_dir);
}
BENCHMARK(BM_SpinDragStepThroughLiveParameters);

} // namespace
