// Picture export: snapshots of the shown picture as BMP files below the temporary folder, at the
// window's size or at every export size.
#include "preview/l_beamvista.h"

#include "foundation/files/fs_name.h"
#include "preview/picture_export.h"

#include <sys/stat.h>

#include <optional>

namespace {

constexpr mode_t kNewFolderMode = 0777;

} // namespace

bool LBeamvista::SaveSnapshot(const XAString& path, int32_t width, int32_t height)
{
    const HImageRef image = RenderToImage(true);
    if (image.IsEmpty())
        return false;
    ::mkdir(SnapshotFolder(path, width, height).CStr(), kNewFolderMode);
    return !image->SaveBmp(SnapshotFile(path, width, height).CStr()).Failed();
}

bool LBeamvista::SaveSnapshotAtSize(const XAString& path, int32_t width, int32_t height)
{
    // Drawn into a framebuffer of that size: the window is never resized, as a resize on X11
    // happens later and may exceed the screen.
    const int32_t windowWidth = viewportWidth_;
    const int32_t windowHeight = viewportHeight_;
    const int32_t sizeShownAt = sizeShownAt_;
    SetViewport(width, height);
    const bool saved = SaveSnapshot(path, width, height);
    SetViewport(windowWidth, windowHeight);
    sizeShownAt_ = sizeShownAt;
    return saved;
}

bool LBeamvista::ExportPictures(bool allSizes)
{
    const XAString base = ExportBaseFolder();
    // A show names its snapshots after itself and its play position; without one they are numbered.
    const XAString showName = ExportBaseName();
    const std::optional<XAString> path =
        !showName.IsEmpty() ? std::optional<XAString>(XAFsName(base).AppendPath(showName.CStr()))
                            : NextNumberedExport(base, exportCounter_, viewportWidth_, viewportHeight_);
    if (!path)
        return false;
    SaveSnapshot(*path, viewportWidth_, viewportHeight_);
    if (allSizes) {
        for (const ExportSize& size : kExportSizes) {
            if (!SaveSnapshotAtSize(*path, size.width, size.height))
                return false;
        }
    }
    Redraw();
    return true;
}
