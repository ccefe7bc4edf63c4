#include "foundation/text/timecode.h"

#include <algorithm>
#include <cstring>

#include "foundation/strings/number_text.h"

namespace {

constexpr int32_t kFramesPerMinute = kTimecodeFramesPerSecond * 60;
constexpr int32_t kFramesPerHour = kFramesPerMinute * 60;
constexpr char kNoTimecode[] = "--:--:--,--";

int32_t DecimalDigitCount(int32_t value)
{
    int32_t digits = 1;
    for (; value >= 10; value /= 10) {
        ++digits;
    }
    return digits;
}

// Two digits with a leading zero, then the separator; returns the position after it.
char* WriteTwoDigits(char* out, int32_t value, char separator)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    out[2] = separator;
    return out + 3;
}

} // namespace

void FormatTimecode(int32_t frames, char* buffer)
{
    if (frames < 0) {
        std::memcpy(buffer, kNoTimecode, sizeof kNoTimecode);
        return;
    }
    const int32_t hours = frames / kFramesPerHour;
    const int32_t hourWidth = std::max(2, DecimalDigitCount(hours));
    FmtIntRight(buffer, hours, hourWidth);
    char* out = buffer + hourWidth;
    *out++ = ':';
    out = WriteTwoDigits(out, frames % kFramesPerHour / kFramesPerMinute, ':');
    out = WriteTwoDigits(out, frames % kFramesPerMinute / kTimecodeFramesPerSecond, ',');
    out = WriteTwoDigits(out, frames % kTimecodeFramesPerSecond, 0);
}

const char* TimecodeText(int32_t frames)
{
    thread_local char text[kTimecodeTextSize];
    FormatTimecode(frames, text);
    return text;
}
