// The skinned frame without its window: style and frame mode, the elements and their states,
// the slider, play state, hover and the mouse's presses and drags. The window layer feeds it
// sizes, status and input and carries out what it asks of its host.
#pragma once

#include "shell/skin_elements.h"
#include "shell/skin_frame_host.h"
#include "shell/skin_frame_style.h"
#include "shell/skin_slider.h"

#include "platform/raster_bitmap.h"

#include <array>
#include <cstdint>

// Mouse buttons that press elements.
inline constexpr int32_t kSkinLeftButton = 1;
inline constexpr int32_t kSkinMiddleButton = 16;

class SkinFrameModel
{
  public:
    explicit SkinFrameModel(SkinFrameHost& host);

    SkinFrameState& State() { return state_; }
    const SkinFrameState& State() const { return state_; }

    // The element tables of the current skin flags.
    const SkinElementTable& Table() const;
    // The layout step: enables the window buttons by style and takes the client size.
    void Layout(int32_t clientWidth, int32_t clientHeight);
    int32_t ClientWidth() const { return clientWidth_; }
    int32_t ClientHeight() const { return clientHeight_; }

    const CSkinElement& Element(int32_t element) const { return elements_[element]; }
    // The element's image number and its rectangle on the client (empty when not placed).
    int32_t ImageOf(int32_t element) const;
    RasterRect ElementRect(int32_t element) const;
    bool IsPlaced(int32_t element) const;
    // The state an element is painted in.
    int32_t PaintedState(int32_t element) const;
    // The element under a client point, the track included; 0 for none.
    int32_t HitElement(int32_t x, int32_t y) const;

    SkinSliderGeometry Slider() const;
    int32_t FillEndX() const { return fillEndX_; }
    int32_t KnobX() const { return elements_[kSkinSeek].xOffset; }
    float Position() const { return position_; }
    float Fill() const { return fill_; }
    // The slider's rectangle on the client.
    RasterRect SliderRect() const;

    // Status from the preview.
    void SetPlayState(int32_t state, bool moreThanOneShow, bool loaded, bool force = false);
    // Repaints the slider only when a fraction changed and moved a pixel (or when forced).
    void SetPosition(float position, float fill, bool force = false);
    void SetMute(bool muted);
    // Element 4 shows "Restore" while the window is maximised.
    void SetMaximized(bool maximized);
    int32_t PlayState() const { return playState_; }

    // Mouse input in client coordinates.
    void OnButtonDown(int32_t button, int32_t x, int32_t y);
    void OnMouseMove(int32_t x, int32_t y);
    void OnButtonUp(int32_t button, int32_t x, int32_t y);
    void OnCaptureLost();
    void OnMouseLeave();
    void OnRightButton();
    void UpdateHover();
    int32_t Hovered() const { return hovered_; }
    int32_t Pressed() const { return pressed_; }

  private:
    void SetEnabled(int32_t element, bool enabled);
    void SetImage(int32_t element, int32_t image);
    void RepaintElement(int32_t element);
    void EndPress();
    void RunReleaseAction(int32_t element);

    SkinFrameHost& host_;
    SkinFrameState state_;
    int32_t clientWidth_ = 0;
    int32_t clientHeight_ = 0;
    std::array<CSkinElement, kSkinElementCount> elements_{};

    int32_t playState_ = 0;
    bool loaded_ = true;
    bool moreThanOneShow_ = false;
    float fill_ = 0.0f;
    float position_ = 0.0f;
    int32_t fillEndX_ = 0;

    bool trackingLeave_ = false;
    int32_t hovered_ = kSkinNone;
    int32_t buttonsDown_ = 0;
    int32_t pressed_ = kSkinNone;
    int32_t pressX_ = 0;
    float pressPosition_ = 0.0f;
    bool resumeAfterDrag_ = false;
};
