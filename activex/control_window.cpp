#include "activex/control_window.h"

namespace {

ControlWindowMaker currentMaker = nullptr;

} // namespace

ControlWindowMaker CurrentControlWindowMaker()
{
    return currentMaker;
}

ControlWindowMaker SetControlWindowMaker(ControlWindowMaker maker)
{
    ControlWindowMaker previous = currentMaker;
    currentMaker = maker;
    return previous;
}
