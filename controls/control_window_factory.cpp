#include "controls/control_window_factory.h"

#include <utility>

namespace {

ControlWindowFactory* g_factory = nullptr;

} // namespace

ControlWindowFactory* CurrentControlWindowFactory()
{
    return g_factory;
}

ControlWindowFactory* SetControlWindowFactory(ControlWindowFactory* factory)
{
    return std::exchange(g_factory, factory);
}

ControlWindow* CreateControlWindow(ControlWindow* parent, const ControlWindowSpec& spec,
                                   ControlWindowSink* sink)
{
    return g_factory ? g_factory->Create(parent, spec, sink) : nullptr;
}
