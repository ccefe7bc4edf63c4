// The skinned frame's window style and its frame modes: 0 the skin or an ordinary window with
// caption and menu bar, 1 a thick frame without caption, 2 borderless, 3 borderless filling the
// screen. The decisions live here; the window layer turns the flags into decorations.
#pragma once

#include <cstdint>

struct SkinFrameStyle
{
    bool caption = true;
    bool thickFrame = true;
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool child = false; // a child of another window (the control's frame)
};

struct SkinFrameState
{
    bool hasWindow = false;
    SkinFrameStyle style;
    bool maximized = false; // maximised or in the window manager's full screen
    bool minimized = false;
    bool skin = true;
    bool skinMin = false;
    bool viewClientEdge = false;
    bool menuBar = false;
};

int32_t GetFrameMode(const SkinFrameState& state);
// Sets the style, client edge and menu bar of the mode; true when the window is then to be
// maximised (mode 3).
bool ApplyFrameMode(SkinFrameState& state, int32_t mode);

// Whether the frame paints a skin at all, and whether it paints the large one.
bool IsSkinDrawn(const SkinFrameState& state);
bool IsLargeSkin(const SkinFrameState& state);
// Whether the SkinMin strip is painted (a skin, but not the large one).
bool HasPlaybackStrip(const SkinFrameState& state);

// The band of our own that stands for a thick frame where no window manager draws one: mode 1's
// 4 pixels round the client, 0 otherwise.
int32_t OwnFrameBand(const SkinFrameState& state);
inline constexpr int32_t kOwnFrameBandWidth = 4;

// What Caption/Frame leads to: the skin flag and the mode to take.
struct CaptionFrameStep
{
    bool skin = false;
    int32_t mode = 0;
};
CaptionFrameStep NextCaptionFrameStep(const SkinFrameState& state);

// Whether the edges resize and the title moves the window.
bool IsResizable(const SkinFrameState& state);
bool IsMovable(const SkinFrameState& state);
