#pragma once
// Test receivers that log what happens to them and run a script when called. One log is shared
// by all receivers of a test: "A" when A receives, "+A" when a source connects it, "-A" when a
// source disconnects it.

#include "messaging/msg.h"
#include "messaging/msg_receiver_ms.h"

#include <functional>
#include <string>
#include <utility>

struct EventLog
{
    std::string text;

    void Add(const std::string& event)
    {
        if (!text.empty())
            text += ' ';
        text += event;
    }
    std::string Take() { return std::exchange(text, std::string()); }
};

class ScriptedReceiver : public LMsgReceiverMS
{
  public:
    ScriptedReceiver(std::string name, EventLog& log) : name(std::move(name)), log(log) {}

    bool Receive(LMsg& msg) override
    {
        log.Add(name);
        if (onReceive)
            onReceive(msg);
        return true;
    }
    bool SourceConnected(LMsgSourceInterface* source) override
    {
        log.Add("+" + name);
        return !refuse && LMsgReceiverMS::SourceConnected(source);
    }
    void SourceDisconnected(LMsgSourceInterface* source) override
    {
        log.Add("-" + name);
        LMsgReceiverMS::SourceDisconnected(source);
    }

    const std::string name;
    EventLog& log;
    std::function<void(LMsg&)> onReceive;
    bool refuse = false;
};
