#include "conversion/internal/palette_tables.h"

#include <algorithm>

namespace {

constexpr std::array<int32_t, 48> kFixedColorWords{
    0x000000, 0x008000, 0x800000, 0x808000, 0x000080, 0x008080, 0x800080, 0xaaaaaa, 0x555555, 0x00ff00,
    0xff0000, 0xffff00, 0x0000ff, 0x00ffff, 0xff00ff, 0xffffff, 0x0080ff, 0x00ff80, 0x8000ff, 0x808080,
    0x8080ff, 0x80ff00, 0x80ff80, 0x80ffff, 0xff0080, 0xff8000, 0xff8080, 0xff80ff, 0xffff80, 0x0000c0,
    0x00c000, 0xc00000, 0xc0c0c0, 0xa4b4b4, 0x647878, 0x1e2a2a, 0x000018, 0x008080, 0xc0c0c0, 0x90a0a0,
    0x0040c0, 0xc08080, 0xb49898, 0x000000, 0x0000c0, 0x000000, 0x000000, 0x000000};

// The role colours written over entries 33..47 once the roles are set.
constexpr std::array<PaletteTables::IndexColor, 15> kRoleColors{{{33, 0xa4b4b4},
                                                                 {34, 0x647878},
                                                                 {35, 0x1e2a2a},
                                                                 {36, 0x000018},
                                                                 {37, 0x008080},
                                                                 {38, 0xc0c0c0},
                                                                 {39, 0x90a0a0},
                                                                 {40, 0x0040c0},
                                                                 {41, 0xc06060},
                                                                 {42, 0xb49898},
                                                                 {43, 0x000000},
                                                                 {44, 0x0000c0},
                                                                 {45, 0x000000},
                                                                 {46, 0x000000},
                                                                 {47, 0x000000}}};

// Pairs of the first 32 colours whose indices are exchanged in the translation map.
constexpr std::array<std::array<int32_t, 2>, 7> kExchanges{
    {{4, 12}, {1, 9}, {5, 13}, {2, 10}, {6, 14}, {3, 11}, {16, 17}}};
// Single assignments: entry first := second.
constexpr std::array<std::array<int32_t, 2>, 6> kAssignments{
    {{18, 24}, {20, 28}, {21, 25}, {22, 27}, {23, 26}, {24, 18}}};

constexpr std::array<int32_t, 4> kDefaultRole{15, 0, 15, 19};

constexpr int32_t kByte = 0xff;

constexpr int32_t Word(int32_t r, int32_t g, int32_t b)
{
    return r << 16 | g << 8 | b;
}

constexpr int32_t Grey(int32_t v)
{
    return Word(v, v, v);
}

constexpr int32_t Scale(int32_t word, int32_t level)
{
    const int32_t r = (word >> 16 & kByte) * level / PaletteTables::kFullLevel;
    const int32_t g = (word >> 8 & kByte) * level / PaletteTables::kFullLevel;
    const int32_t b = (word & kByte) * level / PaletteTables::kFullLevel;
    return Word(r, g, b);
}

constexpr std::size_t At(int32_t i)
{
    return static_cast<std::size_t>(i);
}

} // namespace

constexpr PaletteTables::PaletteTables()
{
    BuildPaletteTables();
    InitColorRoles();
}

constexpr void PaletteTables::BuildPaletteTables()
{
    for (int32_t i = 0; i < kColors; ++i) {
        colors_[At(i)] = i < kFixedColors ? kFixedColorWords[At(i)] : Grey(i);
        quantise3_[At(i)] = (i + 64) / 128;
        quantise5_[At(i)] = (i + 32) / 64;
    }
    for (int32_t a = 0; a < kCubeLevels; ++a) {
        for (int32_t b = 0; b < kCubeLevels; ++b) {
            for (int32_t c = 0; c < kCubeLevels; ++c) {
                cube_[At(a)][At(b)][At(c)] = CubeEntry(a, b, c);
            }
        }
    }
    FillColorCube();
    for (int32_t i = 0; i < kColors; ++i) {
        const int32_t index = kGreyRampFirst + (128 + 16 * i) / 256;
        greyToIndex_[At(i)] = index <= kGreyRampFirst + kGreyRampSize - 1 ? index : kWhiteIndex;
    }
    FillGreyRamp();
    BuildPaletteMaps();
    level_ = kFullLevel;
    UpdatePaletteRange(0, kColors);
}

