#include "shell/skin_frame_model.h"

#include "shell/skin_frame_hit.h"
#include "shell/skin_layout.h"

#include <algorithm>

namespace {

constexpr int32_t kNoShow = 1;
constexpr int32_t kStopped = 2;
constexpr int32_t kPlaying = 3;

} // namespace

SkinFrameModel::SkinFrameModel(SkinFrameHost& host) : host_(host)
{
}

const SkinElementTable& SkinFrameModel::Table() const
{
    const bool small = !state_.skin && state_.skinMin;
    return small ? SmallSkinElements() : LargeSkinElements();
}

void SkinFrameModel::Layout(int32_t clientWidth, int32_t clientHeight)
{
    SetEnabled(kSkinMinimize, state_.style.minimizeBox);
    SetEnabled(kSkinMaximize, state_.style.maximizeBox);
    SetEnabled(kSkinClose, state_.style.maximizeBox);
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    fillEndX_ = SliderFillEnd(Slider(), fill_);
    elements_[kSkinSeek].xOffset = SliderKnobX(Slider(), position_);
}

int32_t SkinFrameModel::ImageOf(int32_t element) const
{
    const int32_t image = elements_[element].image;
    return image != 0 ? image : element;
}

bool SkinFrameModel::IsPlaced(int32_t element) const
{
    return element >= kSkinFirstElement && element <= kSkinLastElement && Table().places[element].placed;
}

RasterRect SkinFrameModel::ElementRect(int32_t element) const
{
    if (!IsPlaced(element))
        return {};
    const SkinPlace& place = Table().places[element];
    const SkinImage& image = Table().images[ImageOf(element)];
    const CSkinElement& record = elements_[element];
    const int32_t x = ResolveSkinCoordinate(place.x, clientWidth_) + record.xOffset;
    const int32_t y = ResolveSkinCoordinate(place.y, clientHeight_) + record.yOffset;
    return {x, y, x + image.width, y + image.height};
}

int32_t SkinFrameModel::PaintedState(int32_t element) const
{
    if (element == hovered_)
        return element == pressed_ ? kSkinPressed : kSkinHover;
    return elements_[element].state == kSkinDisabled ? kSkinDisabled : kSkinNormal;
}

int32_t SkinFrameModel::HitElement(int32_t x, int32_t y) const
{
    if (!host_.IsWindowEnabled() || !IsSkinDrawn(state_))
        return kSkinNone;
    for (int32_t element = kSkinFirstElement; element <= kSkinLastElement; ++element) {
        if (elements_[element].state == kSkinDisabled || !IsPlaced(element))
            continue;
        if (EllipseHit(ElementRect(element), x, y))
            return element;
    }
    return SliderTrackHit(Slider(), x, y) ? kSkinTrack : kSkinNone;
}

SkinSliderGeometry SkinFrameModel::Slider() const
{
    return SliderGeometry(IsLargeSkin(state_), clientWidth_, clientHeight_);
}

RasterRect SkinFrameModel::SliderRect() const
{
    const SkinSliderGeometry slider = Slider();
    return {slider.x0, slider.y, std::max(slider.x1, slider.x0), slider.y + slider.height};
}

void SkinFrameModel::SetPlayState(int32_t state, bool moreThanOneShow, bool loaded, bool force)
{
    if (!force && state == playState_ && moreThanOneShow == moreThanOneShow_ && loaded == loaded_)
        return;
    playState_ = state;
    moreThanOneShow_ = moreThanOneShow;
    loaded_ = loaded;
    if (state == kNoShow || state == kStopped) {
        SetPosition(0.0f, state == kNoShow ? 0.0f : fill_);
        SetImage(kSkinPlay, kSkinPlay);
        SetEnabled(kSkinPlay, state != kNoShow);
        SetEnabled(kSkinStop, false);
        SetEnabled(kSkinSeek, state != kNoShow);
    } else {
        SetImage(kSkinPlay, state == kPlaying ? kSkinPause : kSkinPlay);
        SetEnabled(kSkinPlay, true);
        SetEnabled(kSkinStop, true);
        SetEnabled(kSkinSeek, loaded);
    }
    SetEnabled(kSkinPrevious, moreThanOneShow);
    SetEnabled(kSkinNext, moreThanOneShow);
    UpdateHover();
}

void SkinFrameModel::SetPosition(float position, float fill, bool force)
{
    if (!force && position == position_ && fill == fill_)
        return;
    position_ = position;
    fill_ = fill;
    const SkinSliderGeometry slider = Slider();
    const int32_t fillEnd = SliderFillEnd(slider, fill);
    const int32_t knobX = SliderKnobX(slider, position);
    if (!force && fillEnd == fillEndX_ && knobX == KnobX())
        return;
    fillEndX_ = fillEnd;
    elements_[kSkinSeek].xOffset = knobX;
    if (IsSkinDrawn(state_))
        host_.Repaint(SliderRect());
}

void SkinFrameModel::SetMute(bool muted)
{
    SetImage(kSkinMute, muted ? kSkinSoundOn : kSkinMute);
}

