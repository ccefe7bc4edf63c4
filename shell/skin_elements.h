// The skinned frame's elements: the title-bar buttons, the playback buttons and the slider, each
// with its images in the skin bitmap (large skin and SkinMin strip) and its place on the frame.
#pragma once

#include <array>
#include <cstdint>

enum SkinElementId : int32_t {
    kSkinNone = 0,
    kSkinMenu = 1,
    kSkinOpenFile = 2,
    kSkinMinimize = 3,
    kSkinMaximize = 4,
    kSkinRestore = 5,
    kSkinClose = 6,
    kSkinPrevious = 7,
    kSkinStop = 8,
    kSkinPlay = 9,
    kSkinPause = 10,
    kSkinNext = 11,
    kSkinMute = 12,
    kSkinSoundOn = 13,
    kSkinSeek = 14,  // the slider's knob
    kSkinTrack = 15, // the slider's track: hit, never drawn as an element
};

inline constexpr int32_t kSkinElementCount = 16; // record 0 is never used
inline constexpr int32_t kSkinFirstElement = 1;
inline constexpr int32_t kSkinLastElement = 15;

// Painted states; the image for state s lies s x (height + 4) pixels below state 0's.
enum SkinElementState : int32_t { kSkinNormal = 0, kSkinHover = 1, kSkinPressed = 2, kSkinDisabled = 3 };
inline constexpr int32_t kSkinStateGap = 4;

// The window picture is the skin bitmap's top-left corner; negative source coordinates count
// from its right and bottom edges.
inline constexpr int32_t kSkinPictureWidth = 640;
inline constexpr int32_t kSkinPictureHeight = 480;
// The skin bitmap resource: the window picture with the element sheets below it.
inline constexpr int32_t kSkinBitmapId = 140;
inline constexpr int32_t kSkinBitmapWidth = 1024;
inline constexpr int32_t kSkinBitmapHeight = 768;

struct SkinImage
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Where an element sits on the frame; negative coordinates count from the client's right or
// bottom edge. An element without a place is never drawn or hit.
struct SkinPlace
{
    bool placed = false;
    int32_t x = 0;
    int32_t y = 0;
};

struct SkinElementTable
{
    std::array<SkinImage, kSkinElementCount> images;
    std::array<SkinPlace, kSkinElementCount> places;
};

// The large skin's table and the SkinMin strip's.
const SkinElementTable& LargeSkinElements();
const SkinElementTable& SmallSkinElements();

// The element's tooltip text; null for the track.
const char* SkinElementTooltip(int32_t element);

// One element's record on the frame: which element's image it shows, its state (normal or
// disabled; hover and pressed are painted, not stored) and offsets from its place.
struct CSkinElement
{
    int32_t image = 0; // 0: the element's own
    int32_t state = kSkinNormal;
    int32_t xOffset = 0;
    int32_t yOffset = 0;
};