constexpr void PaletteTables::FillColorCube()
{
    for (int32_t a = 0; a < kCubeLevels; ++a) {
        for (int32_t b = 0; b < kCubeLevels; ++b) {
            for (int32_t c = 0; c < kCubeLevels; ++c) {
                colors_[At(CubeEntry(a, b, c))] =
                    Word(std::min(255, 64 * a), std::min(255, 64 * b), std::min(255, 64 * c));
            }
        }
    }
}

constexpr void PaletteTables::FillGreyRamp()
{
    for (int32_t k = 0; k < kGreyRampSize; ++k) {
        colors_[At(kGreyRampFirst + k)] = Grey(16 * k);
    }
}

constexpr void PaletteTables::BuildPaletteMaps()
{
    for (int32_t i = 0; i < kColors; ++i) {
        indexMap_[At(i)] = i;
    }
    // The role rows as they stand now, before the roles are set.
    for (int32_t r = kRoleRows - 1; r >= 0; --r) {
        indexMap_[At(roles_[At(r)][0])] = roles_[At(r)][2];
    }
    for (int32_t r = kRoleRows - 1; r >= 0; --r) {
        indexMap_[At(roles_[At(r)][1])] = roles_[At(r)][3];
    }
    for (const auto& pair : kExchanges) {
        indexMap_[At(pair[0])] = pair[1];
        indexMap_[At(pair[1])] = pair[0];
    }
    for (const auto& assignment : kAssignments) {
        indexMap_[At(assignment[0])] = assignment[1];
    }
    for (int32_t a = 0; a < kCubeLevels; ++a) {
        for (int32_t b = 0; b < kCubeLevels; ++b) {
            for (int32_t c = 0; c < kCubeLevels; ++c) {
                indexMap_[At(CubeEntry(a, b, c))] = CubeEntry((a + 2) % 5, (b + 2) % 5, (c + 2) % 5);
            }
        }
    }
    // The grey ramp rotated by 8, with white in the place of the one-past-the-end grey.
    for (int32_t k = 0; k < kGreyRampSize; ++k) {
        const int32_t v = (k + 8) % (kGreyRampSize + 1);
        indexMap_[At(kGreyRampFirst + k)] = v == kGreyRampSize ? kWhiteIndex : kGreyRampFirst + v;
    }
}

constexpr void PaletteTables::InitColorRoles()
{
    for (auto& row : roles_) {
        row = kDefaultRole;
    }
    SetColorRoles();
}

constexpr void PaletteTables::SetColorRoles()
{
    SetPaletteEntries(static_cast<int32_t>(kRoleColors.size()), kRoleColors.data());
}

constexpr void PaletteTables::SetPaletteEntries(int32_t count, const IndexColor* pairs)
{
    int32_t lowest = kColors;
    int32_t highest = -1;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t index = pairs[i].index;
        if (index < 0 || index >= kColors) {
            continue;
        }
        colors_[At(index)] = pairs[i].color;
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    if (highest >= lowest) {
        UpdatePaletteRange(lowest, highest - lowest + 1);
    }
}

constexpr void PaletteTables::UpdatePaletteRange(int32_t first, int32_t count)
{
    for (int32_t i = std::max(first, 0); i < std::min(first + count, kColors); ++i) {
        scaled_[At(i)] = level_ < kFullLevel ? Scale(colors_[At(i)], level_) : colors_[At(i)];
    }
}

const PaletteTables& GetPaletteTables()
{
    static constinit const PaletteTables tables;
    return tables;
}
