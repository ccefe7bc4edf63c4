// Where exported snapshots go: the base folder below the temporary folder, a folder per size,
// and the numbered names of snapshots taken without a show.
#pragma once

#include "foundation/strings/xa_string.h"

#include <array>
#include <cstdint>
#include <optional>

struct ExportSize
{
    int32_t width;
    int32_t height;
};

// The sizes of the all-sizes export, in their order.
inline constexpr std::array<ExportSize, 8> kExportSizes{{
    {160, 120},
    {320, 240},
    {640, 480},
    {800, 600},
    {1024, 768},
    {1024, 1024},
    {1280, 1024},
    {1280, 1280},
}};

// $TMPDIR (else "/tmp") + "/Beamvista/Bmp", each level made when missing (failures ignored).
XAString ExportBaseFolder();

// A snapshot of base path P at w x h: the folder (folder of P)/"WxH" and in it the file
// (file name of P) + "-WxH.bmp".
XAString SnapshotFolder(const XAString& path, int32_t width, int32_t height);
XAString SnapshotFile(const XAString& path, int32_t width, int32_t height);

// The first numbered base path "Beamvista-NNNN" in the base folder, counting from counter up
// (counter moves past every number tried), whose size folder holds no "Beamvista-NNNN*.bmp".
// None when all 10,000 numbers are taken.
std::optional<XAString> NextNumberedExport(const XAString& baseFolder, int32_t& counter, int32_t width,
                                           int32_t height);
