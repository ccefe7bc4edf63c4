#include "foundation/tasks/l_socket.h"

#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/sync_monitor.h"

#include <gtest/gtest.h>

namespace {

struct ConnectionLog
{
    int32_t closes = 0;
    int32_t destroyed = 0;
    bool closedUnderGlobalMutex = false;
};

class FakeConnection : public LSocketConnection
{
  public:
    FakeConnection(ConnectionLog& log, int32_t opened, int16_t closeResult, int32_t statusAfter)
        : log_(log), closeResult_(closeResult), statusAfter_(statusAfter)
    {
        openCount = opened;
    }
    ~FakeConnection() override { ++log_.destroyed; }

    int16_t Close() override
    {
        ++log_.closes;
        log_.closedUnderGlobalMutex = GlobalMutex.GetOwner() == CurrentThreadId();
        status = statusAfter_;
        return closeResult_;
    }

  private:
    ConnectionLog& log_;
    int16_t closeResult_;
    int32_t statusAfter_;
};

XABlock NewConnection(ConnectionLog& log, int32_t opened, int16_t closeResult = 0x1234, int32_t status = 77)
{
    return MakeSocketConnection(std::make_unique<FakeConnection>(log, opened, closeResult, status));
}

TEST(LSocket, CloseWithoutConnectionAnswersZeroAndResultOne)
{
    LSocket socket;
    EXPECT_EQ(socket.Result(), 1);
    EXPECT_EQ(socket.Close(false), 0);
    EXPECT_EQ(socket.Close(true), 0);
    EXPECT_EQ(socket.Result(), 1);
    EXPECT_FALSE(socket.HasConnection());
}

TEST(LSocket, CloseCountsOpenersAndClosesTheLastOrWithForce)
{
    struct Case
    {
        int32_t opened;
        bool force;
        bool closes;
        int32_t openAfter;
    };
    const Case cases[] = {
        {1, false, true, 0},
        {0, false, true, 0}, // the count does not go below 0
        {3, false, false, 2},
        {3, true, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.opened << (c.force ? " forced" : ""));
        ConnectionLog log;
        const XABlock connection = NewConnection(log, c.opened, -2, 77);
        LSocket socket;
        socket.Attach(connection);
        const int16_t answer = socket.Close(c.force);
        EXPECT_EQ(answer, c.closes ? -2 : LSocket::kStillOpen);
        EXPECT_EQ(log.closes, c.closes ? 1 : 0);
        EXPECT_EQ(socket.Result(), c.closes ? 77 : 1);
        EXPECT_EQ(log.closedUnderGlobalMutex, c.closes);
        EXPECT_FALSE(socket.HasConnection());
        EXPECT_EQ(connection.As<std::unique_ptr<LSocketConnection>>()->get()->openCount, c.openAfter);
        EXPECT_EQ(connection.RefCount(), 1);
    }
}

TEST(LSocket, SharedConnectionGoesWithTheLastHandle)
{
    ConnectionLog log;
    {
        LSocket first;
        LSocket second;
        {
            const XABlock connection = NewConnection(log, 2);
            first.Attach(connection);
            second.Attach(connection);
        }
        EXPECT_EQ(first.Close(false), LSocket::kStillOpen);
        EXPECT_EQ(log.destroyed, 0);
        EXPECT_EQ(second.Close(false), 0x1234);
        EXPECT_EQ(log.closes, 1);
        EXPECT_EQ(log.destroyed, 1);
    }
    EXPECT_EQ(log.closes, 1);
}

TEST(LSocket, DestructorClosesWithoutForce)
{
    ConnectionLog log;
    {
        LSocket socket;
        socket.Attach(NewConnection(log, 1));
    }
    EXPECT_EQ(log.closes, 1);
    EXPECT_EQ(log.destroyed, 1);
}

} // namespace
