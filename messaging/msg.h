#pragma once
// LMsg: base of every message. A message lives in its sender's frame for one synchronous send and
// carries the two things the framework itself reads: the done flag, which stops a distributor
// before its next receiver, and the source that is sending it right now.
//
// Message classes are told apart by their exact run-time type: a decoder takes only its own
// class, never one derived from it.

#include <typeinfo>

class LMsgSourceID;

class LMsg
{
  public:
    LMsg() noexcept = default;
    // A message built from another one starts out on a send of its own: not done, no sender.
    LMsg(const LMsg&) noexcept {}
    LMsg& operator=(const LMsg&) = delete;
    virtual ~LMsg() = default;

    bool IsDone() const noexcept { return done_; }
    void SetDone() noexcept { done_ = true; }

    // The source sending the message right now; null outside a send through a source.
    LMsgSourceID* Sender() const noexcept { return sender_; }
    void SetSender(LMsgSourceID* sender) noexcept { sender_ = sender; }

  private:
    bool done_ = false;
    LMsgSourceID* sender_ = nullptr;
};

// Records a source as a message's current sender for the life of the scope and puts the previous
// sender back when the scope is left, also by an exception, so nested sends each see their own.
class LMsgSenderScope
{
  public:
    LMsgSenderScope(LMsg& msg, LMsgSourceID* sender) noexcept : msg_(msg), saved_(msg.Sender())
    {
        msg.SetSender(sender);
    }
    ~LMsgSenderScope() { msg_.SetSender(saved_); }

    LMsgSenderScope(const LMsgSenderScope&) = delete;
    LMsgSenderScope& operator=(const LMsgSenderScope&) = delete;

  private:
    LMsg& msg_;
    LMsgSourceID* saved_;
};

// The message as class M when that is its exact run-time class; null for any other class,
// also one derived from M.
template <class M> M* ExactMsgCast(LMsg& msg) noexcept
{
    const std::type_info& type = typeid(msg);
    if (&type == &typeid(M))
        return static_cast<M*>(&msg);
    // Another module's record of the same class carries the same name. Most messages offered to
    // a decoder are of another class, whose name differs within its first letters: compared here
    // without a library call for each of the several decoders a message passes on its way.
    const char* name = type.name();
    const char* wanted = typeid(M).name();
    while (*name != '\0' && *name == *wanted) {
        ++name;
        ++wanted;
    }
    return *name == *wanted ? static_cast<M*>(&msg) : nullptr;
}
