#pragma once
// The six OpenGL switches of the preview follow the graphics driver: chosen from its renderer
// name and widest line, and stored by the user as the machine's own choice, which wins.

#include <optional>
#include <string>

class LBeamvistaPars;

struct GlDriverInfo
{
    std::string renderer;    // GL_RENDERER
    float widestLine = 1.0f; // the top of GL_LINE_WIDTH_RANGE
};

// Sets the six switches of the set from the driver's description.
void DetectDriverDefaults(const GlDriverInfo& driver, LBeamvistaPars& set);

// The operations of the preview, given the driver (none when its context cannot be made current)
// and the preview's live set, which the parameter notifications keep up to date.
class DriverDefaults
{
  public:
    // Detection laid over the generic defaults and the live parameters.
    static void Apply(const std::optional<GlDriverInfo>& driver, const LBeamvistaPars& live);
    // The live switches stored as the machine's choice; false without a registry base or when a
    // write fails.
    static bool Save(const LBeamvistaPars& live);
    // The stored switches applied; true when they were read. Without them, detection runs when
    // asked to.
    static bool Load(bool detectWhenMissing, const std::optional<GlDriverInfo>& driver,
                     const LBeamvistaPars& live);
};
