// The preview parameters live: one whole-record apply (132 values in one transaction, with the
// current set following it) and one interactive change of one parameter through its key with
// its notifications; next to copying the same record field by field, the plain work of the apply.
#include "bench/throughput_ratio.h"
#include "messaging/value_handler_to_ref.h"
#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"
#include "params/current_kwp_pars.h"

namespace {

constexpr const char* kFieldCopy = "field_copy";
constexpr uint32_t kInteractiveFlags = LValueMsg::kFlagFromControl | LValueMsg::kFlagInteractive;

// Two sets that differ in every block, so that each apply changes values.
LBeamvistaPars Alternate()
{
    LBeamvistaPars pars;
    pars.o_fog_rot = 12.5f;
    pars.o_no_blending = 1;
    pars.o_sim_freqf = 3.0f;
    pars.o_bg0_filename = "bg.png";
    pars.p0x91205 = 100;
    return pars;
}

void BM_AssignWholeRecord(benchmark::State& state)
{
    const LBeamvistaPars sets[2] = {LBeamvistaPars(), Alternate()};
    LBeamvistaPars target;
    int64_t i = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        target.Assign(sets[i++ & 1], kBeamvistaAllGroups);
        benchmark::DoNotOptimize(target.o_fog_rot);
    }
    RecordReference(kFieldCopy, PerCpuSecond(state, start));
}

void BM_ApplyWholeRecord(benchmark::State& state)
{
    LCurrentKWPPars::Get();
    const LBeamvistaPars sets[2] = {LBeamvistaPars(), Alternate()};
    int64_t i = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state)
        sets[i++ & 1].ApplyToParameters(kBeamvistaAllGroups);
    // Records per second beside the field copy's: the share of the apply that is plain work.
    ReportRatio(state, kFieldCopy, PerCpuSecond(state, start));
    benchmark::DoNotOptimize(LCurrentKWPPars::Get().o_fog_rot);
    LBeamvistaPars().ApplyToParameters(kBeamvistaAllGroups);
}

// The reference first, so that the ratio can be printed beside the apply.
BENCHMARK(BM_AssignWholeRecord);
BENCHMARK(BM_ApplyWholeRecord);

void BM_InteractiveChange(benchmark::State& state)
{
    LCurrentKWPPars::Get();
    LValueHandlerToRef fogDir;
    fogDir.Bind("Beamvista.fog.dir", nullptr);
    int64_t i = 0;
    for (auto _ : state)
        fogDir.SendDouble(kInteractiveFlags, (i++ & 1) ? 10.0 : 20.0, LValueModifyMsg::kItemValue);
    benchmark::DoNotOptimize(LCurrentKWPPars::Get().o_fog_dir);
    LBeamvistaPars().ApplyToParameters(kBeamvistaAllGroups);
}
BENCHMARK(BM_InteractiveChange);

} // namespace
