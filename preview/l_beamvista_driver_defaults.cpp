// The OpenGL switches chosen for the graphics driver of the preview's context, and the user's
// stored choice of them.
#include "preview/l_beamvista.h"

#include <GL/gl.h>

std::optional<GlDriverInfo> LBeamvista::CurrentDriver()
{
    if (!MakeCurrent())
        return std::nullopt;
    GlDriverInfo driver;
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    driver.renderer = renderer != nullptr ? renderer : "";
    GLfloat range[2] = {1.0f, 1.0f};
    glGetFloatv(GL_LINE_WIDTH_RANGE, range);
    driver.widestLine = range[1];
    return driver;
}

void LBeamvista::DetectDriverDefaults(LBeamvistaPars& set)
{
    if (const std::optional<GlDriverInfo> driver = CurrentDriver())
        ::DetectDriverDefaults(*driver, set);
}

void LBeamvista::ApplyDriverDefaults()
{
    DriverDefaults::Apply(CurrentDriver(), livePars_);
}

bool LBeamvista::LoadOpenGlDefaults(bool detectWhenMissing)
{
    return DriverDefaults::Load(detectWhenMissing, CurrentDriver(), livePars_);
}

bool LBeamvista::SaveOpenGlDefaults()
{
    return DriverDefaults::Save(livePars_);
}
