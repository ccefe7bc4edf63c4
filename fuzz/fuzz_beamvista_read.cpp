// Reads a tagged parameter stream from hostile bytes: a failed read must leave the record at the
// defaults, and whatever a successful read produced must survive being written and read again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/archives/archive_xstring.h"
#include "fuzz/beamvista_fuzz_fields.h"

namespace {

bool ReadFrom(LBeamvistaPars& pars, const XAString& text, bool resetFirst)
{
    LArchiveXString archive;
    if (!archive.OpenRead(text, -1))
        std::abort();
    pars.Read(archive, resetFirst);
    const bool ok = !archive.HasError();
    archive.Close();
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const XAString text(std::string_view(reinterpret_cast<const char*>(data), size));
    LBeamvistaPars pars = BeamvistaFuzzStart();
    const bool resetFirst = size % 2 == 0;
    if (!ReadFrom(pars, text, resetFirst)) {
        if (!BeamvistaSameFields(pars, LBeamvistaPars()))
            std::abort();
        return 0;
    }
    LArchiveXString writer;
    if (!writer.OpenWrite(0))
        std::abort();
    pars.Write(writer, kBeamvistaAllGroups);
    const XAString written = writer.TakeString();
    writer.Close();
    LBeamvistaPars again;
    if (!ReadFrom(again, written, true) || !BeamvistaSameFields(again, pars))
        std::abort();
    return 0;
}
