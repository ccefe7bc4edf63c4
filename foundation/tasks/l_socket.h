// LSocket: the handle of a network connection, holding a counted reference to a connection
// object. The program opens no connections; the handle is kept so that closing and the result
// code behave as the rest of the library expects.
#pragma once

#include "foundation/strings/xa_block.h"

#include <cstdint>
#include <memory>

// A connection. What it connects to and what its status values mean is the connection layer's
// business; closing uses only the close operation, the open count and the status.
class LSocketConnection
{
  public:
    virtual ~LSocketConnection() = default;

    // Ends the connection; the result is handed to the caller of LSocket::Close.
    virtual int16_t Close() = 0;

    int32_t openCount = 0; // handles that have it open; never below 0
    int32_t status = 0;    // copied into the handle's result when the connection is closed
};

// A counted block that holds one connection object; the object goes with the last reference.
XABlock MakeSocketConnection(std::unique_ptr<LSocketConnection> connection);

class LSocket
{
  public:
    // Close's answer when the connection stays open for other handles.
    static constexpr int16_t kStillOpen = -1;

    LSocket() = default;
    // Close without force, then the reference goes.
    virtual ~LSocket();
    LSocket(const LSocket&) = delete;
    LSocket& operator=(const LSocket&) = delete;

    // Takes a reference to a block made by MakeSocketConnection, letting go of the one held.
    void Attach(const XABlock& connection) { connection_ = connection; }
    bool HasConnection() const { return static_cast<bool>(connection_); }

    // Under GlobalMutex: lets go of the connection and counts one opener less. When none is
    // left, or with force, the connection is closed: the answer is its close result and the
    // result becomes its status. Otherwise kStillOpen. Without a connection: 0, result 1.
    int16_t Close(bool force);
    int32_t Result() const { return result_; }

  private:
    static constexpr int32_t kResultNoConnection = 1;

    XABlock connection_;
    int32_t result_ = kResultNoConnection;
};
