#include "foundation/tasks/l_event.h"

#include "foundation/tasks/sync_monitor.h"

void LEvent::Set()
{
    auto gate = SyncMonitor().Enter();
    SetLocked();
}

void LEvent::SetLocked()
{
    set_ = true;
    SyncMonitor().Changed();
}

void LEvent::Reset()
{
    auto gate = SyncMonitor().Enter();
    ResetLocked();
}

bool LEvent::IsSet() const
{
    auto gate = SyncMonitor().Enter();
    return IsSetLocked();
}
