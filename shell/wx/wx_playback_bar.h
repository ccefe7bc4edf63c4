// The playback bar's window in the toolkit: a modeless dialog with a slider and six buttons laid
// out from template 2202 in dialog units, stretchable sideways only. Closing or Escape hides it.
#pragma once

#include "preview/playback_bar_window.h"

class WxPlaybackBarFactory final : public PlaybackBarFactory
{
  public:
    PlaybackBarWindow* Create(UiWindowId parent, int32_t sliderValue, PlaybackBarSink* sink) override;
};

// Puts the toolkit's playback bar factory in place for the process.
void InstallWxPlaybackBar();
