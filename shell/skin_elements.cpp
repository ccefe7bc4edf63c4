#include "shell/skin_elements.h"

namespace {

constexpr SkinPlace kNowhere{};

constexpr SkinPlace At(int32_t x, int32_t y)
{
    return {true, x, y};
}

constexpr SkinElementTable kLarge = {
    {{{},
      {76, 664, 20, 20},
      {316, 664, 20, 20},
      {100, 664, 20, 20},
      {124, 664, 20, 20},
      {148, 664, 20, 20},
      {172, 664, 20, 20},
      {268, 484, 40, 40},
      {92, 484, 40, 40},
      {136, 484, 40, 40},
      {180, 484, 40, 40},
      {312, 484, 40, 40},
      {28, 664, 20, 20},
      {52, 664, 20, 20},
      {566, 484, 13, 40},
      {566, 484, 13, 40}}},
    {{kNowhere, At(15, 7), At(37, 7), At(-80, 7), At(-58, 7), kNowhere, At(-36, 7), At(16, -50), At(57, -50),
      At(98, -50), kNowhere, At(139, -50), At(185, -31), kNowhere, At(0, -50), kNowhere}},
};

constexpr SkinElementTable kSmall = {
    {{{},
      {76, 664, 20, 20},
      {316, 664, 20, 20},
      {100, 664, 20, 20},
      {124, 664, 20, 20},
      {148, 664, 20, 20},
      {172, 664, 20, 20},
      {268, 664, 20, 20},
      {196, 664, 20, 20},
      {340, 664, 20, 20},
      {364, 664, 20, 20},
      {292, 664, 20, 20},
      {28, 664, 20, 20},
      {52, 664, 20, 20},
      {566, 664, 7, 20},
      {566, 664, 7, 20}}},
    {{kNowhere, kNowhere, kNowhere, kNowhere, kNowhere, kNowhere, kNowhere, kNowhere, At(8, -26), At(30, -26),
      kNowhere, kNowhere, At(52, -26), kNowhere, At(0, -26), kNowhere}},
};

constexpr const char* kTooltips[kSkinElementCount] = {
    nullptr, "Menu",  "Open File", "Minimize", "Maximize", "Restore",  "Close", "Previous",
    "Stop",  "Play",  "Pause",     "Next",     "Mute",     "Sound On", "Seek",  nullptr,
};

} // namespace

const SkinElementTable& LargeSkinElements()
{
    return kLarge;
}

const SkinElementTable& SmallSkinElements()
{
    return kSmall;
}

const char* SkinElementTooltip(int32_t element)
{
    if (element < 0 || element >= kSkinElementCount)
        return nullptr;
    return kTooltips[element];
}
