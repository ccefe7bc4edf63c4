#include "foundation/tasks/l_socket.h"

#include "foundation/tasks/l_mutex.h"

#include <algorithm>

namespace {

using ConnectionHolder = std::unique_ptr<LSocketConnection>;

} // namespace

XABlock MakeSocketConnection(std::unique_ptr<LSocketConnection> connection)
{
    XABlock block;
    block.NewObject<ConnectionHolder>(std::move(connection));
    return block;
}

LSocket::~LSocket()
{
    Close(false);
}

int16_t LSocket::Close(bool force)
{
    LMutexLocker lock(GlobalMutex);
    // The copy keeps the connection alive until it is closed; it goes before the lock does.
    const XABlock connection = connection_;
    const ConnectionHolder* holder = connection.As<ConnectionHolder>();
    if (!holder || !*holder) {
        connection_.Clear();
        result_ = kResultNoConnection;
        return 0;
    }
    connection_.Clear();
    LSocketConnection& opened = **holder;
    opened.openCount = std::max(opened.openCount - 1, 0);
    if (opened.openCount != 0 && !force)
        return kStillOpen;
    const int16_t closed = opened.Close();
    result_ = opened.status;
    return closed;
}
