// The preview's own command ids: its context menu's items, which hosts may send as well. Ids the
// preview does not carry out itself go on to its host.
#pragma once

#include <cstdint>

namespace preview_command {

inline constexpr int32_t kProperties = 42051;
inline constexpr int32_t kResetProperties = 42052;
inline constexpr int32_t kClose = 42053;
inline constexpr int32_t kFullScreen = 42054;
inline constexpr int32_t kCopy = 42055;
inline constexpr int32_t kOpen = 42056;
inline constexpr int32_t kCloseAll = 42057;
inline constexpr int32_t kInfos = 42058;
inline constexpr int32_t kPlayPause = 42059;
inline constexpr int32_t kPreviousFile = 42060;
inline constexpr int32_t kNextFile = 42061;
inline constexpr int32_t kExit = 42062;
inline constexpr int32_t kCaptionFrame = 42063;
inline constexpr int32_t kSelectDsps = 42064;
inline constexpr int32_t kCut = 42065;
inline constexpr int32_t kPaste = 42066;
inline constexpr int32_t kClear = 42067;
inline constexpr int32_t kPlaybackControl = 42068;
inline constexpr int32_t kAbout = 42069;
inline constexpr int32_t kStopLoading = 42071;
inline constexpr int32_t kReload = 42072;
inline constexpr int32_t kMute = 42074;
inline constexpr int32_t kBeginning = 42075;
inline constexpr int32_t kEnd = 42076;
inline constexpr int32_t kForward = 42077;
inline constexpr int32_t kBackward = 42078;
inline constexpr int32_t kStop = 42079;
inline constexpr int32_t kAlwaysOnTop = 42080;
inline constexpr int32_t kManual = 42084;
inline constexpr int32_t kDisplayPcFps = 42085;
inline constexpr int32_t kDisplayLaserFps = 42086;
inline constexpr int32_t kDisplayTimecode = 42087;

} // namespace preview_command
