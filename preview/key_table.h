// The preview's keys: a table of rows per key, each a modifier test, a condition on the show
// list or the window, and the operation with its arguments. A key's rows are tried in order and
// the first whose modifiers match decides: when its condition fails the key is not handled.
#pragma once

#include "preview/beamvista_operations.h"

#include <cstdint>
#include <span>

enum class KeyCondition {
    Always,
    TwoShows,   // the show list holds two entries or more
    AnyShow,    // the show list is not empty
    FullScreen, // the preview is in its own full screen
    TopLevel,   // the preview's window is not a child
};

enum class KeyOperation {
    TogglePlayPause,
    ToggleFullScreen,
    OpenFirst,
    OpenPrevious,
    OpenNext,
    OpenLast,
    Navigate,       // number: the navigation bits
    OpenFileDialog, // number: 1 appends to the list
    CloseCurrentEntry,
    CloseAllCommand,
    ExportPictures, // number: 1 all sizes
    CopyImage,
    CutImage,
    PasteImage,
    ResetCloudMix,
    StepCloudMix, // step
    ShowPlaybackBar,
    ToggleLoadInfo,
    ResetFog,
    StepFog, // step
    ShowGlInfoAndRecreate,
    CycleGlInfoLines,
    ResetGraphics,
    StepGraphics, // step
    ShowContextMenu,
    ToggleInfoLines,
    ResetLineWidth,
    StepLineWidth, // step
    ToggleCaptionFrame,
    ToggleMute,
    ShowParameterDialog,
    ResetParameters, // number: 1 from the show's settings
    ToggleTopMost,
    ToggleSoundInfo,
    SetClientSize, // number x number2
};

struct KeyRow
{
    int32_t key;
    // Modifiers that must be held, and modifiers that must not be.
    uint32_t held;
    uint32_t notHeld;
    KeyCondition condition;
    KeyOperation operation;
    int32_t number = 0;
    int32_t number2 = 0;
    float step = 0;
};

std::span<const KeyRow> PreviewKeyTable();

// The row that decides the key under these modifiers; null when no row matches.
const KeyRow* FindKeyRow(int32_t virtualKey, uint32_t modifiers);

// Key-down as the preview takes it without Alt, or with Ctrl and Alt. True when handled.
bool RunKeyDown(LBeamvistaOperations& preview, int32_t virtualKey, uint32_t modifiers);
// Key-down with Alt and without Ctrl (a system key).
bool RunSysKeyDown(LBeamvistaOperations& preview, int32_t virtualKey, uint32_t modifiers);
// Whether a key with these modifiers is a system key.
bool IsSystemKey(uint32_t modifiers);
