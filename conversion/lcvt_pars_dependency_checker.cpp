#include "conversion/lcvt_pars_dependency_checker.h"

#include "messaging/value_handler.h"
#include "messaging/value_modify_msg.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_notify_msg.h"

#include <array>
#include <utility>

namespace {

constexpr int32_t kValueItem = LValueModifyMsg::kItemValue;

// Parameters that follow WatchRef1: the first value and the two spread from it.
constexpr int32_t kSpreadFirst = 141;
constexpr int32_t kSpreadSecond = 142;
constexpr int32_t kSpreadThird = 143;

// Parameters that follow WatchRef2 to WatchRef4.
constexpr int32_t kThresholdSwitch = 147;
constexpr int32_t kThresholdLow = 148;
constexpr int32_t kThresholdAngle = 149;
constexpr int32_t kThresholdEnabled = 150;
constexpr int32_t kThresholdValue = 151;
constexpr int32_t kThresholdAngleCopy = 152;
constexpr double kThresholdMinimum = 0.0002;
constexpr double kThresholdLowValue = 0.0001;

// The second real of the four entries and the count of the two entries (LCvtPars tables).
constexpr std::array<int32_t, 4> kEntrySeconds{208, 212, 216, 220};
constexpr std::array<int32_t, 2> kEntryCounts{227, 231};

// Of these three switches only one may be on.
constexpr int32_t kSwitchA = 16;
constexpr int32_t kSwitchB = 18;
constexpr int32_t kSwitchC = 19;

LValue& Current(LValueHandler& handler)
{
    return *handler.GetCurrentValue();
}

// A reference's handler, the fallback handler while it has none.
LValueHandler& Resolved(LValueHandlerFromRef& ref)
{
    return *ref.GetHandler();
}

struct SwitchState
{
    bool committed = false;
    bool current = false;

    bool SwitchingOn() const { return current && !committed; }
};

SwitchState ReadSwitch(LValueHandler& handler)
{
    return {handler.GetOwnerValue()->GetBool(kValueItem), Current(handler).GetBool(kValueItem)};
}

} // namespace

LCvtParsDependencyChecker::LCvtParsDependencyChecker(const LCvtPars& reference, ParameterLookup parameters)
    : reference_(reference), parameters_(std::move(parameters))
{
}

bool LCvtParsDependencyChecker::Receive(LMsg& msg)
{
    return LValueNotifyMsgDecoder::Receive(msg);
}

void LCvtParsDependencyChecker::OnChanged(LValueNotifyMsg& msg)
{
    OnValueNotify(msg);
}

void LCvtParsDependencyChecker::OnValueNotify(LValueNotifyMsg& msg)
{
    if (!Enabled || (msg.flags & LValueMsg::kFlagInteractive) == 0) {
        return;
    }
    // The checker's own writes go out without the interactive bit, so they never bring it back.
    const uint32_t flags = msg.flags & ~LValueMsg::kFlagInteractive;
    const LMsgSourceID* sender = msg.Sender();
    auto from = [sender](LMsgSourceID& ref) { return sender == &ref; };
    if (from(WatchRef1)) {
        if (msg.handler != nullptr) {
            FollowSpreadFirst(*msg.handler, flags);
        }
    } else if (from(WatchRef2) || from(WatchRef3) || from(WatchRef4)) {
        FollowThreshold(flags);
    } else if (from(WatchRef5)) {
        FollowEntrySecond(flags);
    } else if (from(WatchRef6)) {
        FollowEntryCount(flags);
    } else if (from(ExclusiveSwitchRef)) {
        KeepOneSwitchOn(flags);
    }
}

void LCvtParsDependencyChecker::FollowSpreadFirst(LValueHandler& changed, uint32_t flags)
{
    const double d = Current(changed).GetDouble(kValueItem);
    const double first = *reference_.Real(kSpreadFirst);
    const double second = *reference_.Real(kSpreadSecond);
    const double third = *reference_.Real(kSpreadThird);
    Write(kSpreadFirst, d, flags);
    Write(kSpreadSecond, d + (second - first), flags);
    Write(kSpreadThird, d * (third / first), flags);
}

void LCvtParsDependencyChecker::FollowThreshold(uint32_t flags)
{
    const bool on = Current(Resolved(WatchRef2)).GetBool(kValueItem);
    const double x = Current(Resolved(WatchRef3)).GetDouble(kValueItem);
    const double y = Current(Resolved(WatchRef4)).GetDouble(kValueItem);
    // NaN is not at least the minimum: it takes the branch of the defaults.
    const bool high = x >= kThresholdMinimum;
    const double low = high ? kThresholdLowValue : x;
    const double value = high ? x : *reference_.Real(kThresholdValue);
    const bool enabled = high ? on : *reference_.Switch(kThresholdEnabled) != 0;
    Write(kThresholdSwitch, on, flags);
    Write(kThresholdEnabled, enabled, flags);
    Write(kThresholdLow, low, flags);
    Write(kThresholdValue, value, flags);
    Write(kThresholdAngle, y, flags);
    Write(kThresholdAngleCopy, y, flags);
}

void LCvtParsDependencyChecker::FollowEntrySecond(uint32_t flags)
{
    const double d = Current(Resolved(WatchRef5)).GetDouble(kValueItem);
    for (int32_t n : kEntrySeconds) {
        Write(n, d, flags);
    }
}

void LCvtParsDependencyChecker::FollowEntryCount(uint32_t flags)
{
    const int32_t count = Current(Resolved(WatchRef6)).GetInt(kValueItem);
    for (int32_t n : kEntryCounts) {
        Write(n, count, flags);
    }
}

void LCvtParsDependencyChecker::KeepOneSwitchOn(uint32_t flags)
{
    const SwitchState a = ReadSwitch(parameters_(kSwitchA));
    const SwitchState b = ReadSwitch(parameters_(kSwitchB));
    const SwitchState c = ReadSwitch(parameters_(kSwitchC));
    bool newB = b.current;
    bool newC = c.current;
    bool turnOffA = false;
    if (b.SwitchingOn()) {
        newC = false;
        turnOffA = true;
    } else if (c.SwitchingOn()) {
        newB = false;
        turnOffA = true;
    } else if (a.SwitchingOn()) {
        newB = false;
        newC = false;
    } else {
        return;
    }
    if (turnOffA && a.current) {
        Write(kSwitchA, false, flags);
    }
    if (newB != b.current) {
        Write(kSwitchB, newB, flags);
    }
    if (newC != c.current) {
        Write(kSwitchC, newC, flags);
    }
}

void LCvtParsDependencyChecker::Write(int32_t n, double value, uint32_t flags)
{
    LValueModifyMsgTo to(parameters_(n).AsReceiver());
    switch (CvtParDefinition(n).kind) {
    case CvtParKind::kSwitch:
        to.SendBool(flags, value != 0.0, kValueItem);
        break;
    case CvtParKind::kInteger:
        to.SendInt(flags, static_cast<int32_t>(value), kValueItem);
        break;
    default:
        to.SendDouble(flags, value, kValueItem);
        break;
    }
}
