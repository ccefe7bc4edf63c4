#pragma once
// A process-wide object whose destructor never runs: threads that are still at work while the
// process exits can go on using it. With a constexpr constructor of T the object is constant-
// initialised, so it is usable before any dynamic initialisation has run.

#include <utility>

template <class T> class XNeverDestroyed
{
  public:
    template <class... Args>
    constexpr explicit XNeverDestroyed(Args&&... args) : value_(std::forward<Args>(args)...)
    {
    }
    constexpr ~XNeverDestroyed() {}

    XNeverDestroyed(const XNeverDestroyed&) = delete;
    XNeverDestroyed& operator=(const XNeverDestroyed&) = delete;

    constexpr T& Get() { return value_; }

  private:
    union {
        T value_;
    };
};
