// What the timer loop draws over the picture: the size line with the graphics and scanner
// offsets, the status and message texts, the frame rates and the driver's lines.
#include "preview/l_beamvista.h"

#include "foundation/files/fs_name.h"
#include "foundation/strings/number_text.h"
#include "preview/status_text.h"
#include "show/laser_preview_stream.h"

#include <algorithm>
#include <climits>

#include <cmath>

namespace {

constexpr float kInfoTolerance = 1e-6f;
constexpr uint32_t kWhite = 0xffffff;
constexpr uint32_t kStatusColour = 255;
constexpr int32_t kRateWidth = 5;

bool DiffersFrom(float x, float y, float reference)
{
    return std::fabs(x - reference) > kInfoTolerance || std::fabs(y - reference) > kInfoTolerance;
}

void AppendLine(XAString& text, const XAString& line)
{
    if (!text.IsEmpty())
        text += "\r";
    text += line;
}

XAString RateText(float rate)
{
    return XAString::Format("%r", XAString::Format("%f", static_cast<double>(rate), 3, 1), kRateWidth);
}

} // namespace

void LBeamvista::DrawInfoLines()
{
    if (!showInfo_ || sizeShownAt_ == 0)
        return;
    AppendLine(overlayText2_, XAString::Format("%d x %d", viewportWidth_, viewportHeight_));
    const LBeamvistaPars& p = livePars_;
    if (DiffersFrom(p.o_graphics_size_x, p.o_graphics_size_y, 1))
        FormatInfoPair("Size", p.o_graphics_size_x, p.o_graphics_size_y);
    if (DiffersFrom(p.o_graphics_pos_x, p.o_graphics_pos_y, 0))
        FormatInfoPair("Pos", p.o_graphics_pos_x, p.o_graphics_pos_y);
    if (DiffersFrom(p.o_scanner_pos_x, p.o_scanner_pos_y, 0))
        FormatInfoPair("ScanPos", p.o_scanner_pos_x, p.o_scanner_pos_y);
}

void LBeamvista::FormatInfoPair(const char* label, float x, float y)
{
    char xText[kNumberTextSize];
    char yText[kNumberTextSize];
    FmtFloatFixed(xText, x, 1, 3, 0);
    FmtFloatFixed(yText, y, 1, 3, 0);
    overlayText2_ += XAString::Format("  %s: %s, %s", label, xText, yText);
}

void LBeamvista::DrawTextOverlays()
{
    DrawGlowMarks();
    const LBeamvistaPars& p = livePars_;
    const auto x0 = static_cast<int32_t>(1000 * p.p0x9009);
    const auto y0 = static_cast<int32_t>(1000 * p.p0x9010);
    int32_t top = 2 + y0;
    int32_t bottom = 4 + y0;
    if (!overlayText_.IsEmpty()) {
        DrawTextAt(4 + x0, top, overlayText_, kStatusColour, true);
        top += CountTextLines(overlayText_.CStr()) * LineHeight();
    }
    if (!messageText_.IsEmpty()) {
        DrawTextUp(4 + x0, bottom, messageText_, kWhite, true);
        bottom += CountTextLines(messageText_.CStr()) * LineHeight();
    }
    if (!showInfo_)
        return;
    frameClock_.CountLaserFrame();
    if (showPcFps_)
        DrawTextRight(2 + x0, 4 + y0, RateText(frameClock_.pcFps), kWhite, true);
    if (showLaserFps_ && frameClock_.laserFps > 0)
        DrawTextUp(4 + x0, bottom, RateText(frameClock_.laserFps), kWhite, true);
    if (glInfoLineCount_ > 0)
        AppendLine(overlayText2_, glInfoLine1_);
    if (glInfoLineCount_ > 1)
        AppendLine(overlayText2_, glInfoLine2_);
    if (!overlayText2_.IsEmpty())
        DrawTextAt(4 + x0, top, overlayText2_, kWhite, true);
}

void LBeamvista::ComposeStatusText(LLaserPreviewStream& stream, int64_t time)
{
    StatusFacts facts;
    facts.timecodeLine = showInfo_ && showTimecode_;
    facts.soundLine = showSoundInfo_;
    facts.loadLine = showLoadInfo_;
    facts.time = time;
    facts.name = XAFsName(playback_.CurrentPath()).FileNamePart();
    facts.entry = playback_.CurrentIndex();
    facts.entries = playback_.EntryCount();
    facts.paused = playback_.IsPaused();
    facts.muted = playback_.IsMuted();
    LAudioPump& sound = playback_.Sound();
    facts.hasSound = stream.TotalSoundBytes() > 0;
    facts.rate = sound.TrackRate();
    facts.channels = sound.TrackChannels();
    facts.bitrate = sound.TrackBitrate();
    facts.showBytes = stream.AvailableBytes();
    facts.soundOutput = sound.HasBuffer();
    int64_t played = 0;
    int64_t written = 0;
    if (facts.soundOutput && sound.Output().GetCounters(played, written))
        facts.queuedSoundBytes = static_cast<int32_t>(std::clamp<int64_t>(written - played, 0, INT32_MAX));
    AppendStatusText(overlayText_, facts);
}

XAString LBeamvista::ExportBaseName()
{
    int64_t time = 0;
    if (ShowStreamAt(time) == nullptr)
        return XAString();
    return ExportNameOf(XAFsName(playback_.CurrentPath()).FileTitle(), time);
}
