// A show's stored parameter text from hostile bytes: on failure the record stays exactly as it
// was, on success only the blocks of the mask may have changed.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/beamvista_fuzz_fields.h"

namespace {

// Masks the system passes, and two with the bits that drop the extended block.
constexpr uint32_t kMasks[] = {kBeamvistaAllGroups, kBeamvistaFileGroups, kBeamvistaShowGroups, 0x10022,
                               0x30000};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint32_t mask = kMasks[size % std::size(kMasks)];
    const XAString text(std::string_view(reinterpret_cast<const char*>(data), size));
    const LBeamvistaPars start = BeamvistaFuzzStart();
    LBeamvistaPars pars = start;
    const bool ok = pars.FromString(text, mask);
    LBeamvistaPars outside = pars;
    outside.Assign(start, mask);
    if (!BeamvistaSameFields(ok ? outside : pars, start))
        std::abort();
    return 0;
}
