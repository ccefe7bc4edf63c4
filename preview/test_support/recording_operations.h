// An LBeamvistaOperations that records each call with its arguments ("OpenEntry(2)",
// "StepFog(-0.1)", "Navigate(0x48)") and answers the state questions from plain fields.
#pragma once

#include "preview/beamvista_operations.h"

#include <string>
#include <vector>

class RecordingOperations final : public LBeamvistaOperations
{
  public:
    // "Ctrl+Shift+Alt" for the held modifiers, "none" for none.
    static std::string ModifierNames(uint32_t modifiers);

    int32_t ShowCount() const override { return showCount; }
    int32_t CurrentIndex() const override { return currentIndex; }
    bool IsFullScreen() const override { return fullScreen; }
    bool IsChildWindow() const override { return childWindow; }
    UiSize ClientSize() const override { return clientSize; }
    int32_t NowCs() const override { return nowCs; }

    void OpenEntry(int32_t index) override { Record("OpenEntry(" + std::to_string(index) + ")"); }
    void Navigate(uint32_t how) override;
    void OpenFileDialog(bool append) override
    {
        Record(append ? "OpenFileDialog(append)" : "OpenFileDialog");
    }
    void CloseCurrentEntry() override { Record("CloseCurrentEntry"); }
    void CloseAllCommand() override { Record("CloseAllCommand"); }
    void TogglePlayPause() override { Record("TogglePlayPause"); }
    void Play() override { Record("Play"); }
    void Pause() override { Record("Pause"); }
    void SeekBy(int64_t microseconds) override { Record("SeekBy(" + std::to_string(microseconds) + ")"); }
    void ToggleMute() override { Record("ToggleMute"); }

    void ToggleFullScreen() override { Record("ToggleFullScreen"); }
    void ToggleCaptionFrame() override { Record("ToggleCaptionFrame"); }
    bool ToggleTopMost() override
    {
        Record("ToggleTopMost");
        return topMostSucceeds;
    }
    void SetClientSize(int32_t width, int32_t height) override
    {
        Record("SetClientSize(" + std::to_string(width) + "x" + std::to_string(height) + ")");
    }
    void ShowGlInfoAndRecreate() override { Record("ShowGlInfoAndRecreate"); }
    void CycleGlInfoLines() override { Record("CycleGlInfoLines"); }
    void CaptureMouse(bool capture) override { Record(capture ? "Capture" : "ReleaseCapture"); }
    bool CursorHidden() const override { return cursorHidden; }
    void WakeCursor() override
    {
        if (recordCursorWakes)
            Record("WakeCursor");
    }

    void ToggleInfoLines(uint32_t modifiers) override
    {
        Record("ToggleInfoLines(" + ModifierNames(modifiers) + ")");
    }
    void ToggleLoadInfo() override { Record("ToggleLoadInfo"); }
    void ToggleSoundInfo() override { Record("ToggleSoundInfo"); }
    void MarkSizeShown() override { Record("MarkSizeShown"); }

    bool HasSequenceFrames() const override { return sequenceFrames; }
    void EmptySequence() override { Record("EmptySequence"); }
    void StepSequence(int32_t items) override { Record("StepSequence(" + std::to_string(items) + ")"); }

    void ShowContextMenu() override { Record("ShowContextMenu"); }
    void ShowPlaybackBar() override { Record("ShowPlaybackBar"); }
    void ShowParameterDialog() override { Record("ShowParameterDialog"); }
    void ResetParameters(bool fromShow) override
    {
        Record(fromShow ? "ResetParameters(show)" : "ResetParameters(generic)");
    }
    void ExportPictures(bool allSizes) override
    {
        Record(allSizes ? "ExportPictures(all)" : "ExportPictures(current)");
    }
    void CopyImage() override { Record("CopyImage"); }
    void CutImage() override { Record("CutImage"); }
    void PasteImage() override { Record("PasteImage"); }
    void ResetFog() override { Record("ResetFog"); }
    void StepFog(float step) override { RecordStep("StepFog", step); }
    void ResetGraphics() override { Record("ResetGraphics"); }
    void StepGraphics(float step) override { RecordStep("StepGraphics", step); }
    void ResetLineWidth() override { Record("ResetLineWidth"); }
    void StepLineWidth(float step) override { RecordStep("StepLineWidth", step); }
    void ResetCloudMix() override { Record("ResetCloudMix"); }
    void StepCloudMix(float step) override { RecordStep("StepCloudMix", step); }

    // The calls so far, joined by ", ", and forgotten.
    std::string Take();

    int32_t showCount = 0;
    int32_t currentIndex = -1;
    bool fullScreen = false;
    bool childWindow = true;
    UiSize clientSize{640, 480};
    int32_t nowCs = 1000;
    bool topMostSucceeds = true;
    bool cursorHidden = false;
    // Every move of more than two pixels wakes the cursor; tests of other things leave it out.
    bool recordCursorWakes = true;
    bool sequenceFrames = false;
    std::vector<std::string> calls;

  private:
    void Record(std::string call) { calls.push_back(std::move(call)); }
    void RecordStep(const char* name, float step);
};
