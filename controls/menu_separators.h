#pragma once
// Tidying a menu after commands were taken out of it: no separator at either end, none doubled.

#include "platform/ui_menu.h"

#include <cstdint>
#include <vector>

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

// The same clean-up over a menu model, each sub-menu tidied as well.
void RemoveRedundantMenuSeparators(std::vector<UiMenuItem>& items);
