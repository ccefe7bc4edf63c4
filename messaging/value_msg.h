#pragma once
// LValueMsg: base of the value messages. Besides the change flags that every message a change
// gives rise to carries along, it holds the outcome of the send: a CError and the character
// position in the sent text at which parsing failed (-1 when none).
//
// Result rules: once the message is done nothing changes; a warning or an error is recorded only
// over ok or a warning (an error replaces a warning, a warning never replaces one); an incoming
// error sets the done flag, which stops a distributor before its next receiver.

#include "foundation/errors/c_error.h"
#include "messaging/msg.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

class LValueMsg : public LMsg
{
  public:
    // Bits of the flags word; all other bits are carried along unchanged.
    static constexpr uint32_t kFlagFromControl = 0x1; // set by the interactive controls
    static constexpr uint32_t kFlagInteractive = 0x8; // observers recompute and send without it
    static constexpr uint32_t kFlagReclamp = 0x400;   // bring the value into new limits at once
    static constexpr uint32_t kFlagFineStep = 0x1000; // a step count uses the fine step
    static constexpr uint32_t kFlagQuiet = 0x10000;   // clamp and cut without errors; re-clamp
    static constexpr uint32_t kFlagsRecordWrite = kFlagQuiet | kFlagReclamp;

    explicit LValueMsg(uint32_t flags = 0) noexcept : flags(flags) {}
    // Copies flags, error position and result; the copy is not done and has no sender.
    LValueMsg(const LValueMsg& other) = default;

    // Records a result by the rules above, with its error position.
    void SetResult(const CError& result, int32_t errorPos);
    // Records an error holding the text.
    void SetError(const XAString& text, int32_t errorPos);

    const CError& Result() const noexcept { return result_; }
    int32_t ErrorPos() const noexcept { return errorPos_; }

    uint32_t flags;

  private:
    static constexpr int32_t kNoErrorPos = -1;

    int32_t errorPos_ = kNoErrorPos;
    CError result_;
};
