// UiWindowId: names one window of the toolkit (a native window, a control, a frame, the view)
// without giving access to it. Toolkit-free code keeps and compares ids; only the backend that
// made one turns it back into its window. The null id names no window.
#pragma once

#include <compare>

class UiWindowId
{
  public:
    constexpr UiWindowId() = default;
    constexpr explicit UiWindowId(const void* handle) : handle_(handle) {}

    constexpr const void* Handle() const { return handle_; }
    constexpr explicit operator bool() const { return handle_ != nullptr; }
    constexpr auto operator<=>(const UiWindowId&) const = default;

  private:
    const void* handle_ = nullptr;
};
