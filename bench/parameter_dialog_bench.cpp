// The parameter dialog open while the whole parameter record changes (a preset, a reset, a loaded
// file): one apply with every control of the seven panels bound, so that each refreshes, beside
// the same apply with no dialog open, measured first in the same run. The bound apply should cost
// at most twice the bare one (a ratio of 0.5 or more), and both far below the preview's 10 ms tick.
#include "bench/throughput_ratio.h"
#include "controls/control_resources.h"
#include "controls/test_support/control_environment_fake.h"
#include "controls/test_support/control_window_fake.h"
#include "params/beamvista_pars.h"
#include "params/current_kwp_pars.h"
#include "params/test_support/every_field_changed.h"
#include "platform/resources.h"
#include "preview/l_beamvista_parameter_dlg.h"
#include "preview/parameter_dialog_resources.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr const char* kBareApply = "apply_without_dialog";

// Applies the two sets in turn; records per second of the thread's CPU time.
double ApplyInTurn(benchmark::State& state)
{
    const LBeamvistaPars sets[2] = {LBeamvistaPars(), EveryFieldChanged(LBeamvistaPars())};
    int64_t i = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state)
        sets[i++ & 1].ApplyToParameters(kBeamvistaAllGroups);
    const double rate = PerCpuSecond(state, start);
    LBeamvistaPars().ApplyToParameters(kBeamvistaAllGroups);
    return rate;
}

void BM_ApplyWithoutDialog(benchmark::State& state)
{
    LCurrentKWPPars::Get();
    RecordReference(kBareApply, ApplyInTurn(state));
}

void BM_ApplyWithSevenPanelsBound(benchmark::State& state)
{
    LCurrentKWPPars::Get();
    const ScopedResources controlResources(ControlResourceTables());
    const ScopedResources dialogResources(ParameterDialogResourceTables());
    FakeControlWindowFactory windows;
    FakeControlEnvironment environment;
    const std::shared_ptr<LBeamvistaParameterDlg> dialog =
        LBeamvistaParameterDlg::CreateNew({}, nullptr, nullptr);
    if (!dialog) {
        state.SkipWithError("the dialog was not made");
        return;
    }
    const std::vector<FakeControlWindow*> fields = windows.WindowsOfKind(ControlWindowKind::kEdit);
    const auto refreshes = [&fields] {
        int64_t sum = 0;
        for (const FakeControlWindow* field : fields)
            sum += field->updates;
        return sum;
    };
    const int64_t before = refreshes();
    ReportRatio(state, kBareApply, ApplyInTurn(state));
    // Shows that the fields were bound and followed every apply.
    state.counters["field_refreshes_per_apply"] =
        state.iterations() > 0 ? double(refreshes() - before) / double(state.iterations()) : 0.0;
    dialog->DestroyWindow();
}

// The reference first, so that the ratio can be printed beside the bound apply.
BENCHMARK(BM_ApplyWithoutDialog);
BENCHMARK(BM_ApplyWithSevenPanelsBound);

} // namespace
