#include "controls/l_dialog_manager.h"

#include "controls/control_painter.h"
#include "controls/global_overrides_for_controls.h"

#include <algorithm>

namespace {

// The frame of an expanded panel lies this far inside its header's row.
constexpr int32_t kHeaderGap = 5;
constexpr int32_t kHeaderLeft = 10;
constexpr int32_t kHeaderWidthLess = 12;
constexpr int32_t kPanelGapBelow = 3;
constexpr int32_t kVisibleMargin = 2;
constexpr int32_t kFrameWidthMore = 5;
// A font taller than this (its character height, negated) raises the caption height.
constexpr int32_t kCaptionFontPadding = 7;

int32_t Height(const RasterRect& rect)
{
    return rect.bottom - rect.top;
}

int32_t Width(const RasterRect& rect)
{
    return rect.right - rect.left;
}

} // namespace

LDialogManager::~LDialogManager()
{
    ReleaseEntries();
}

bool LDialogManager::AddDialog(const std::shared_ptr<LDialog>& panel, int32_t templateId,
                               const std::string& title, bool expanded)
{
    if (!panel || !Window())
        return false;
    captionHeight_ = std::max(captionHeight_, kCaptionFontPadding - Window()->FontHeight());
    const bool first = entries_.empty();
    auto header = std::make_shared<LCaptionButton>();
    if (!header->Create(title, this, expanded, first))
        return false;
    if (templateId >= 0 && !panel->Create(templateId, Window()))
        return false;
    if (!panel->Window())
        return false;
    panel->Window()->MoveAfterInTabOrder(*header->Window());
    header->SetExtraHeight(Height(panel->Window()->Rect()) + 1);
    entries_.push_back({panel, header});
    widestPanelWidth_ = std::max(widestPanelWidth_, Width(panel->Window()->Rect()));
    UpdateLayout();
    return true;
}

void LDialogManager::UpdateLayout()
{
    if (!Window())
        return;
    int32_t y = -scrollPosition_;
    for (const Entry& entry : entries_) {
        y += kHeaderGap;
        if (ControlWindow* header = entry.header->Window())
            header->Move(
                {kHeaderLeft, y, kHeaderLeft + widestPanelWidth_ - kHeaderWidthLess, y + captionHeight_},
                true);
        y += captionHeight_;
        ControlWindow* panel = entry.panel->Window();
        if (!panel)
            continue;
        if (entry.header->IsExpanded()) {
            const RasterRect rect = panel->Rect();
            const int32_t x = (widestPanelWidth_ - Width(rect) + 8) / 2;
            panel->Move({x, y + 1, x + Width(rect), y + 1 + Height(rect)}, false);
            panel->Show(true);
            panel->Invalidate();
            y += Height(rect) + kPanelGapBelow;
        } else {
            panel->Show(false);
        }
    }
    contentHeight_ = y + scrollPosition_;
    Window()->Invalidate();
    UpdateScrollBar();
}

void LDialogManager::ScrollBy(int32_t dy)
{
    if (!autoScroll_ || dy == 0 || !Window())
        return;
    const int32_t old = scrollPosition_;
    if (dy < 0) {
        const int32_t d = std::min(-dy, scrollPosition_);
        if (d == 0)
            return;
        scrollPosition_ -= d;
    } else {
        const int32_t client = ClientHeight();
        if (contentHeight_ < scrollPosition_ + client + dy)
            dy = contentHeight_ - scrollPosition_ - client;
        if (dy <= 0)
            return;
        scrollPosition_ += dy;
    }
    MoveContent(old, scrollPosition_);
    UpdateScrollBar();
}

void LDialogManager::UpdateScrollBar()
{
    if (!Window())
        return;
    const int32_t page = ClientHeight();
    const int32_t maximum = std::max(std::max(contentHeight_, scrollPosition_ + page) - 1, page - 1);
    Window()->SetScrollBar(maximum, page, scrollPosition_);
}

int32_t LDialogManager::GetPreferredWidth() const
{
    const int32_t scrollBar = Window() ? Window()->ScrollBarWidth() : 0;
    return widestPanelWidth_ + kDialogFrameWidth + scrollBar + 8;
}

void LDialogManager::NotifyOpened()
{
    if (!listener_)
        return;
    listener_->OnOpened(this);
    opened_ = true;
}

void LDialogManager::NotifyClosed()
{
    if (!listener_ || !opened_)
        return;
    listener_->OnClosed(this);
    opened_ = false;
}

void LDialogManager::OnControlFocus(int32_t code, ControlWindow* control)
{
    SetFocusedChild(control ? dynamic_cast<LWindowObject*>(control->Sink()) : nullptr);
    if (listener_)
        listener_->OnControlFocus(code);
}

