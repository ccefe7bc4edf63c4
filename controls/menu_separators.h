#pragma once
// Tidying a menu after commands were taken out of it: no separator at either end, none doubled.

#include <cstdint>

// The few things the clean-up asks of a menu; a toolkit's menu stands behind it.
class LMenuItems
{
  public:
    virtual int32_t ItemCount() const = 0;
    // A separator, not a submenu (whose id is 0 as well on some systems).
    virtual bool IsSeparator(int32_t position) const = 0;
    virtual void RemoveItem(int32_t position) = 0;

  protected:
    ~LMenuItems() = default;
};

// A null menu does nothing.
void RemoveRedundantMenuSeparators(LMenuItems* menu);
