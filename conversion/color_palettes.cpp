#include "conversion/color_palettes.h"

#include <algorithm>

namespace {

constexpr int32_t kFull = 255;
constexpr int32_t kHalf = 128;

struct Rgb
{
    int32_t r, g, b;
};

constexpr std::array<Rgb, kPalette1Hues> kPalette1Bases{{{255, 255, 255},
                                                         {255, 128, 128},
                                                         {128, 255, 128},
                                                         {128, 128, 255},
                                                         {255, 0, 0},
                                                         {255, 128, 0},
                                                         {255, 255, 0},
                                                         {128, 255, 0},
                                                         {0, 255, 0},
                                                         {0, 255, 128},
                                                         {0, 255, 255},
                                                         {0, 128, 255},
                                                         {0, 0, 255},
                                                         {128, 0, 255},
                                                         {255, 0, 255},
                                                         {255, 0, 128}}};

constexpr std::array<PaletteEntry, kPalette1Size> BuildPalette1()
{
    std::array<PaletteEntry, kPalette1Size> p{};
    for (int32_t level = 0; level < kPalette1Levels; ++level) {
        const int32_t scale = kPalette1Levels - level;
        for (int32_t h = 0; h < kPalette1Hues; ++h) {
            const Rgb& c = kPalette1Bases[static_cast<std::size_t>(h)];
            const int32_t i = kPalette1Hues * level + h;
            p[static_cast<std::size_t>(i)] = {i, c.r * scale / kPalette1Levels, c.g * scale / kPalette1Levels,
                                              c.b * scale / kPalette1Levels};
        }
    }
    return p;
}

constexpr int32_t kRingSteps = 11;
constexpr int32_t kRingSize = 6 * kRingSteps;

// low + k * (high - low) / 11 rounded to the nearest integer, halves going up.
constexpr int32_t RingLevel(int32_t low, int32_t high, int32_t k)
{
    return (2 * kRingSteps * low + 2 * k * (high - low) + kRingSteps) / (2 * kRingSteps);
}

// One ring: six segments in which one component moves (green rises, red falls, blue rises,
// green falls, red rises, blue falls); each entry is the colour before its step.
constexpr void FillRing(std::array<PaletteEntry, kPalette2Size>& p, int32_t first, int32_t low, int32_t high)
{
    for (int32_t k = 0; k < kRingSteps; ++k) {
        const int32_t up = RingLevel(low, high, k);
        const int32_t down = RingLevel(low, high, kRingSteps - k);
        const std::array<Rgb, 6> segment{{{high, up, low},
                                          {down, high, low},
                                          {low, high, up},
                                          {low, down, high},
                                          {up, low, high},
                                          {high, low, down}}};
        for (int32_t s = 0; s < 6; ++s) {
            const int32_t i = first + s * kRingSteps + k;
            const Rgb& c = segment[static_cast<std::size_t>(s)];
            p[static_cast<std::size_t>(i)] = {i, c.r, c.g, c.b};
        }
    }
}

constexpr int32_t kShadesFirst = 206;
constexpr int32_t kExtraRed = 230;
constexpr int32_t kGreysFirst = 231;
constexpr int32_t kGreySteps = 24;
constexpr int32_t kGreySpan = 256;

constexpr std::array<PaletteEntry, kPalette2Size> BuildPalette2()
{
    std::array<PaletteEntry, kPalette2Size> p{};
    constexpr std::array<Rgb, 8> kFixed{{{0, 0, 0},
                                         {255, 255, 255},
                                         {255, 0, 0},
                                         {255, 255, 0},
                                         {0, 255, 0},
                                         {0, 255, 255},
                                         {0, 0, 255},
                                         {255, 0, 255}}};
    for (int32_t i = 0; i < 8; ++i) {
        const Rgb& c = kFixed[static_cast<std::size_t>(i)];
        p[static_cast<std::size_t>(i)] = {i, c.r, c.g, c.b};
    }
    FillRing(p, 8, kHalf, kFull);
    FillRing(p, 8 + kRingSize, 0, kFull);
    FillRing(p, 8 + 2 * kRingSize, 0, kHalf);
    // Red, yellow, green, cyan, blue, magenta: which components carry the hue.
    constexpr std::array<Rgb, 6> kHues{{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}, {1, 0, 1}}};
    constexpr std::array<Rgb, 4> kShades{{{255, 192, 0}, {255, 64, 0}, {192, 0, 0}, {64, 0, 0}}};
    for (int32_t h = 0; h < 6; ++h) {
        const Rgb& on = kHues[static_cast<std::size_t>(h)];
        for (int32_t s = 0; s < 4; ++s) {
            const int32_t hi = kShades[static_cast<std::size_t>(s)].r;
            const int32_t lo = kShades[static_cast<std::size_t>(s)].g;
            const int32_t i = kShadesFirst + 4 * h + s;
            p[static_cast<std::size_t>(i)] = {i, on.r ? hi : lo, on.g ? hi : lo, on.b ? hi : lo};
        }
    }
    p[kExtraRed] = {kExtraRed, 255, 96, 96};
    for (int32_t j = 0; j <= kGreySteps; ++j) {
        const int32_t rounded = (2 * (kGreySteps - j) * kGreySpan + kGreySteps) / (2 * kGreySteps);
        const int32_t g = std::min(kFull, rounded);
        p[static_cast<std::size_t>(kGreysFirst + j)] = {kGreysFirst + j, g, g, g};
    }
    return p;
}

