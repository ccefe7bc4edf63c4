#pragma once
// LMsg: base of every message. A message lives in its sender's frame for one synchronous send and
// carries the two things the framework itself reads: the done flag, which stops a distributor
// before its next receiver, and the source that is sending it right now.
//
// Message classes are told apart by their exact run-time type: a decoder takes only its own
// class, never one derived from it.

#include <atomic>
#include <cstddef>
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

namespace msg_detail {

// Whether two mangled class names are the same, compared in line: another module's record of a
// class has its own address but the same name.
inline bool SameClassName(const char* name, const char* wanted) noexcept
{
    while (*name != '\0' && *name == *wanted) {
        ++name;
        ++wanted;
    }
    return *name == *wanted;
}

// The records of the last few classes found to differ from M. A message passes several decoders
// on its way, most of them of other classes: a class met before is turned away by the address of
// its record, without comparing names again. Relaxed atomics: each slot only ever holds a record
// that was compared already, so a stale or lost entry merely costs a comparison.
template <class M> struct OtherClasses
{
    static constexpr size_t kSlots = 4;
    static inline std::atomic<const std::type_info*> slots[kSlots]{};
    static inline std::atomic<size_t> next{0};

    static bool Has(const std::type_info& type) noexcept
    {
        for (const auto& slot : slots) {
            if (slot.load(std::memory_order_relaxed) == &type)
                return true;
        }
        return false;
    }
    static void Add(const std::type_info& type) noexcept
    {
        slots[next.fetch_add(1, std::memory_order_relaxed) % kSlots].store(&type, std::memory_order_relaxed);
    }
};

} // namespace msg_detail

// The message as class M when that is its exact run-time class; null for any other class,
// also one derived from M.
template <class M> M* ExactMsgCast(LMsg& msg) noexcept
{
    const std::type_info& type = typeid(msg);
    if (&type == &typeid(M))
        return static_cast<M*>(&msg);
    using Others = msg_detail::OtherClasses<M>;
    if (Others::Has(type))
        return nullptr;
    if (msg_detail::SameClassName(type.name(), typeid(M).name()))
        return static_cast<M*>(&msg);
    Others::Add(type);
    return nullptr;
}
