#include "foundation/tasks/socket_table.h"

#include "foundation/tasks/l_task.h"
#include "foundation/tasks/internal/wait_list.h"

#include <gtest/gtest.h>

namespace {

TEST(SocketTable, ProcessWideStateStartsEmpty)
{
    EXPECT_EQ(SocketTable().Entries().GetSize(), 0);
    EXPECT_EQ(SocketTable().Entries().GetGrowBy(), LSocketTable::kGrowBy);
    EXPECT_FALSE(SocketTable().IsShutDown());
    EXPECT_TRUE(SocketTable().Lock().IsInitialised());
    LSocketRecord& record = SocketRecord();
    EXPECT_EQ(record.socket.Close(false), 0);
    EXPECT_TRUE(record.name.IsEmpty());
    EXPECT_EQ(record.waitList.head.succ, &record.waitList.tail);
    EXPECT_TRUE(record.lock.IsInitialised());
}

TEST(SocketTable, ShutDownReleasesEveryEntry)
{
    XABlock shared;
    ASSERT_TRUE(shared.AllocArray8<uint8_t>(1));
    LSocketTable table;
    {
        LMutexLocker lock(table.Lock());
        ASSERT_TRUE(table.Entries().SetSize(3));
        for (int32_t i = 0; i < 3; ++i) {
            const SocketEntry& entry = table.Entries()[i];
            EXPECT_FALSE(entry.holder);
            EXPECT_EQ(entry.values[0] | entry.values[1] | entry.values[2] | entry.values[3], 0);
        }
        table.Entries()[0].holder = shared;
        table.Entries()[2].holder = shared;
    }
    EXPECT_EQ(table.Entries().GetCapacity(), LSocketTable::kGrowBy);
    EXPECT_EQ(shared.RefCount(), 3);
    table.ShutDown();
    EXPECT_EQ(shared.RefCount(), 1);
    EXPECT_EQ(table.Entries().GetSize(), 0);
    EXPECT_EQ(table.Entries().GetCapacity(), 0);
    EXPECT_EQ(table.Entries().GetGrowBy(), 0);
    EXPECT_TRUE(table.IsShutDown());
    EXPECT_FALSE(table.Lock().IsInitialised());
}

TEST(SocketTable, RecordExitSignalsEveryWaitingTask)
{
    LTask* self = FindTask(nullptr);
    const int32_t first = AllocSignal(self);
    const int32_t second = AllocSignal(self);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    const uint32_t mask = uint32_t{1} << first | uint32_t{1} << second;
    LWaitListEntry entries[2];
    entries[0].task = self;
    entries[0].signalBit = first;
    entries[1].task = self;
    entries[1].signalBit = second;
    {
        LSocketRecord record;
        {
            LMutexLocker lock(GlobalMutex);
            ListAddTail(record.waitList, &entries[0].node);
            ListAddTail(record.waitList, &entries[1].node);
        }
        EXPECT_EQ(WaitSignals(self, mask, 0), 0u);
    }
    EXPECT_EQ(WaitSignals(self, mask, 0), mask);
    FreeSignal(self, first);
    FreeSignal(self, second);
}

} // namespace