constexpr int32_t kStep3 = 32;

constexpr std::array<PaletteEntry, kPalette3Size> BuildPalette3()
{
    std::array<PaletteEntry, kPalette3Size> p{};
    auto set = [&p](int32_t i, int32_t r, int32_t g, int32_t b) {
        p[static_cast<std::size_t>(i)] = {i, r, g, b};
    };
    for (int32_t i = 0; i <= 16; ++i) {
        set(i, kFull, std::min(kFull, 16 * i), 0);
    }
    for (int32_t i = 17; i <= 23; ++i) {
        set(i, 256 - kStep3 * (i - 16), kFull, 0);
    }
    set(24, 0, kFull, 0);
    for (int32_t i = 25; i <= 31; ++i) {
        set(i, 0, kFull, kStep3 * (i - 24));
    }
    constexpr std::array<Rgb, 8> kBlues{{{0, 130, 255},
                                         {0, 114, 255},
                                         {0, 104, 255},
                                         {10, 96, 255},
                                         {0, 82, 255},
                                         {0, 74, 255},
                                         {0, 64, 255},
                                         {0, 32, 255}}};
    for (int32_t i = 32; i <= 39; ++i) {
        const Rgb& c = kBlues[static_cast<std::size_t>(i - 32)];
        set(i, c.r, c.g, c.b);
    }
    for (int32_t i = 40; i <= 47; ++i) {
        set(i, kStep3 * (i - 40), 0, kFull);
    }
    set(48, kFull, 0, kFull);
    for (int32_t i = 49; i <= 55; ++i) {
        set(i, kFull, kStep3 * (i - 48), kFull);
    }
    set(56, kFull, kFull, kFull);
    set(57, kFull, 224, 224);
    set(58, kFull, kFull, kFull);
    constexpr std::array<int32_t, 5> kPinks{160, 128, 96, 64, 32};
    for (int32_t i = 59; i <= 63; ++i) {
        const int32_t c = kPinks[static_cast<std::size_t>(i - 59)];
        set(i, kFull, c, c);
    }
    // Black maps to the index of white.
    p[64] = {kPalette3White, 0, 0, 0};
    return p;
}

constexpr std::array<PaletteEntry, kPalette1Size> kPalette1 = BuildPalette1();
constexpr std::array<PaletteEntry, kPalette2Size> kPalette2 = BuildPalette2();
constexpr std::array<PaletteEntry, kPalette3Size> kPalette3 = BuildPalette3();

} // namespace

const std::array<PaletteEntry, kPalette1Size>& Palette1()
{
    return kPalette1;
}

const std::array<PaletteEntry, kPalette2Size>& Palette2()
{
    return kPalette2;
}

const std::array<PaletteEntry, kPalette3Size>& Palette3()
{
    return kPalette3;
}
