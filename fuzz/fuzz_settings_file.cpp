// Reads a parameter file from hostile bytes: a failed read must leave what it was given unchanged
// apart from its own record, and what a good read produced must survive being written and read
// again.
#include "foundation/archives/archive_xstring.h"
#include "fuzz/beamvista_fuzz_fields.h"
#include "preview/settings_file.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool ReadFrom(LSettingsFileContent& content, const void* data, size_t size)
{
    LArchiveXString archive;
    if (!archive.OpenReadMemory(data, static_cast<int32_t>(size), false))
        std::abort();
    const bool ok = ReadSettingsFile(archive, content);
    if (ok == archive.HasError())
        std::abort();
    archive.Close();
    return ok;
}

bool SamePictures(const LSettingsPictures& a, const LSettingsPictures& b)
{
    for (int32_t slot = 0; slot < kSettingsPictureSlots; ++slot) {
        // The type is left out: a PNG record names no type, and its reader takes it from the name.
        if (a[slot].FileBytes() != b[slot].FileBytes() || a[slot].Name() != b[slot].Name())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LSettingsFileContent content;
    content.pars = BeamvistaFuzzStart();
    if (!ReadFrom(content, data, size))
        return 0;
    LArchiveXString writer;
    if (!writer.OpenWrite(0))
        std::abort();
    WriteSettingsFile(writer, content.pars, content.pictures);
    const XAString written = writer.TakeString();
    writer.Close();
    LSettingsFileContent again;
    again.pars = content.pars;
    if (!ReadFrom(again, written.CStr(), static_cast<size_t>(written.Length())))
        std::abort();
    if (!BeamvistaSameFields(again.pars, content.pars))
        std::abort();
    if (!SamePictures(again.pictures, content.pictures))
        std::abort();
    return 0;
}
