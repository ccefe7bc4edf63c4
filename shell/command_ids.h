// The command ids of the player's main menu (menu resource 128).
#pragma once

#include <cstdint>

namespace command_id {

inline constexpr int32_t kAbout = 32768;
inline constexpr int32_t kAlwaysOnTop = 32772;
inline constexpr int32_t kProperties = 32773;
inline constexpr int32_t kSize320x240 = 32774;
inline constexpr int32_t kSize640x480 = 32775;
inline constexpr int32_t kSize800x600 = 32776;
inline constexpr int32_t kFullScreen = 32777;
inline constexpr int32_t kResetGeneric = 32778;
inline constexpr int32_t kInfos = 32779;
inline constexpr int32_t kForward = 32780;
inline constexpr int32_t kBackward = 32781;
inline constexpr int32_t kFastForward = 32782;
inline constexpr int32_t kFastBackward = 32783;
inline constexpr int32_t kNextFrame = 32784;
inline constexpr int32_t kPreviousFrame = 32785;
inline constexpr int32_t kClose = 32786;
inline constexpr int32_t kOpen = 32787;
inline constexpr int32_t kCloseAll = 32788;
inline constexpr int32_t kPlayPause = 32789;
inline constexpr int32_t kPreviousFile = 32790;
inline constexpr int32_t kNextFile = 32791;
inline constexpr int32_t kCaptionFrame = 32792;
inline constexpr int32_t kSelectDsps = 32793;
inline constexpr int32_t kSize1024x768 = 32794;
inline constexpr int32_t kBeginning = 32795;
inline constexpr int32_t kEnd = 32796;
inline constexpr int32_t kMute = 32797;
inline constexpr int32_t kRecordZyl = 32799;
inline constexpr int32_t kConvertZyl = 32800;
inline constexpr int32_t kWriteAvi = 32801;
inline constexpr int32_t kResetFile = 32802;
inline constexpr int32_t kPlaybackControl = 32803;
inline constexpr int32_t kManual = 32804;
inline constexpr int32_t kDisplayPcFps = 42085;
inline constexpr int32_t kDisplayLaserFps = 42086;
inline constexpr int32_t kDisplayTimecode = 42087;
inline constexpr int32_t kCopy = 57634;
inline constexpr int32_t kCut = 57635;
inline constexpr int32_t kPaste = 57637;
inline constexpr int32_t kExit = 57665;

} // namespace command_id

inline constexpr int32_t kMainMenuId = 128;
inline constexpr int32_t kProgramIconId = 128;
