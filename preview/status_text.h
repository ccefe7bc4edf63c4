// The status lines that the show step writes over the picture: the timecode and name of the open
// show with its place in the list and its state, the sound format, and the byte counts.
#pragma once

#include "foundation/strings/xa_string.h"

#include <cstdint>

struct StatusFacts
{
    bool timecodeLine = false; // the information display and its timecode line are on
    bool soundLine = false;
    bool loadLine = false;
    int64_t time = 0; // µs
    XAString name;
    int32_t entry = 0; // from 0
    int32_t entries = 0;
    bool paused = false;
    bool muted = false;
    bool hasSound = false;
    int32_t rate = 0;
    int32_t channels = 0;
    int32_t bitrate = 0; // bits per second
    int32_t showBytes = 0;
    bool soundOutput = false;
    int32_t queuedSoundBytes = 0; // written but not yet played
};

// Frames of 40 ms, held to the 32-bit range of the timecode.
int32_t TimecodeFrames(int64_t time);
// Appended to text (after "\r" when it is not empty).
void AppendStatusText(XAString& text, const StatusFacts& facts);
// The file title, "-", the timecode without blanks and with ":" and "," as ".".
XAString ExportNameOf(const XAString& fileTitle, int64_t time);
