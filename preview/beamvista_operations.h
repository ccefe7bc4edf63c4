// LBeamvistaOperations: what the preview's keys, mouse gestures and context menu ask of the
// preview. The input logic works over this interface alone, so that a test's fake can record
// every call with its arguments; the preview's own implementation forwards to its members.
#pragma once

#include "platform/ui_geometry.h"

#include <cstdint>

class LBeamvistaOperations
{
  public:
    virtual ~LBeamvistaOperations() = default;

    // State the tables ask.
    virtual int32_t ShowCount() const = 0;
    virtual int32_t CurrentIndex() const = 0;
    virtual bool IsFullScreen() const = 0;
    virtual bool IsChildWindow() const = 0;
    virtual UiSize ClientSize() const = 0;
    // Centiseconds of the system clock, never 0.
    virtual int32_t NowCs() const = 0;

    // Show list and playback. OpenEntry goes forwards, reports failures, needs no data and
    // treats the show as complete; index -1 is the last entry.
    virtual void OpenEntry(int32_t index) = 0;
    virtual void Navigate(uint32_t how) = 0;
    virtual void OpenFileDialog(bool append) = 0;
    virtual void CloseCurrentEntry() = 0;
    virtual void CloseAllCommand() = 0;
    virtual void TogglePlayPause() = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // Relative to the play position, not clamped, without keeping the pause.
    virtual void SeekBy(int64_t microseconds) = 0;
    virtual void ToggleMute() = 0;

    // Window.
    virtual void ToggleFullScreen() = 0;
    virtual void ToggleCaptionFrame() = 0;
    // True when it succeeded.
    virtual bool ToggleTopMost() = 0;
    virtual void SetClientSize(int32_t width, int32_t height) = 0;
    // Shows at least one line of driver information and re-creates the window, which reads the
    // driver's texts again.
    virtual void ShowGlInfoAndRecreate() = 0;
    // Driver information lines 0 -> 1 -> 2 -> 0.
    virtual void CycleGlInfoLines() = 0;
    virtual void CaptureMouse(bool capture) = 0;
    virtual bool CursorHidden() const = 0;
    virtual void WakeCursor() = 0;

    // Display switches: the information lines as the I key toggles them with these modifiers.
    virtual void ToggleInfoLines(uint32_t modifiers) = 0;
    virtual void ToggleLoadInfo() = 0;
    virtual void ToggleSoundInfo() = 0;
    // The information lines stay up a second from now (a size or position just changed).
    virtual void MarkSizeShown() = 0;

    // Frame sequence of the renderer.
    virtual bool HasSequenceFrames() const = 0;
    virtual void EmptySequence() = 0;
    // Moves its cursor n items, wrapping at both ends.
    virtual void StepSequence(int32_t items) = 0;

    // Commands, presets, clipboard and dialogs.
    virtual void ShowContextMenu() = 0;
    virtual void ShowPlaybackBar() = 0;
    virtual void ShowParameterDialog() = 0;
    virtual void ResetParameters(bool fromShow) = 0;
    virtual void ExportPictures(bool allSizes) = 0;
    virtual void CopyImage() = 0;
    virtual void CutImage() = 0;
    virtual void PasteImage() = 0;
    virtual void ResetFog() = 0;
    virtual void StepFog(float step) = 0;
    virtual void ResetGraphics() = 0;
    virtual void StepGraphics(float step) = 0;
    virtual void ResetLineWidth() = 0;
    virtual void StepLineWidth(float step) = 0;
    virtual void ResetCloudMix() = 0;
    virtual void StepCloudMix(float step) = 0;
};
