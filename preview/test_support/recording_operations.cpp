#include "preview/test_support/recording_operations.h"

#include "platform/ui_input.h"

#include <cstdio>

std::string RecordingOperations::ModifierNames(uint32_t modifiers)
{
    std::string names;
    const auto add = [&](uint32_t bit, const char* name) {
        if ((modifiers & bit) != 0)
            names += names.empty() ? name : std::string("+") + name;
    };
    add(kUiCtrl, "Ctrl");
    add(kUiShift, "Shift");
    add(kUiAlt, "Alt");
    return names.empty() ? "none" : names;
}

void RecordingOperations::Navigate(uint32_t how)
{
    char text[32];
    std::snprintf(text, sizeof text, "Navigate(0x%X)", how);
    Record(text);
}

void RecordingOperations::RecordStep(const char* name, float step)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s(%g)", name, static_cast<double>(step));
    Record(text);
}

std::string RecordingOperations::Take()
{
    std::string joined;
    for (const std::string& call : calls)
        joined += (joined.empty() ? "" : ", ") + call;
    calls.clear();
    return joined;
}
