// Send latency of a distributor and of a registry node for 1, 10 and 100 receivers, next to a
// plain loop of virtual calls over the same receivers. Sends allocate nothing (checked by the
// messaging tests), so the difference is the cursor bookkeeping and the sender record.

#include "bench/throughput_ratio.h"
#include "messaging/msg.h"
#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_node.h"
#include "messaging/registry_to_ref.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The plain loop over the same number of receivers, measured first in the same run.
std::string VirtualCallsReference(const benchmark::State& state)
{
    return "virtual_calls_" + std::to_string(state.range(0));
}

class CountingReceiver : public LMsgReceiverMS
{
  public:
    bool Receive(LMsg&) override
    {
        ++received;
        return true;
    }
    int64_t received = 0;
};

void VirtualCallLoop(benchmark::State& state)
{
    const auto receivers = std::make_unique<CountingReceiver[]>(state.range(0));
    std::vector<LMsgReceiverInterface*> list;
    for (int64_t i = 0; i < state.range(0); ++i)
        list.push_back(&receivers[i]);
    benchmark::DoNotOptimize(list.data());
    LMsg msg;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        for (LMsgReceiverInterface* receiver : list)
            receiver->Receive(msg);
        benchmark::ClobberMemory();
    }
    RecordReference(VirtualCallsReference(state), PerCpuSecond(state, start));
    state.SetItemsProcessed(state.iterations());
}

void DistributorSend(benchmark::State& state)
{
    const auto receivers = std::make_unique<CountingReceiver[]>(state.range(0));
    LMsgDistributor distributor;
    for (int64_t i = 0; i < state.range(0); ++i)
        distributor.Connect(&receivers[i], 0);
    LMsg msg;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        distributor.Send(msg);
        benchmark::ClobberMemory();
    }
    // Sends per second beside the plain loop's.
    ReportRatio(state, VirtualCallsReference(state), PerCpuSecond(state, start));
    state.SetItemsProcessed(state.iterations());
}

// A reference by name into a registry node that passes the message on to its receivers.
void RegistryNodeSend(benchmark::State& state)
{
    LMsgRegistryNode registry{XAString()};
    const auto receivers = std::make_unique<CountingReceiver[]>(state.range(0));
    for (int64_t i = 0; i < state.range(0); ++i)
        LMsgRegistryNode::ConnectReceiver(&registry, "Beamvista.fog.speed", &receivers[i], 0);
    LMsgRegistryToRef to;
    to.Bind("Beamvista.fog.speed", &registry);
    LMsg msg;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        to.Send(msg);
        benchmark::ClobberMemory();
    }
    ReportRatio(state, VirtualCallsReference(state), PerCpuSecond(state, start));
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(VirtualCallLoop)->Arg(1)->Arg(10)->Arg(100);
BENCHMARK(DistributorSend)->Arg(1)->Arg(10)->Arg(100);
BENCHMARK(RegistryNodeSend)->Arg(1)->Arg(10)->Arg(100);
