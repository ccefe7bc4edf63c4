// A GL surface for tests without a display: it records what was asked of it. No context is made,
// so GL calls made while it is "current" go nowhere.
#pragma once

#include "platform/gl/gl_surface.h"

class FakeGlSurface final : public GlSurface
{
  public:
    explicit FakeGlSurface(UiSize size = {640, 480}) : size_(size) {}
    ~FakeGlSurface() override
    {
        if (tracker_ != nullptr)
            *tracker_ = nullptr;
    }
    // The slot is cleared when the surface goes, so its window never keeps a dangling pointer.
    void Track(FakeGlSurface** slot) { tracker_ = slot; }

    bool MakeCurrent() override
    {
        ++makeCurrentCalls;
        current_ = !released && canMakeCurrent;
        return current_;
    }
    bool IsCurrent() const override { return current_; }
    bool Present() override
    {
        ++presents;
        return !released;
    }
    void Release() override
    {
        released = true;
        current_ = false;
    }
    UiSize Size() const override { return size_; }
    std::string Describe() const override { return "fake"; }
    void Resize(UiSize size) { size_ = size; }

    bool canMakeCurrent = true;
    bool released = false;
    int makeCurrentCalls = 0;
    int presents = 0;

  private:
    UiSize size_;
    bool current_ = false;
    FakeGlSurface** tracker_ = nullptr;
};
