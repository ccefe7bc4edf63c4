// How an owner-drawn control is to be drawn this time: pressed (the pointer holds it down and is
// inside), focused, disabled.
#pragma once

struct DrawItemState
{
    bool selected = false;
    bool focus = false;
    bool disabled = false;
};
