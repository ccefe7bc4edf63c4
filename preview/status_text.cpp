#include "preview/status_text.h"

#include "foundation/text/timecode.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t kTimecodeFrameUs = 40000;
constexpr int32_t kTimecodeColumns = 11;
constexpr int32_t kStereo = 2;
constexpr int32_t kKilo = 1000;

void AppendLine(XAString& text, const XAString& line)
{
    if (!text.IsEmpty())
        text += "\r";
    text += line;
}

} // namespace

int32_t TimecodeFrames(int64_t time)
{
    const int64_t frames = time / kTimecodeFrameUs;
    return static_cast<int32_t>(std::clamp<int64_t>(frames, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

void AppendStatusText(XAString& text, const StatusFacts& f)
{
    if (f.timecodeLine)
        AppendLine(text, XAString::Format("%l %s", XAString(TimecodeText(TimecodeFrames(f.time))),
                                          kTimecodeColumns, f.name));
    if (f.timecodeLine && f.entries > 1)
        text += XAString::Format(" (%d of %d)", f.entry + 1, f.entries);
    if (f.paused)
        text += " PAUSED";
    else if (f.muted)
        text += " MUTED";
    if (f.hasSound && f.soundLine)
        AppendLine(text, XAString::Format("%d %s %d Kbit", f.rate, f.channels < kStereo ? "Mono" : "Stereo",
                                          f.bitrate / kKilo));
    if (f.loadLine) {
        text += XAString::Format("  %k", f.showBytes);
        if (f.soundOutput)
            text += XAString::Format(" %k", f.queuedSoundBytes);
    }
}

XAString ExportNameOf(const XAString& fileTitle, int64_t time)
{
    const XAString code = XAString(TimecodeText(TimecodeFrames(time))).Trim(true, true);
    return fileTitle + "-" + code.Replace(":", ".").Replace(",", ".");
}
