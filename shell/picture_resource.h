// A picture resource (platform/resources.h) decoded into a true-colour HImage: four bytes a pixel,
// blue, green, red and 0, as the skin composer and the about box draw them.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"
#include "platform/resources.h"

#include <cstdint>

// Fails with a clear text when no table holds the resource or its PNG does not decode.
CError ReadPictureResource(ResourceKind kind, int32_t id, HImageRef& picture);
