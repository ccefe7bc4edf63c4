#include "preview/preview_projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kNear = 0.001;
constexpr double kFar = 10;
constexpr double kRadiansToDegrees = 57.295779513;
} // namespace

PreviewProjection ComputePreviewProjection(int32_t width, int32_t height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    PreviewProjection projection;
    if (width < height) {
        projection.aspectX = static_cast<float>(width) / static_cast<float>(height);
    } else {
        projection.aspectY = static_cast<float>(height) / static_cast<float>(width);
        projection.fieldOfView = 2 * std::atan(static_cast<double>(height) / width) * kRadiansToDegrees;
    }
    projection.pixelSize = projection.aspectX * 2 / static_cast<float>(width);
    return projection;
}

void LoadPreviewProjection(const PreviewProjection& projection)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(projection.fieldOfView, projection.aspectX / projection.aspectY, kNear, kFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
