// LSpinXY: a two-axis drag button bound to two parameters by name. Dragging moves the first
// (X) value with horizontal movement and the second (Y) with vertical movement; in the linked
// mode (1) vertical movement drives the larger value and the other follows in the ratio the two
// had when the drag began. A double click or a right click puts both back to their defaults.
#pragma once

#include "controls/draw_item_state.h"
#include "controls/l_bound_reference.h"
#include "controls/l_drag_button.h"

#include <cstdint>

class ControlPainter;
class LMsgRegistryNode;

class LSpinXY : public LDragButton
{
  public:
    explicit LSpinXY(int32_t mode = 0);
    ~LSpinXY() override;

    void Bind(const XAString& xName, const XAString& yName, LMsgRegistryNode* context);
    void RepaintAndBind(int32_t mode, const XAString& xName, const XAString& yName,
                        LMsgRegistryNode* context);
    void Refresh();

    bool IsLinked() const { return linked_; }
    int32_t Mode() const { return mode_; }
    LValueHandler* XHandler() { return x_.Handler(); }
    LValueHandler* YHandler() { return y_.Handler(); }
    double Ratio() const { return ratio_; }
    bool XLeads() const { return xLeads_; }

    void OnPaint(ControlPainter& painter) override;
    bool OnMouseDown(const MouseEvent& event) override;
    bool OnMouseMove(const MouseEvent& event) override;
    bool OnKeyDown(int32_t key, bool ctrl) override;

  protected:
    void Release(bool ctrl) override;

  private:
    bool IsDoubleClick(const MouseEvent& event) const;
    void ResetBoth();
    void StartDrag();
    void SendMovement(int64_t dx, int64_t dy, uint32_t phase, bool ctrl);
    void SetFollower();

    int32_t mode_ = 0;
    LBoundReference x_;
    LBoundReference y_;
    bool pressed_ = false;
    RasterPoint previousPress_;
    uint32_t previousPressTime_ = 0;
    bool hasPreviousPress_ = false;
    RasterPoint lastDrag_;
    bool linked_ = false;
    bool linkedDoubles_ = false;
    bool xLeads_ = true;
    double ratio_ = 1.0;
    int32_t pairFirst_ = 0;
    int32_t xAccumulator_ = 0;
    int32_t yAccumulator_ = 0;
};

// value x ratio as an integer, rounded half away from zero and held to the 32-bit range.
int32_t LinkedInteger(int32_t value, double ratio);
