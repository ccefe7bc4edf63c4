#pragma once
// LValueDummy: the inert value behind the fallback handler. Every item is an integer that
// cannot be read (0 and false), and every change is ignored.

#include "messaging/value.h"

class LValueDummy : public LValue
{
  public:
    int32_t ItemType(int32_t item) const override { return kItemTypeInteger; }
};
