#include "params/internal/beamvista_parameter_key.h"

#include <cstring>

namespace {

constexpr const char* kNodeName = "Beamvista";
constexpr const char* kKeyPrefix = "Beamvista.";
constexpr const char* kOptionPrefix = "o_";

} // namespace

XAString BeamvistaParameterKey(const char* name)
{
    if (!name || !*name)
        return XAString(kNodeName);
    const size_t prefixLength = std::strlen(kOptionPrefix);
    if (std::strncmp(name, kOptionPrefix, prefixLength) == 0)
        name += prefixLength;
    return kKeyPrefix + XAString(name).Replace("_", ".");
}
