// Sends allocate nothing: the cursor lives in the sender's frame and the receiver list is walked
// in place. Counted here through the global allocation functions of this test program.

#include "messaging/msg.h"
#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_node.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

thread_local bool counting = false;
thread_local int allocations = 0;

// Sets every handler to the round's number in one transaction.
void WriteRecord(std::vector<std::unique_ptr<LValueHandlerT<LValueInt>>>& handlers, int32_t round)
{
    const LValueModifyMsgTx group(LValueMsg::kFlagsRecordWrite);
    for (auto& handler : handlers)
        LValueModifyMsgTo(handler->AsReceiver())
            .SendInt(LValueMsg::kFlagsRecordWrite, round, LValueModifyMsg::kItemValue);
}

} // namespace

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

class CountingReceiver : public LMsgReceiverMS
{
  public:
    bool Receive(LMsg&) override
    {
        ++received;
        return true;
    }
    int received = 0;
};

int AllocationsOf(const std::function<void()>& work)
{
    allocations = 0;
    counting = true;
    work();
    counting = false;
    return allocations;
}

TEST(SendAllocation, DistributorAndNodeSendsAllocateNothing)
{
    LMsgDistributor distributor;
    LMsgRegistryNode registry{XAString()};
    std::vector<CountingReceiver> receivers(100);
    for (CountingReceiver& receiver : receivers) {
        ASSERT_TRUE(distributor.Connect(&receiver, 0));
        ASSERT_TRUE(registry.Connect(&receiver, 0));
    }
    EXPECT_EQ(AllocationsOf([&] {
                  LMsg msg;
                  distributor.Send(msg);
                  registry.Receive(msg);
              }),
              0);
    EXPECT_EQ(receivers.back().received, 2);
}

// A whole record of values, each handler registered under a branch with an observer, changed in one
// transaction: once the transaction's lists have grown to the record, a change costs no allocation
// (no working copy, no list entry, no notification).
TEST(SendAllocation, RecordWriteAllocatesNothingOnceTheListsHaveGrown)
{
    std::vector<std::unique_ptr<LValueHandlerT<LValueInt>>> handlers;
    for (int32_t i = 0; i < 40; ++i) {
        handlers.push_back(std::make_unique<LValueHandlerT<LValueInt>>(LValueInt(0, 0, 1000, 1, 0, false, true)));
        ASSERT_TRUE(handlers.back()->ConnectRegistry(("Test.allocation.p" + std::to_string(i)).c_str(), nullptr));
    }
    CountingReceiver branch;
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(nullptr, "Test.allocation", &branch, 0));
    WriteRecord(handlers, 1);
    EXPECT_EQ(AllocationsOf([&] { WriteRecord(handlers, 2); }), 0);
    EXPECT_EQ(handlers.back()->GetValue().GetInt(LValueModifyMsg::kItemValue), 2);
    // Kinds 0 and 2 of both records.
    EXPECT_EQ(branch.received, 4);
    LMsgRegistryRoot()->Disconnect(&branch);
}

} // namespace
