// The preview's own side of LBeamvistaOperations: each operation its keys, gestures and context
// menu ask for, carried out by the preview's members.
#pragma once

#include "preview/beamvista_operations.h"

class LBeamvista;

class LBeamvistaInputHost final : public LBeamvistaOperations
{
  public:
    explicit LBeamvistaInputHost(LBeamvista& preview) : preview_(preview) {}

    int32_t ShowCount() const override;
    int32_t CurrentIndex() const override;
    bool IsFullScreen() const override;
    bool IsChildWindow() const override;
    UiSize ClientSize() const override;
    int32_t NowCs() const override;

    void OpenEntry(int32_t index) override;
    void Navigate(uint32_t how) override;
    void OpenFileDialog(bool append) override;
    void CloseCurrentEntry() override;
    void CloseAllCommand() override;
    void TogglePlayPause() override;
    void Play() override;
    void Pause() override;
    void SeekBy(int64_t microseconds) override;
    void ToggleMute() override;

    void ToggleFullScreen() override;
    void ToggleCaptionFrame() override;
    bool ToggleTopMost() override;
    void SetClientSize(int32_t width, int32_t height) override;
    void ShowGlInfoAndRecreate() override;
    void CycleGlInfoLines() override;
    void CaptureMouse(bool capture) override;
    bool CursorHidden() const override;
    void WakeCursor() override;

    void ToggleInfoLines(uint32_t modifiers) override;
    void ToggleLoadInfo() override;
    void ToggleSoundInfo() override;
    void MarkSizeShown() override;

    bool HasSequenceFrames() const override;
    void EmptySequence() override;
    void StepSequence(int32_t items) override;

    void ShowContextMenu() override;
    void ShowPlaybackBar() override;
    void ShowParameterDialog() override;
    void ResetParameters(bool fromShow) override;
    void ExportPictures(bool allSizes) override;
    void CopyImage() override;
    void CutImage() override;
    void PasteImage() override;
    void ResetFog() override;
    void StepFog(float step) override;
    void ResetGraphics() override;
    void StepGraphics(float step) override;
    void ResetLineWidth() override;
    void StepLineWidth(float step) override;
    void ResetCloudMix() override;
    void StepCloudMix(float step) override;

  private:
    LBeamvista& preview_;
};
