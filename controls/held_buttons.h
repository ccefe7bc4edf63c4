// Which of the two gesture buttons (left, middle) are held: a gesture lasts while either is.
#pragma once

#include "controls/control_window_sink.h"

class HeldButtons
{
  public:
    // False for any other button.
    bool Press(MouseButton button)
    {
        if (button == MouseButton::kLeft)
            left_ = true;
        else if (button == MouseButton::kMiddle)
            middle_ = true;
        else
            return false;
        return true;
    }
    // False for any other button.
    bool Release(MouseButton button)
    {
        if (button == MouseButton::kLeft)
            left_ = false;
        else if (button == MouseButton::kMiddle)
            middle_ = false;
        else
            return false;
        return true;
    }
    bool Any() const { return left_ || middle_; }
    bool Middle() const { return middle_; }
    void Clear() { left_ = middle_ = false; }

  private:
    bool left_ = false;
    bool middle_ = false;
};
