#include "foundation/tasks/socket_table.h"

#include "foundation/tasks/internal/wait_list.h"

namespace {

// Made at start-up and taken down at exit, like the rest of the library's process state.
LSocketTable socketTable;
LSocketRecord socketRecord;

} // namespace

LSocketTable::LSocketTable()
{
    lock_.Init();
}

void LSocketTable::ShutDown()
{
    lock_.Lock();
    entries_.SetSize(0);
    entries_.SetGrowBy(0);
    shutDown_ = true;
    lock_.Unlock();
    entries_.SetSize(0);
    lock_.Close();
}

LSocketRecord::LSocketRecord()
{
    lock.Init();
}

LSocketRecord::~LSocketRecord()
{
    WaitListReleaseAll(waitList);
    name = XAString();
    lock.Close();
}

LSocketTable& SocketTable()
{
    return socketTable;
}

LSocketRecord& SocketRecord()
{
    return socketRecord;
}
