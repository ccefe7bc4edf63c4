#include "platform/deliverable_kind.h"

namespace {

DeliverableKind currentKind = DeliverableKind::Player;

} // namespace

DeliverableKind CurrentDeliverableKind()
{
    return currentKind;
}

void SetDeliverableKind(DeliverableKind kind)
{
    currentKind = kind;
}
