// The playback bar's window as the toolkit makes it: a small modeless dialog laid out from
// template 2202 with a slider and six buttons. The preview's bar object drives it through this
// interface and hears it through the sink; the deliverable puts the toolkit's factory in place.
#pragma once

#include "platform/ui_window_id.h"
#include "preview/playback_bar_model.h"

#include <cstdint>

// What the window reports. Every call comes on the GUI thread, from the window's own events.
class PlaybackBarSink
{
  public:
    // A mouse button went down on a button.
    virtual void OnBarButtonPressed(PlaybackBarButton button) = 0;
    virtual void OnBarButtonClicked(PlaybackBarButton button) = 0;
    // After the click that ends a mouse press, or after a release elsewhere.
    virtual void OnBarButtonReleased(PlaybackBarButton button) = 0;
    // Any move of the slider by the user, with its new position (0..1024).
    virtual void OnBarSliderMoved(int32_t position) = 0;
    // The window's 100 ms timer, which runs while the window exists.
    virtual void OnBarTimer() = 0;
    // The window is gone (also with its parent); it is never touched again.
    virtual void OnBarWindowDestroyed() = 0;

  protected:
    ~PlaybackBarSink() = default;
};

class PlaybackBarWindow
{
  public:
    virtual void SetCaption(const char* title) = 0;
    virtual void SetSliderValue(int32_t value) = 0;
    virtual void SetEnables(const PlaybackBarEnables& enables) = 0;
    // The button is drawn pressed: the mouse holds it down and the pointer is over it.
    virtual bool IsShownPressed(PlaybackBarButton button) = 0;
    // Shows the window above the others.
    virtual void ShowOnTop() = 0;
    // Destroys the window; the sink hears nothing more.
    virtual void Dispose() = 0;

  protected:
    ~PlaybackBarWindow() = default;
};

class PlaybackBarFactory
{
  public:
    virtual ~PlaybackBarFactory() = default;
    // A new hidden bar over parent (null: no parent) whose slider shows sliderValue; null on
    // failure. The sink is set before the window sends anything.
    virtual PlaybackBarWindow* Create(UiWindowId parent, int32_t sliderValue, PlaybackBarSink* sink) = 0;
};

// The factory in place; null when none is (the bar cannot be made then).
PlaybackBarFactory* CurrentPlaybackBarFactory();
// Puts `factory` in place and returns the one before; the caller keeps it alive meanwhile.
PlaybackBarFactory* SetPlaybackBarFactory(PlaybackBarFactory* factory);
