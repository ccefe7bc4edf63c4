// Parameter files (".zyp"): the preview's look as a parameter set, its picture slots and the AVI
// export settings that older files carry. The reader fills a content record and changes nothing
// else, so the preview applies a file only once all of it was read.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/strings/xa_block.h"
#include "foundation/strings/xa_string.h"
#include "params/beamvista_pars.h"
#include "preview/l_avi_compress_options.h"
#include "show/l_laser_preview_bitmap.h"

#include <array>
#include <cstdint>

class LArchiveBase;

inline constexpr int32_t kSettingsPictureSlots = 8;
using LSettingsPictures = std::array<LLaserPreviewBitmap, kSettingsPictureSlots>;

// The AVI export settings: only loaded and kept, nothing uses them.
struct LAviExportSettings
{
    static constexpr float kDefaultFrameRate = 25;

    float frameRate = kDefaultFrameRate;
    LAviCompressOptions options;
    int32_t state = 0;
    XAString text;
    XABlock data;
    bool switch1 = false;
    bool switch2 = false;
};

struct LSettingsFileContent
{
    // Before reading: the values the file does not carry (the live set's).
    LBeamvistaPars pars;
    LSettingsPictures pictures;
    int32_t version = 0;
    bool hasAvi = false;
    LAviExportSettings avi;
    bool hasWindowSize = false;
    int32_t width = 0;
    int32_t height = 0;
    bool hasAviSwitches = false;
};

// The whole file: the parameter set's file groups, every picture holding file bytes, and the
// optional blocks written as absent.
void WriteSettingsFile(LArchiveBase& archive, const LBeamvistaPars& pars, const LSettingsPictures& pictures);

// Reads a whole file into content; false with the archive's error when anything is amiss. Files
// of a newer version that older readers may read are read up to the last known field.
bool ReadSettingsFile(LArchiveBase& archive, LSettingsFileContent& content);

// Writes the file beside path under a new name and puts it in place of path only when all of
// it reached the disk, so a failure leaves the old file as it was and no temporary behind.
CError SaveSettingsFileAt(const char* path, const LBeamvistaPars& pars, const LSettingsPictures& pictures);
