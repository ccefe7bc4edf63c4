// Commands of menus, keys and buttons, routed along our own chain of targets (the view, then the
// frame, then the application), never by the toolkit's propagation. A target is asked either to
// carry a command out or how its menu item looks now.
#pragma once

#include <cstdint>
#include <string>

enum class UiCommandCode : int32_t {
    Execute = 0, // carry the command out
    Update = 1,  // fill in how its item looks
};

struct UiCommandUpdate
{
    bool enabled = true;
    bool checked = false;
    // Empty: the item keeps its text.
    std::string text;
};

class UiCommandTarget
{
  public:
    virtual ~UiCommandTarget() = default;
    // True when this target handles the command; for Update, `update` is filled in (never null).
    virtual bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) = 0;
};
