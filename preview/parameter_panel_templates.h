// The templates of the parameter dialog's four panels (Main 2196, Fog 2197, OpenGl Setup 2193,
// one background picture 2198), their items in Tab order, as dialog resources.
#pragma once

#include "platform/resources.h"

#include <cstdint>
#include <span>

inline constexpr int32_t kTemplateParamOpenGl = 2193;
inline constexpr int32_t kTemplateParamMain = 2196;
inline constexpr int32_t kTemplateParamFog = 2197;
inline constexpr int32_t kTemplateParamBackground = 2198;

std::span<const DialogResource> ParameterPanelTemplates();