void SkinFrameModel::SetMaximized(bool maximized)
{
    SetImage(kSkinMaximize, maximized ? kSkinRestore : kSkinMaximize);
}

void SkinFrameModel::SetEnabled(int32_t element, bool enabled)
{
    const int32_t state = enabled ? kSkinNormal : kSkinDisabled;
    if (elements_[element].state == state)
        return;
    elements_[element].state = state;
    RepaintElement(element);
}

void SkinFrameModel::SetImage(int32_t element, int32_t image)
{
    if (ImageOf(element) == image)
        return;
    elements_[element].image = image == element ? 0 : image;
    RepaintElement(element);
    if (element == hovered_)
        host_.SetTooltip(SkinElementTooltip(image));
}

void SkinFrameModel::RepaintElement(int32_t element)
{
    if (IsPlaced(element) && IsSkinDrawn(state_))
        host_.Repaint(ElementRect(element));
}

void SkinFrameModel::OnButtonDown(int32_t button, int32_t x, int32_t y)
{
    if (buttonsDown_ == 0) {
        pressX_ = x;
        pressPosition_ = position_;
        pressed_ = HitElement(x, y);
        host_.CaptureMouse();
        if ((pressed_ == kSkinSeek || pressed_ == kSkinTrack) && host_.HasPreview()) {
            if (!host_.IsPreviewPaused() && host_.PausePreview())
                resumeAfterDrag_ = true;
            if (pressed_ == kSkinTrack) {
                // The knob's centre lands under the pointer.
                const SkinSliderGeometry slider = Slider();
                pressPosition_ = ClampFraction(SliderPositionAt(slider, x - slider.knobWidth / 2));
                host_.SeekPreview(pressPosition_);
                pressed_ = kSkinSeek;
            }
        }
    }
    buttonsDown_ |= button;
    UpdateHover();
    if (pressed_ == kSkinMenu && hovered_ == kSkinMenu) {
        // The menu takes the pointer while it is open, as a lost capture does.
        OnCaptureLost();
        host_.ShowPreviewContextMenu();
    }
}

void SkinFrameModel::OnMouseMove(int32_t x, int32_t y)
{
    if (!trackingLeave_) {
        trackingLeave_ = true;
        host_.TrackMouseLeave();
    }
    if (pressed_ == kSkinSeek && buttonsDown_ != 0) {
        const SkinSliderGeometry slider = Slider();
        host_.SeekPreview(SliderPositionAt(slider, x) - SliderPositionAt(slider, pressX_) + pressPosition_);
        return;
    }
    UpdateHover();
}

void SkinFrameModel::OnButtonUp(int32_t button, int32_t x, int32_t y)
{
    buttonsDown_ &= ~button;
    if (buttonsDown_ != 0)
        return;
    const int32_t released = pressed_ != kSkinNone && HitElement(x, y) == pressed_ ? pressed_ : kSkinNone;
    EndPress();
    RunReleaseAction(released);
}

void SkinFrameModel::OnCaptureLost()
{
    buttonsDown_ = 0;
    EndPress();
}

void SkinFrameModel::EndPress()
{
    pressed_ = kSkinNone;
    if (resumeAfterDrag_) {
        resumeAfterDrag_ = false;
        host_.PlayPreview();
    }
    host_.ReleaseMouse();
    UpdateHover();
}

void SkinFrameModel::OnMouseLeave()
{
    trackingLeave_ = false;
    UpdateHover();
}

void SkinFrameModel::OnRightButton()
{
    UpdateHover();
    OnCaptureLost();
    host_.ShowPreviewContextMenu();
}

void SkinFrameModel::UpdateHover()
{
    int32_t x = 0, y = 0;
    int32_t hovered = host_.PointerInWindow(x, y) ? HitElement(x, y) : kSkinNone;
    if (buttonsDown_ != 0 && hovered != pressed_)
        hovered = kSkinNone;
    if (hovered == hovered_)
        return;
    const int32_t previous = hovered_;
    hovered_ = hovered;
    RepaintElement(previous);
    RepaintElement(hovered);
    host_.SetTooltip(hovered == kSkinNone ? nullptr : SkinElementTooltip(ImageOf(hovered)));
}

void SkinFrameModel::RunReleaseAction(int32_t element)
{
    switch (element) {
    case kSkinOpenFile:
        host_.OpenPreviewFileDialog();
        break;
    case kSkinMinimize:
        host_.Minimize();
        break;
    case kSkinMaximize:
    case kSkinRestore:
        host_.ToggleMaximize();
        break;
    case kSkinClose:
        host_.PostClose();
        break;
    case kSkinPrevious:
        host_.PreviousFile();
        break;
    case kSkinStop:
        host_.StopPreview();
        break;
    case kSkinPlay:
    case kSkinPause:
        host_.TogglePlayPause();
        break;
    case kSkinNext:
        host_.NextFile();
        break;
    case kSkinMute:
    case kSkinSoundOn:
        host_.ToggleMute();
        break;
    default:
        break;
    }
}
