// Sends allocate nothing: the cursor lives in the sender's frame and the receiver list is walked
// in place. Counted here through the global allocation functions of this test program.

#include "messaging/msg.h"
#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_node.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <vector>

namespace {

thread_local bool counting = false;
thread_local int allocations = 0;

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

} // namespace
