// The process-wide state of the connection layer: one shared LSocket with its lock, name and
// wait list, and the table of socket entries with its own lock. Both are made when the program
// starts and taken down when it ends; as the program opens no connections they stay empty.
#pragma once

#include "foundation/strings/h_array.h"
#include "foundation/strings/intrusive_list.h"
#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/l_socket.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

// One row of the socket table: a counted reference and four numbers of the connection layer's
// own; a new entry holds nothing and zeroes.
struct SocketEntry
{
    XABlock holder;
    int32_t values[4] = {};
};

class LSocketTable
{
  public:
    static constexpr int32_t kGrowBy = 16;

    LSocketTable();
    ~LSocketTable() { ShutDown(); }
    LSocketTable(const LSocketTable&) = delete;
    LSocketTable& operator=(const LSocketTable&) = delete;

    // The exit step: under the table's lock the entries go and the table is marked shut down;
    // entries added meanwhile go after it, then the lock is closed.
    void ShutDown();

    // Change the entries only while holding Lock().
    LMutex& Lock() { return lock_; }
    HArray<SocketEntry>& Entries() { return entries_; }
    bool IsShutDown() const { return shutDown_; }

  private:
    LMutex lock_;
    HArray<SocketEntry> entries_{kGrowBy};
    bool shutDown_ = false;
};

struct LSocketRecord
{
    LSocketRecord();
    // Signals every task still on the wait list, then lets go of the name and the lock; the
    // LSocket is closed last.
    ~LSocketRecord();
    LSocketRecord(const LSocketRecord&) = delete;
    LSocketRecord& operator=(const LSocketRecord&) = delete;

    LSocket socket;
    LMutex lock;
    XAString name;
    ListHeader waitList; // of LWaitListEntry
    int32_t values[3] = {};
};

LSocketTable& SocketTable();
LSocketRecord& SocketRecord();