void LDialogManager::OnControlKillFocus(int32_t code)
{
    if (listener_)
        listener_->OnControlKillFocus(code);
}

void LDialogManager::SetFocusedChild(LWindowObject* control)
{
    focusedChild_ = control;
    focusedChildLifetime_ = control ? control->Lifetime() : std::weak_ptr<const void>();
}

void LDialogManager::RestoreFocus()
{
    if (restoringFocus_)
        return;
    restoringFocus_ = true;
    autoScroll_ = false;
    ControlWindow* target = Window();
    if (!focusedChildLifetime_.expired() && focusedChild_->Window())
        target = focusedChild_->Window();
    if (target)
        target->SetFocus();
    autoScroll_ = true;
    restoringFocus_ = false;
}

void LDialogManager::EnsureVisible(const RasterRect& screenRect)
{
    if (Owner()) {
        LDialog::EnsureVisible(screenRect);
        return;
    }
    const RasterRect client = ScreenRect();
    const int32_t top = screenRect.top - kVisibleMargin;
    const int32_t bottom = screenRect.bottom + kVisibleMargin;
    if (top < client.top) {
        ScrollBy(top - client.top);
    } else if (bottom > client.bottom) {
        const int32_t amount = std::min(bottom - client.bottom, top - client.top);
        if (amount != 0)
            ScrollBy(amount);
    }
}

void LDialogManager::OnPaint(ControlPainter& painter)
{
    painter.FillRect(painter.Bounds(), ControlColour(kRoleButtonFace));
    const RgbColour light = ControlColour(kRoleHighlight);
    const RgbColour dark = ControlColour(kRoleShadow);
    const int32_t bottom = ClientHeight();
    int32_t y = -scrollPosition_;
    for (const Entry& entry : entries_) {
        y += kHeaderGap;
        if (!entry.header->IsExpanded() || !entry.panel->Window()) {
            y += captionHeight_;
            continue;
        }
        const int32_t h = captionHeight_ + Height(entry.panel->Window()->Rect()) + kPanelGapBelow;
        if (y < bottom && y + h >= 0) {
            const int32_t width = widestPanelWidth_ + kFrameWidthMore;
            const int32_t half = captionHeight_ / 2;
            painter.FrameRect({3, y + half + 1, 3 + width, y + half + 1 + h - half - 1}, light);
            painter.FrameRect({2, y + half, 2 + width, y + half + h - half - 1}, dark);
        }
        y += h;
    }
}

void LDialogManager::OnMouseWheel(int32_t rotation)
{
    // A turn the other way drops what was left of the old direction.
    if ((rotation < 0) != (wheelRemainder_ < 0))
        wheelRemainder_ = 0;
    wheelRemainder_ += rotation;
    const int32_t notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    ScrollBy(notches * -kWheelNotchPixels);
}

void LDialogManager::OnScroll(ScrollCode code)
{
    if (!Window())
        return;
    const int32_t page = ClientHeight();
    const int32_t limit = std::max(contentHeight_, scrollPosition_ + page);
    int32_t position = scrollPosition_;
    switch (code) {
    case ScrollCode::kLineUp:
        position -= kLinePixels;
        break;
    case ScrollCode::kLineDown:
        position += kLinePixels;
        break;
    case ScrollCode::kPageUp:
        position -= page;
        break;
    case ScrollCode::kPageDown:
        position += page;
        break;
    case ScrollCode::kThumbPosition:
    case ScrollCode::kThumbTrack:
        position = Window()->ScrollTrackPosition();
        break;
    case ScrollCode::kTop:
        position = 0;
        break;
    case ScrollCode::kBottom:
        position = limit;
        break;
    case ScrollCode::kEndScroll:
        break;
    }
    position = std::max(std::min(position, limit - page), 0);
    if (position != scrollPosition_) {
        const int32_t old = scrollPosition_;
        scrollPosition_ = position;
        MoveContent(old, position);
    }
    if (code != ScrollCode::kThumbTrack)
        UpdateScrollBar();
}

void LDialogManager::OnSize()
{
    UpdateScrollBar();
}

void LDialogManager::OnActivate(bool starting)
{
    autoScroll_ = !starting;
}

void LDialogManager::OnWindowDestroyed()
{
    ReleaseEntries();
    LDialog::OnWindowDestroyed();
}

int32_t LDialogManager::ClientHeight() const
{
    return Window() ? Height(Window()->ClientRect()) : 0;
}

void LDialogManager::ReleaseEntries()
{
    while (!entries_.empty()) {
        Entry& last = entries_.back();
        last.header.reset();
        last.panel.reset();
        entries_.pop_back();
    }
}

void LDialogManager::MoveContent(int32_t oldPosition, int32_t newPosition)
{
    Window()->ScrollChildren(oldPosition - newPosition);
    Window()->Invalidate();
}
