// One whole-record write: a transaction that sets the 132 preview parameters (59 integers,
// 69 reals, 4 texts), each handler with a receiver and all under one observed branch node, with
// its change and done notifications; next to a plain loop that stores the same 132 numbers and
// makes one virtual call per value.
#include "bench/throughput_ratio.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_node.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_notify_msg.h"
#include "messaging/value_notify_msg_decoder.h"
#include "messaging/value_string.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int32_t kIntegers = 59;
constexpr int32_t kReals = 69;
constexpr int32_t kTexts = 4;
constexpr int32_t kParameters = kIntegers + kReals + kTexts;
constexpr uint32_t kRecordFlags = LValueMsg::kFlagsRecordWrite;
constexpr int32_t kValue = LValueModifyMsg::kItemValue;
constexpr const char* kPlainLoop = "plain_loop";

// Counts the notifications it is told, as a bound control would look at them.
class CountingReceiver : public LMsgReceiverMS, public LValueNotifyMsgDecoder
{
  public:
    bool Receive(LMsg& msg) override { return LValueNotifyMsgDecoder::Receive(msg); }
    void OnChanged(LValueNotifyMsg&) override { ++changed; }
    void OnDone(LValueNotifyMsg&) override { ++done; }

    int64_t changed = 0;
    int64_t done = 0;
};

// The handlers, their receivers and the branch observer, registered once.
struct Parameters
{
    Parameters()
    {
        for (int32_t i = 0; i < kParameters; ++i) {
            if (i < kIntegers) {
                handlers.push_back(
                    std::make_unique<LValueHandlerT<LValueInt>>(LValueInt(0, 0, 1000, 1, 0, false, true)));
            } else if (i < kIntegers + kReals) {
                handlers.push_back(std::make_unique<LValueHandlerT<LValueDoubleFmt1>>(
                    LValueDoubleFmt1(0, -10, 10, 0.1, 0, 1, 4, 0)));
            } else {
                handlers.push_back(
                    std::make_unique<LValueHandlerT<LValueString>>(LValueString("", 255, false, true)));
            }
            handlers.back()->ConnectRegistry(("Bench.Beamvista.p" + std::to_string(i)).c_str(), nullptr);
            receivers.push_back(std::make_unique<CountingReceiver>());
            handlers.back()->AsSource()->Connect(receivers.back().get(), 0);
        }
        LMsgRegistryNode::ConnectReceiver(nullptr, "Bench.Beamvista", &branch, 0);
    }
    ~Parameters() { LMsgRegistryRoot()->Disconnect(&branch); }

    CountingReceiver branch;
    std::vector<std::unique_ptr<LValueHandler>> handlers;
    std::vector<std::unique_ptr<CountingReceiver>> receivers;
};

void WriteRecord(Parameters& parameters, int32_t round)
{
    LValueModifyMsgTx group(kRecordFlags);
    for (int32_t i = 0; i < kParameters; ++i) {
        LValueModifyMsgTo to(parameters.handlers[i]->AsReceiver());
        if (i < kIntegers) {
            to.SendInt(kRecordFlags, (round + i) % 1000, kValue);
        } else if (i < kIntegers + kReals) {
            to.SendDouble(kRecordFlags, ((round + i) % 200) * 0.1 - 10, kValue);
        } else {
            to.SendString(kRecordFlags, round % 2 ? "show.zyl" : "other.zyl", kValue);
        }
    }
}

void BM_TransactionSets132Values(benchmark::State& state)
{
    Parameters parameters;
    int32_t round = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        WriteRecord(parameters, ++round);
    }
    // Records per second beside the plain loop's.
    const double rate = PerCpuSecond(state, start);
    ReportRatio(state, kPlainLoop, rate);
    if (rate > 0)
        state.counters["us_per_record"] = 1e6 / rate;
    if (parameters.branch.done != state.iterations()) {
        state.SkipWithError("the branch observer missed a transaction");
    }
    state.SetItemsProcessed(state.iterations() * kParameters);
}

// The reference: the same numbers stored in place, one virtual call each.
struct PlainObserver
{
    virtual ~PlainObserver() = default;
    virtual void Changed(int32_t index) { benchmark::DoNotOptimize(index); }
};

void BM_PlainLoopSets132Values(benchmark::State& state)
{
    std::vector<double> values(kParameters);
    std::unique_ptr<PlainObserver> observer = std::make_unique<PlainObserver>();
    int32_t round = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        ++round;
        for (int32_t i = 0; i < kParameters; ++i) {
            values[i] = ((round + i) % 200) * 0.1 - 10;
            observer->Changed(i);
        }
        benchmark::DoNotOptimize(values.data());
    }
    RecordReference(kPlainLoop, PerCpuSecond(state, start));
    state.SetItemsProcessed(state.iterations() * kParameters);
}

// The reference first, so that the ratio can be printed beside the transaction.
BENCHMARK(BM_PlainLoopSets132Values);
BENCHMARK(BM_TransactionSets132Values);

} // namespace
