#pragma once
// Process-wide indexed-display colour tables: a 256-colour table (fixed system colours, a grey
// ramp, a 5 x 5 x 5 colour cube), its copy scaled by a brightness level, component quantisers,
// the cube index, a grey-to-index map, an index translation map and colour-role rows. They are
// complete before the program starts (built at compile time, so no initialisation order
// matters) and never change. A colour word holds red, green, blue in bits 16..23, 8..15, 0..7.

#include <array>
#include <cstdint>

class PaletteTables
{
  public:
    static constexpr int32_t kColors = 256;
    static constexpr int32_t kCubeLevels = 5;
    static constexpr int32_t kCubeRowWords = 8;
    static constexpr int32_t kRoleRows = 70;
    static constexpr int32_t kFullLevel = 256;

    using ColorTable = std::array<int32_t, kColors>;
    using CubeIndex = std::array<std::array<std::array<int32_t, kCubeRowWords>, kCubeLevels>, kCubeLevels>;
    using RoleRows = std::array<std::array<int32_t, 4>, kRoleRows>;

    struct IndexColor
    {
        int32_t index;
        int32_t color;
    };

    const ColorTable& Colors() const { return colors_; }
    const ColorTable& ScaledColors() const { return scaled_; }
    int32_t Level() const { return level_; }
    const ColorTable& Quantise3() const { return quantise3_; }
    const ColorTable& Quantise5() const { return quantise5_; }
    const CubeIndex& Cube() const { return cube_; }
    const ColorTable& GreyToIndex() const { return greyToIndex_; }
    const ColorTable& IndexMap() const { return indexMap_; }
    const RoleRows& ColorRoles() const { return roles_; }
    int32_t Flag() const { return flag_; }

    static constexpr int32_t CubeEntry(int32_t a, int32_t b, int32_t c) { return 64 + 25 * a + 5 * b + c; }

  private:
    friend const PaletteTables& GetPaletteTables();
    // Runs the start-up build; only the process's one instance is made.
    constexpr PaletteTables();

    static constexpr int32_t kFixedColors = 48;
    static constexpr int32_t kGreyRampFirst = 48;
    static constexpr int32_t kGreyRampSize = 16;
    static constexpr int32_t kWhiteIndex = 15;

    constexpr void BuildPaletteTables();
    constexpr void FillColorCube();
    constexpr void FillGreyRamp();
    constexpr void BuildPaletteMaps();
    constexpr void InitColorRoles();
    constexpr void SetColorRoles();
    // Writes (index, colour) pairs and rescales the range they touched.
    constexpr void SetPaletteEntries(int32_t count, const IndexColor* pairs);
    constexpr void UpdatePaletteRange(int32_t first, int32_t count);

    ColorTable colors_{};
    ColorTable scaled_{};
    int32_t level_ = kFullLevel;
    ColorTable quantise3_{};
    ColorTable quantise5_{};
    CubeIndex cube_{};
    ColorTable greyToIndex_{};
    ColorTable indexMap_{};
    RoleRows roles_{};
    int32_t flag_ = 0;
};

// The tables of this process.
const PaletteTables& GetPaletteTables();
