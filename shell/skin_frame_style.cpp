#include "shell/skin_frame_style.h"

int32_t GetFrameMode(const SkinFrameState& state)
{
    const SkinFrameStyle& style = state.style;
    if (!state.hasWindow || style.caption || (state.skin && style.thickFrame))
        return 0;
    if (style.thickFrame)
        return 1;
    return state.maximized ? 3 : 2;
}

bool ApplyFrameMode(SkinFrameState& state, int32_t mode)
{
    SkinFrameStyle& style = state.style;
    switch (mode) {
    case 1:
        state.viewClientEdge = !state.skin;
        style.caption = false;
        style.thickFrame = true;
        state.menuBar = false;
        return false;
    case 2:
    case 3:
        state.viewClientEdge = false;
        style.caption = false;
        style.thickFrame = false;
        state.menuBar = false;
        return mode == 3;
    default:
        state.viewClientEdge = !state.skin;
        state.menuBar = !state.skin;
        style.caption = !state.skin;
        style.thickFrame = true;
        return false;
    }
}

bool IsSkinDrawn(const SkinFrameState& state)
{
    const SkinFrameStyle& style = state.style;
    if (!state.hasWindow || !(state.skin || state.skinMin))
        return false;
    return !(state.skin && state.maximized && !style.caption && !style.thickFrame);
}

bool IsLargeSkin(const SkinFrameState& state)
{
    return state.skin && IsSkinDrawn(state);
}

bool HasPlaybackStrip(const SkinFrameState& state)
{
    return IsSkinDrawn(state) && !state.skin;
}

int32_t OwnFrameBand(const SkinFrameState& state)
{
    const bool band = state.hasWindow && state.style.thickFrame && !state.style.caption && !IsLargeSkin(state);
    return band ? kOwnFrameBandWidth : 0;
}

CaptionFrameStep NextCaptionFrameStep(const SkinFrameState& state)
{
    if (state.skin)
        return {false, 0};
    switch (GetFrameMode(state)) {
    case 0:
        return {false, 1};
    case 1:
        return {false, 2};
    default:
        return {true, 0};
    }
}

bool IsResizable(const SkinFrameState& state)
{
    return state.skin ? !state.style.child : state.style.thickFrame;
}

bool IsMovable(const SkinFrameState& state)
{
    return state.skin ? !state.style.child : state.style.caption || state.style.thickFrame;
}
