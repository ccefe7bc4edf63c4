// What every value handler uses while it lives and when it goes: the global transaction, the
// dummy handler and the registry root. A family of handlers in static storage derives its holder
// from this, so that these are made before the first handler of the family.
#pragma once

struct ValueHandlerPrerequisites
{
    ValueHandlerPrerequisites();
};
