#include "activex/control_type_library.h"

#include "activex/control_identity.h"

namespace {

using Kind = DispatchMemberKind;
using Type = ZVariantType;

constexpr ZVariantType kStateParameter[] = {ZVariantType::I4};

constexpr DispatchMember kDispatchMembers[] = {
    {kDispidFogIntensity, "FogIntensity", Kind::Property, Type::R4},
    {kDispidFogMinIntensity, "FogMinIntensity", Kind::Property, Type::R4},
    {kDispidLineWidth, "LineWidth", Kind::Property, Type::R4},
    {kDispidForceFog, "ForceFog", Kind::Property, Type::I4},
    {kDispidForceGraphics, "ForceGraphics", Kind::Property, Type::I4},
    {kDispidUrl, "Url", Kind::Property, Type::Text},
    {kDispidReset, "Reset", Kind::Property, Type::I4},
    {kDispidBitsPerSecond, "BitsPerSecond", Kind::Property, Type::I4},
    {kDispidStopLoad, "StopLoad", Kind::Property, Type::Bool},
    {kDispidPlaying, "Playing", Kind::Property, Type::Bool},
    {kDispidMuted, "Muted", Kind::Property, Type::Bool},
    {kDispidPositionF, "PositionF", Kind::Property, Type::R4},
    {kDispidStop, "Stop", Kind::Property, Type::Bool},
    // Its setter takes the value and ignores it.
    {kDispidLoaded, "Loaded", Kind::Property, Type::R4},
    {kDispidFrame, "Frame", Kind::Property, Type::I4},
    {kDispidClouds, "Clouds", Kind::Property, Type::R4},
    {kDispidGraphicsIntensity, "GraphicsIntensity", Kind::Property, Type::R4},
    {kDispidFullScreen, "FullScreen", Kind::Property, Type::Bool},
    {kDispidGetVersion, "GetVersion", Kind::Method, Type::Text},
    {kDispidGetVersionX, "GetVersionX", Kind::Method, Type::Text},
    {DISPID_READYSTATE, "ReadyState", Kind::ReadOnlyProperty, Type::I4},
    {DISPID_ABOUTBOX, "AboutBox", Kind::Method, Type::Empty},
};

constexpr DispatchMember kEventMembers[] = {
    {DISPID_READYSTATECHANGE, "ReadyStateChange", Kind::Method, Type::Empty, kStateParameter},
};

const TypeDescription kDispatchType{kControlDispatchIid, "_DZylPlayerActiveX",
                                    "Dispatch interface for Zyl Player ActiveX Control", TypeKind::Dispatch,
                                    kDispatchMembers};
const TypeDescription kEventsType{kControlEventsIid, "_DZylPlayerActiveXEvents",
                                  "Event interface for Zyl Player ActiveX Control", TypeKind::Dispatch,
                                  kEventMembers};
const TypeDescription* const kClassInterfaces[] = {&kDispatchType, &kEventsType};
const TypeDescription kClassType{kControlClsid, "ZylPlayerActiveX", kControlTypeName, TypeKind::CoClass, {},
                                 kClassInterfaces};

} // namespace

const TypeDescription& ControlDispatchType()
{
    return kDispatchType;
}

const TypeDescription& ControlEventsType()
{
    return kEventsType;
}

const TypeDescription& ControlClassType()
{
    return kClassType;
}
