// The fixed identity of the control: its class, property page, type library and interfaces, the
// names under which it is registered, and the media type it plays. None of it ever changes
// between builds: pages and registrations name the control by these values.
#pragma once

#include "platform/com/guid.h"

#include <cstdint>

inline constexpr CLSID kControlClsid{0xE51706C2, 0x4EF4, 0x4F68, {0xA7, 0x1F, 0xFA, 0xDF, 0x92, 0xE5, 0xE3, 0x9D}};
inline constexpr CLSID kPropPageClsid{0xAC42EBFB, 0xF6CE, 0x4AC0, {0xA7, 0xC0, 0x36, 0xDA, 0x68, 0x1B, 0xE6, 0x60}};
inline constexpr GUID kControlLibid{0x8FB9B314, 0x4AC5, 0x433F, {0xB1, 0x1F, 0xE0, 0x37, 0xF6, 0x2B, 0x1B, 0xCC}};
inline constexpr IID kControlDispatchIid{0xE00A065D, 0xD658, 0x4883, {0x99, 0xCF, 0xEA, 0x7D, 0xBB, 0xE7, 0x9D, 0xD0}};
inline constexpr IID kControlEventsIid{0xA1452EBE, 0x1D47, 0x4945, {0x8F, 0x3E, 0x5D, 0x26, 0x2E, 0xD6, 0xC9, 0x4B}};

inline constexpr const char* kControlProgId = "Velquon.ZylPlayerActiveXCtrl.1";
inline constexpr const char* kPropPageProgId = "Velquon.ZylPlayerActiveXPropPage.1";
// String resources 1 and 2.
inline constexpr const char* kControlTypeName = "Zyl Player ActiveX Control";
inline constexpr const char* kPropPageTypeName = "Zyl Player ActiveX Property Page";

inline constexpr const char* kControlMimeType = "application/x-velquon-zyl";
inline constexpr const char* kControlExtension = ".zyl";

// Type library version 1.0.
inline constexpr int32_t kControlLibMajor = 1;
inline constexpr int32_t kControlLibMinor = 0;
inline constexpr const char* kControlLibVersion = "1.0";

// OLEMISC_ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST | INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE.
inline constexpr uint32_t kControlMiscStatus = 0x20191;

// The application name under which the control keeps its preview settings.
inline constexpr const char* kControlApplicationName = "Zyl Player ActiveX";
