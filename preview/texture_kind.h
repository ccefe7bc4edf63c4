#pragma once
// The preview's texture kinds that the drawing passes bind by number.

#include <cstdint>

inline constexpr int32_t kNoTexture = 0;
inline constexpr int32_t kGlowTexture = 2;
inline constexpr int32_t kFogTexture = 3;
inline constexpr int32_t kBeamProfileTexture = 5;
inline constexpr int32_t kShowPictureTextureFirst = 6;
inline constexpr int32_t kUserPictureTextureFirst = 14;
inline constexpr int32_t kTextureKindCount = 22;
