// The control's type library, compiled in: the dispatch interface with its properties and
// methods in DISPID order, the event interface and the control class.
#pragma once

#include "platform/com/type_info.h"

// The dispatch members' numbers.
enum ControlDispid : DISPID {
    kDispidFogIntensity = 1,
    kDispidFogMinIntensity = 2,
    kDispidLineWidth = 3,
    kDispidForceFog = 4,
    kDispidForceGraphics = 5,
    kDispidUrl = 6,
    kDispidReset = 7,
    kDispidBitsPerSecond = 8,
    kDispidStopLoad = 9,
    kDispidPlaying = 10,
    kDispidMuted = 11,
    kDispidPositionF = 12,
    kDispidStop = 13,
    kDispidLoaded = 14,
    kDispidFrame = 15,
    kDispidClouds = 16,
    kDispidGraphicsIntensity = 17,
    kDispidFullScreen = 18,
    kDispidGetVersion = 19,
    kDispidGetVersionX = 20,
};

inline constexpr const char* kControlLibName = "ZYLPLAYERACTIVEXLib";
inline constexpr const char* kControlLibDescription = "Zyl Player ActiveX Control module";

const TypeDescription& ControlDispatchType();
const TypeDescription& ControlEventsType();
const TypeDescription& ControlClassType();
