// LDialog: the base of every parameter panel: a child dialog that the user scrolls (the whole
// panel stack it sits in) by dragging with the left or middle button, and that passes its
// controls' focus and scroll requests on to the stack that holds it (its owner).
#pragma once

#include "controls/held_buttons.h"
#include "controls/l_window_object.h"
#include "controls/raster_point.h"

#include <cstdint>
#include <string>
#include <vector>

struct DialogTemplate;

class LDialog : public LWindowObject
{
  public:
    LDialog() = default;
    ~LDialog() override = default;

    // Makes the panel from a template as the parent's child, with the template's items in Tab
    // order, then runs OnInitDialog; the owner is the parent's object when that is an LDialog.
    // False, with no window left, when the template is missing or OnInitDialog fails.
    bool Create(int32_t templateId, ControlWindow* parent);
    // The empty panel's template, titled with the caption.
    bool Create(const std::string& caption, ControlWindow* parent);

    LDialog* Owner() const { return owner_; }
    // The window of the template item with that id; null when there is none.
    ControlWindow* GetDlgItem(int32_t id) const;

    // Brings a rectangle (screen pixels) into view: the owner's business when there is one.
    virtual void EnsureVisible(const RasterRect& screenRect);
    virtual void OnControlFocus(int32_t code, ControlWindow* control);
    virtual void OnControlKillFocus(int32_t code);
    // Positive dy scrolls the content up.
    virtual void ScrollBy(int32_t dy);
    virtual void BeginDragScroll();
    virtual void DragScroll();
    virtual void EndDragScroll();
    virtual void CancelDragScroll();

    bool OnMouseDown(const MouseEvent& event) override;
    bool OnMouseUp(const MouseEvent& event) override;
    bool OnMouseMove(const MouseEvent& event) override;
    void OnCaptureLost() override;
    void OnKillFocus() override;
    void OnShow(bool shown) override;
    void OnWindowDestroyed() override;

  protected:
    // Runs once the window and its items exist: the data exchange. False fails the creation.
    virtual bool OnInitDialog() { return DoDataExchange(); }
    // Attaches the members to their template items.
    virtual bool DoDataExchange() { return true; }
    // Makes the control the object behind the item of that id; false when the template has no
    // such item or another object took it already.
    bool AttachItem(int32_t id, LWindowObject& control);

  private:
    struct Item
    {
        int32_t id;
        ControlWindow* window;
    };

    bool CreateItems(const DialogTemplate& dialog);

    LDialog* owner_ = nullptr;
    // The template's items; the panel's window owns them and they go with it.
    std::vector<Item> items_;
    HeldButtons held_;
    bool dragging_ = false;
    RasterPoint last_;
};
