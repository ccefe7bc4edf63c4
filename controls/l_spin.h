// LSpin: a vertical spin button bound to a parameter by name. A click on the upper or lower half
// steps the value one click up or down; holding repeats every 40 ms after half a second; moving
// 7 pixels while holding, or pressing on the two middle rows, drags instead: 10 units a pixel,
// the pointer hidden and held at the centre. The middle button or Ctrl asks for the fine step.
#pragma once

#include "controls/draw_item_state.h"
#include "controls/l_bound_reference.h"
#include "controls/l_drag_button.h"

#include <cstdint>

class ControlPainter;
class LMsgRegistryNode;

class LSpin : public LDragButton
{
  public:
    static constexpr uint32_t kRepeatTimerId = 2;
    static constexpr uint32_t kRepeatPeriodMs = 40;
    static constexpr int32_t kRepeatDelayCs = 50;
    static constexpr int32_t kDragFromRepeatPixels = 7;

    LSpin();
    ~LSpin() override;

    void Bind(const XAString& name, LMsgRegistryNode* context);
    void Refresh();

    bool IsRepeating() const { return repeating_; }
    LValueHandler* BoundHandler() { return value_.Handler(); }
    void DrawItem(ControlPainter& painter, const DrawItemState& state);

    void OnPaint(ControlPainter& painter) override;
    bool OnMouseDown(const MouseEvent& event) override;
    bool OnMouseMove(const MouseEvent& event) override;
    bool OnKeyDown(int32_t key, bool ctrl) override;
    void OnTimer(uint32_t id) override;

  protected:
    void Release(bool ctrl) override;
    bool GestureRunning() const override { return repeating_ || dragging_; }
    void ForgetWindowState() override { StopRepeat(); }

  private:
    void StartRepeat(bool ctrl);
    void StopRepeat();
    void StartDrag();
    void Step(int64_t units, uint32_t phase, bool ctrl);

    LBoundReference value_;
    bool upperPressed_ = false;
    bool lowerPressed_ = false;
    int32_t pressY_ = 0;
    bool repeating_ = false;
    int64_t repeatStart_ = 0;
    bool timerSet_ = false;
    int32_t lastDragY_ = 0;
    int32_t pairFirst_ = 0;
    int32_t accumulator_ = 0;
};
