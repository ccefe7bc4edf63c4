#include "params/internal/beamvista_parameter_key.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(BeamvistaParameterKey, NamesToKeys)
{
    struct Case
    {
        const char* name;
        const char* key;
    };
    const Case cases[] = {
        {"", "Beamvista"},
        {nullptr, "Beamvista"},
        {"o_graphics_force", "Beamvista.graphics.force"},
        {"o_bg0_filename", "Beamvista.bg0.filename"},
        {"o_opengl_save_as_default", "Beamvista.opengl.save.as.default"},
        {"0x91205", "Beamvista.0x91205"},
        {"O_upper_case", "Beamvista.O.upper.case"}, // the prefix is case-sensitive
        {"xo_y", "Beamvista.xo.y"},
        {"o_", "Beamvista."},
        {"o", "Beamvista.o"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(BeamvistaParameterKey(c.name).View()), c.key) << (c.name ? c.name : "null");
}

} // namespace
