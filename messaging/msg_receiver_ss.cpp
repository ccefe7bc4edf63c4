#include "messaging/msg_receiver_ss.h"

#include "messaging/msg_source.h"

LMsgReceiverSS::~LMsgReceiverSS()
{
    Disconnect();
}

bool LMsgReceiverSS::SourceConnected(LMsgSourceInterface* source)
{
    if (source == source_)
        return true;
    if (LMsgSourceInterface* old = source_)
        old->Disconnect(this);
    source_ = source;
    return true;
}

void LMsgReceiverSS::SourceDisconnected(LMsgSourceInterface* source)
{
    if (source == source_)
        source_ = nullptr;
}

void LMsgReceiverSS::Disconnect()
{
    LMsgSourceInterface* source = source_;
    if (!source)
        return;
    source->Disconnect(this);
    // The source's answer may already have connected this receiver elsewhere.
    if (source_ == source)
        source_ = nullptr;
}
