// The desktop's colours that the owner-drawn controls start from (the face of a button, its
// light and dark edges, window text and background). The toolkit's backend answers them from
// the desktop theme; without one, a fixed palette answers, so display-free code paints the same
// everywhere. Tests put a palette of their own in place with ScopedSystemColours.
#pragma once

#include "platform/raster_bitmap.h"

#include <array>
#include <cstdint>

enum class SystemColour : int32_t {
    kButtonText,
    kButtonFace,
    kButtonHighlight,
    kButtonShadow,
    k3dLight,
    k3dDarkShadow,
    kWindowText,
    kWindow,
    kCount,
};

class SystemColourSource
{
  public:
    virtual ~SystemColourSource() = default;
    virtual RgbColour Get(SystemColour which) const = 0;
};

// A fixed table of colours.
class SystemColourPalette : public SystemColourSource
{
  public:
    using Table = std::array<RgbColour, static_cast<size_t>(SystemColour::kCount)>;

    explicit SystemColourPalette(const Table& table) : table_(table) {}
    RgbColour Get(SystemColour which) const override { return table_[static_cast<size_t>(which)]; }

    // Grey faces, white highlights, black text: what the controls were drawn against.
    static const SystemColourPalette& Classic();

  private:
    Table table_;
};

const SystemColourSource& CurrentSystemColours();
// Puts `source` in place (null: the fixed palette) and returns the one before (null for the
// fixed palette). The caller keeps `source` alive while it is in place.
const SystemColourSource* SetSystemColours(const SystemColourSource* source);

class ScopedSystemColours
{
  public:
    explicit ScopedSystemColours(const SystemColourSource& source) : previous_(SetSystemColours(&source)) {}
    ~ScopedSystemColours() { SetSystemColours(previous_); }
    ScopedSystemColours(const ScopedSystemColours&) = delete;
    ScopedSystemColours& operator=(const ScopedSystemColours&) = delete;

  private:
    const SystemColourSource* previous_;
};
