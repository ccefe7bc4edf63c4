#pragma once
// How a preview parameter is kept in the plain record, and the five blocks the record's fields
// fall into.

#include <cmath>
#include <cstdint>
#include <limits>

#include "foundation/strings/xa_string.h"

enum class BeamvistaStorage : uint8_t {
    Byte,  // a switch, exactly 0 or 1
    Int32, // any other integer
    Float, // a real, narrowed to single precision
    Text,  // a file name, shared 8-bit text
};

template <BeamvistaStorage S> struct BeamvistaStorageTraits;
template <> struct BeamvistaStorageTraits<BeamvistaStorage::Byte>
{
    using Type = uint8_t;
};
template <> struct BeamvistaStorageTraits<BeamvistaStorage::Int32>
{
    using Type = int32_t;
};
template <> struct BeamvistaStorageTraits<BeamvistaStorage::Float>
{
    using Type = float;
};
template <> struct BeamvistaStorageTraits<BeamvistaStorage::Text>
{
    using Type = XAString;
};
template <BeamvistaStorage S> using BeamvistaStorageType = typename BeamvistaStorageTraits<S>::Type;

// In the order in which every masked operation visits them, which is also the field order.
enum class BeamvistaBlock : uint8_t { Main, OpenGl, Simulation, Backgrounds, Extended };

// A real narrowed to single precision as the hardware does it: beyond the float range it becomes
// an infinity of its sign (a plain conversion would be undefined there).
inline float NarrowToFloat(double value)
{
    if (std::fabs(value) > std::numeric_limits<float>::max() && std::isfinite(value))
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
