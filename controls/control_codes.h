// The codes that the controls put into their modify messages: 0x10000 + phase x 0x100 + source,
// plus the fine-step bit. Receivers that react only to user changes test the control bit 0x8,
// which every source below carries.
#pragma once

#include <cstdint>

enum ControlPhase : uint32_t {
    kPhaseContinue = 2, // a further message of a running gesture
    kPhaseOpen = 3,     // the first message of a drag, an auto-repeat or a run of typing
    kPhaseEnd = 4,      // the last message of a gesture, or a one-shot action
    kPhaseReset = 7,    // back to the default
};

enum ControlSource : uint32_t {
    kSourceClick = 0x8,
    kSourceSpin = 0x9, // a spin button or a drag
    kSourceText = 0xC, // the text of an edit field and its page keys
};

inline constexpr uint32_t kControlCodeFine = 0x1000;

constexpr uint32_t ControlCode(ControlPhase phase, ControlSource source, bool fine = false)
{
    return 0x10000 + phase * 0x100 + source + (fine ? kControlCodeFine : 0);
}

inline constexpr uint32_t kCodeClick = ControlCode(kPhaseEnd, kSourceClick);
inline constexpr uint32_t kCodeResetToDefault = ControlCode(kPhaseReset, kSourceClick);
