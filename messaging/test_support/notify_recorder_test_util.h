#pragma once
// A test observer of value notifications: logs "<name>:<kind>" for each one it receives and can
// act when told of a change.

#include <functional>
#include <string>

#include "messaging/msg_receiver_ms.h"
#include "messaging/value_notify_msg.h"
#include "messaging/value_notify_msg_decoder.h"

struct NotifyLog
{
    std::string text;

    void Add(const std::string& event) { text += text.empty() ? event : " " + event; }
    std::string Take() { return std::exchange(text, std::string()); }
};

class NotifyRecorder : public LMsgReceiverMS, public LValueNotifyMsgDecoder
{
  public:
    NotifyRecorder(std::string name, NotifyLog& log) : name_(std::move(name)), log_(log) {}

    bool Receive(LMsg& msg) override { return LValueNotifyMsgDecoder::Receive(msg); }
    void OnChanged(LValueNotifyMsg& msg) override
    {
        Record(msg);
        if (onChanged) {
            onChanged(msg);
        }
    }
    void OnRolledBack(LValueNotifyMsg& msg) override { Record(msg); }
    void OnDone(LValueNotifyMsg& msg) override { Record(msg); }

    std::function<void(LValueNotifyMsg&)> onChanged;
    LMsgSourceID* lastSender = nullptr;
    LValueHandler* lastHandler = nullptr;

  private:
    void Record(const LValueNotifyMsg& msg)
    {
        log_.Add(name_ + ":" + std::to_string(msg.kind));
        lastSender = msg.Sender();
        lastHandler = msg.handler;
    }

    std::string name_;
    NotifyLog& log_;
};
