#include "messaging/msg_receiver_ms.h"

#include "messaging/msg_source.h"

#include <new>

LMsgReceiverMS::~LMsgReceiverMS()
{
    while (int32_t count = SourceCount()) {
        LMsgSourceInterface* source = sources_[count - 1];
        source->Disconnect(this);
        // A source that did not tell us it let go is forgotten all the same.
        if (SourceCount() == count && sources_[count - 1] == source)
            RemoveSourceAt(count - 1);
    }
}

bool LMsgReceiverMS::SourceConnected(LMsgSourceInterface* source)
{
    if (IndexOf(source) >= 0)
        return true;
    try {
        sources_.push_back(source);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void LMsgReceiverMS::SourceDisconnected(LMsgSourceInterface* source)
{
    const int32_t index = IndexOf(source);
    if (index >= 0)
        RemoveSourceAt(index);
}

int32_t LMsgReceiverMS::IndexOf(LMsgSourceInterface* source) const noexcept
{
    for (int32_t i = SourceCount(); i-- > 0;) {
        if (sources_[i] == source)
            return i;
    }
    return -1;
}

void LMsgReceiverMS::RemoveSourceAt(int32_t index)
{
    sources_.erase(sources_.begin() + index);
}
