#pragma once
// The six OpenGL switches of a parameter set, compared and printed as one value in tests.

#include "params/beamvista_pars.h"

#include <ostream>

struct OpenGlSwitches
{
    int generic, enhanced, enhancedBeam, profile, smooth, fog3d;
    bool operator==(const OpenGlSwitches&) const = default;
};

inline OpenGlSwitches SwitchesOf(const LBeamvistaPars& p)
{
    return {p.o_force_generic_opengl, p.o_enhanced_lines, p.o_enhanced_lines_beam,
            p.o_beam_profile,         p.o_polygon_smooth, p.o_fog_3d};
}

inline std::ostream& operator<<(std::ostream& os, const OpenGlSwitches& s)
{
    return os << s.generic << s.enhanced << s.enhancedBeam << s.profile << s.smooth << s.fog3d;
}
