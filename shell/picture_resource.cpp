#include "shell/picture_resource.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/png_reader.h"

#include <string>

CError ReadPictureResource(ResourceKind kind, int32_t id, HImageRef& picture)
{
    CError error;
    const PictureResource* resource = FindPictureResource(kind, id);
    if (resource == nullptr || resource->png == nullptr) {
        error.SetError(("The picture resource " + std::to_string(id) + " is missing.").c_str(), 0);
        return error;
    }
    LArchiveXString archive;
    archive.OpenReadMemory(resource->png, static_cast<int32_t>(resource->size), false);
    error = LPngReader(false).Read(nullptr, &archive, picture);
    return error;
}
