#pragma once

// Show timecode text: hours, minutes, seconds and frames at 25 frames per second.

#include <cstdint>

constexpr int32_t kTimecodeFramesPerSecond = 25;

// Enough for the hours of the largest frame count ("23860:..."), the rest and the terminator.
constexpr int32_t kTimecodeTextSize = 16;

// "H:MM:SS,FF" with the hours in two places (a blank before a single digit; 100 hours and more
// take as many digits as they need); "--:--:--,--" for a negative count. The buffer holds
// kTimecodeTextSize bytes.
void FormatTimecode(int32_t frames, char* buffer);

// FormatTimecode into a buffer of the calling thread, valid until that thread's next call.
const char* TimecodeText(int32_t frames);
