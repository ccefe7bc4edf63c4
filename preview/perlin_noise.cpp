#include "preview/perlin_noise.h"

#include "foundation/archives/archive_base.h"
#include "foundation/text/random.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr int32_t kRandomRange = 1 << 24;
constexpr float kRandomScale = 1.0f / static_cast<float>(kRandomRange);
constexpr float kNeighbourWeight = 0.25f;
constexpr float kCentreWeight = 0.5f;
constexpr float kMinimumStart = 1000000.0f;
constexpr float kByteScale = 256.0f;
constexpr int32_t kCacheVersion = 0;
// Sizes whose lattices could not be counted in 64 bits stop well before that.
constexpr int32_t kMaxSide = 1 << 16;

std::unique_ptr<float[]> NewFloats(int64_t count)
{
    return std::unique_ptr<float[]>(new (std::nothrow) float[static_cast<size_t>(count)]);
}

// Border cell b of an axis with c inner cells holds inner cell (b - 2) mod c.
int32_t WrapSource(int32_t b, int32_t c)
{
    return 2 + ((b - 2) % c + c) % c;
}

struct Place
{
    int32_t cell; // coarse inner cell
    float fraction;
};

// Output cell i of n takes coarse position i c / n.
Place Stretched(int32_t i, int32_t c, int32_t n)
{
    const int64_t position = static_cast<int64_t>(i) * c;
    return {static_cast<int32_t>(position / n), static_cast<float>(position % n) / static_cast<float>(n)};
}

float Mix(float a, float b, float t)
{
    return (1.0f - t) * a + t * b;
}

} // namespace

uint8_t NoiseByte(float value)
{
    const float scaled = value * kByteScale;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= kByteScale)
        return 255;
    return static_cast<uint8_t>(scaled);
}

int32_t NoiseOctaves(int32_t x, int32_t y, int32_t z, int32_t startFrequency)
{
    const int64_t largest = std::max({x, y, z});
    int64_t frequency = std::max(startFrequency, 1);
    int32_t octaves = 1;
    while (frequency < largest) {
        frequency *= 2;
        ++octaves;
    }
    return octaves;
}

void LPerlinNoiseFloat::Clear()
{
    x_ = y_ = z_ = 0;
    lattice_.reset();
    scratch_.reset();
    accumulator_.reset();
}

bool LPerlinNoiseFloat::Allocate(int32_t x, int32_t y, int32_t z)
{
    const int64_t cells = static_cast<int64_t>(x + 4) * (y + 4) * (z + 4);
    lattice_ = NewFloats(cells);
    scratch_ = NewFloats(cells);
    accumulator_ = NewFloats(cells);
    if (!lattice_ || !scratch_ || !accumulator_)
        return false;
    x_ = x;
    y_ = y;
    z_ = z;
    return true;
}

bool LPerlinNoiseFloat::Build(int32_t x, int32_t y, int32_t z, int32_t startFrequency, int32_t octaves,
                              float persistence, uint32_t seed)
{
    Clear();
    if (x < 1 || y < 1 || z < 1 || x > kMaxSide || y > kMaxSide || z > kMaxSide || startFrequency < 1 ||
        !Allocate(x, y, z)) {
        Clear();
        return false;
    }
    RandomSeed(seed, randomA_, randomB_);
    // Without an octave the sums stay 0.
    if (octaves < 1)
        std::fill_n(accumulator_.get(), static_cast<int64_t>(x) * y * z, 0.0f);
    int64_t frequency = startFrequency;
    float amplitude = 1.0f;
    for (int32_t k = 0; k < octaves; ++k) {
        if (!AddOctave(static_cast<int32_t>(std::min<int64_t>(frequency, kMaxSide)), amplitude, k == 0)) {
            Clear();
            return false;
        }
        frequency *= 2;
        amplitude *= persistence;
    }
    Normalise();
    return true;
}

bool LPerlinNoiseFloat::Stopped()
{
    return callback_ != nullptr && callback_->Abort();
}

// Lattice -> scratch -> lattice -> scratch through the smoothing, back and forth through the
// stretches, so the last stage leaves the octave compactly in the lattice.
bool LPerlinNoiseFloat::AddOctave(int32_t frequency, float amplitude, bool first)
{
    const Extent coarse{std::min(x_, frequency), std::min(y_, frequency), std::min(z_, frequency)};
    float* lattice = lattice_.get();
    float* scratch = scratch_.get();
    if (!Fill(lattice, coarse))
        return false;
    Wrap(lattice, coarse);
    if (!Smooth(lattice, scratch, coarse, 0) || !Smooth(scratch, lattice, coarse, 1) ||
        !Smooth(lattice, scratch, coarse, 2))
        return false;
    Wrap(scratch, coarse);
    if (!StretchX(scratch, lattice, coarse))
        return false;
    Wrap(lattice, Extent{x_, coarse.y, coarse.z});
    if (!StretchY(lattice, scratch, coarse))
        return false;
    Wrap(scratch, Extent{x_, y_, coarse.z});
    if (!StretchZ(scratch, lattice, coarse))
        return false;
    return Accumulate(lattice, amplitude, first);
}

// Layer by layer, in the order of the cells, so the generator's sequence is the same.
bool LPerlinNoiseFloat::Fill(float* lattice, const Extent& e)
{
    const int64_t layer = static_cast<int64_t>(e.x + 4) * (e.y + 4);
    for (int32_t k = 0; k < e.z + 4; ++k) {
        if (Stopped())
            return false;
        float* out = lattice + k * layer;
        for (int64_t i = 0; i < layer; ++i)
            out[i] = static_cast<float>(RandomMod(kRandomRange, randomA_, randomB_)) * kRandomScale;
    }
    return true;
}

// The sums' memory is first touched here, a layer at a time: the system maps a cube's pages
// slowly enough that touching them all at once kept the progress box waiting for most of a second.
bool LPerlinNoiseFloat::Accumulate(const float* octave, float amplitude, bool first)
{
    const int64_t layer = static_cast<int64_t>(x_) * y_;
    for (int32_t k = 0; k < z_; ++k) {
        if (Stopped())
            return false;
        float* sum = accumulator_.get() + k * layer;
        const float* add = octave + k * layer;
        if (first) {
            for (int64_t i = 0; i < layer; ++i)
                sum[i] = amplitude * add[i];
        } else {
            for (int64_t i = 0; i < layer; ++i)
                sum[i] += amplitude * add[i];
        }
    }
    return true;
}

void LPerlinNoiseFloat::Wrap(float* lattice, const Extent& e)
{
    constexpr int32_t kBorders[] = {0, 1, 2, 3};
    auto border = [](int32_t n, int32_t c) { return n < 2 ? n : c + n; };
    for (int32_t k = 0; k < e.z + 4; ++k)
        for (int32_t j = 0; j < e.y + 4; ++j)
            for (int32_t n : kBorders) {
                const int32_t b = border(n, e.x);
                lattice[e.Index(b, j, k)] = lattice[e.Index(WrapSource(b, e.x), j, k)];
            }
    for (int32_t k = 0; k < e.z + 4; ++k)
        for (int32_t n : kBorders) {
            const int32_t b = border(n, e.y);
            std::memcpy(&lattice[e.Index(0, b, k)], &lattice[e.Index(0, WrapSource(b, e.y), k)],
                        sizeof(float) * static_cast<size_t>(e.x + 4));
        }
    const size_t layer = sizeof(float) * static_cast<size_t>(e.x + 4) * static_cast<size_t>(e.y + 4);
    for (int32_t n : kBorders) {
        const int32_t b = border(n, e.z);
        std::memcpy(&lattice[e.Index(0, 0, b)], &lattice[e.Index(0, 0, WrapSource(b, e.z))], layer);
    }
}

bool LPerlinNoiseFloat::Smooth(const float* from, float* to, const Extent& e, int axis)
{
    const int32_t size[3] = {e.x + 4, e.y + 4, e.z + 4};
    const int64_t stride[3] = {1, size[0], static_cast<int64_t>(size[0]) * size[1]};
    for (int32_t k = 0; k < size[2]; ++k) {
        if (Stopped())
            return false;
        for (int32_t j = 0; j < size[1]; ++j)
            for (int32_t i = 0; i < size[0]; ++i) {
                const int32_t at[3] = {i, j, k};
                const int64_t index = e.Index(i, j, k);
                const int32_t m = at[axis];
                if (m == 0 || m == size[axis] - 1) {
                    to[index] = from[index];
                    continue;
                }
                const int64_t step = stride[axis];
                to[index] = kNeighbourWeight * from[index - step] + kCentreWeight * from[index] +
                            kNeighbourWeight * from[index + step];
            }
    }
    return true;
}

bool LPerlinNoiseFloat::StretchX(const float* from, float* to, const Extent& coarse)
{
    const Extent wide{x_, coarse.y, coarse.z};
    for (int32_t k = 2; k < coarse.z + 2; ++k) {
        if (Stopped())
            return false;
        for (int32_t j = 2; j < coarse.y + 2; ++j)
            for (int32_t i = 0; i < x_; ++i) {
                const Place p = Stretched(i, coarse.x, x_);
                to[wide.Index(i + 2, j, k)] =
                    Mix(from[coarse.Index(p.cell + 2, j, k)], from[coarse.Index(p.cell + 3, j, k)], p.fraction);
            }
    }
    return true;
}

bool LPerlinNoiseFloat::StretchY(const float* from, float* to, const Extent& coarse)
{
    const Extent source{x_, coarse.y, coarse.z};
    const Extent tall{x_, y_, coarse.z};
    for (int32_t k = 2; k < coarse.z + 2; ++k) {
        if (Stopped())
            return false;
        for (int32_t j = 0; j < y_; ++j) {
            const Place p = Stretched(j, coarse.y, y_);
            for (int32_t i = 2; i < x_ + 2; ++i)
                to[tall.Index(i, j + 2, k)] = Mix(from[source.Index(i, p.cell + 2, k)],
                                                   from[source.Index(i, p.cell + 3, k)], p.fraction);
        }
    }
    return true;
}

bool LPerlinNoiseFloat::StretchZ(const float* from, float* to, const Extent& coarse)
{
    const Extent source{x_, y_, coarse.z};
    for (int32_t k = 0; k < z_; ++k) {
        if (Stopped())
            return false;
        const Place p = Stretched(k, coarse.z, z_);
        float* out = to + static_cast<int64_t>(k) * x_ * y_;
        for (int32_t j = 0; j < y_; ++j)
            for (int32_t i = 0; i < x_; ++i)
                *out++ = Mix(from[source.Index(i + 2, j + 2, p.cell + 2)], from[source.Index(i + 2, j + 2, p.cell + 3)],
                             p.fraction);
    }
    return true;
}

void LPerlinNoiseFloat::Normalise()
{
    const int64_t count = static_cast<int64_t>(x_) * y_ * z_;
    float* values = accumulator_.get();
    float minimum = kMinimumStart;
    float maximum = -kMinimumStart;
    for (int64_t i = 0; i < count; ++i) {
        minimum = std::min(minimum, values[i]);
        maximum = std::max(maximum, values[i]);
    }
    if (!(maximum > minimum)) {
        std::fill_n(values, count, 0.0f);
        return;
    }
    const float range = maximum - minimum;
    for (int64_t i = 0; i < count; ++i)
        values[i] = (values[i] - minimum) / range;
}

void LPerlinNoiseUChar::Clear()
{
    x_ = y_ = z_ = 0;
    bytes_.reset();
}

bool LPerlinNoiseUChar::Assign(int32_t x, int32_t y, int32_t z, const uint8_t* bytes)
{
    Clear();
    if (x < 1 || y < 1 || z < 1)
        return false;
    const int64_t count = static_cast<int64_t>(x) * y * z;
    bytes_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(count)]);
    if (!bytes_)
        return false;
    if (bytes != nullptr)
        std::memcpy(bytes_.get(), bytes, static_cast<size_t>(count));
    x_ = x;
    y_ = y;
    z_ = z;
    return true;
}

bool LPerlinNoiseUChar::Assign(const LPerlinNoiseFloat& noise)
{
    if (noise.Values() == nullptr || !Assign(noise.X(), noise.Y(), noise.Z(), nullptr)) {
        Clear();
        return false;
    }
    const int64_t count = Count();
    const float* values = noise.Values();
    for (int64_t i = 0; i < count; ++i)
        bytes_[static_cast<size_t>(i)] = NoiseByte(values[i]);
    return true;
}

void LPerlinNoiseUChar::Write(LArchiveBase& archive) const
{
    archive.WriteVersion(kCacheVersion, kCacheVersion);
    archive.WriteCount(x_);
    archive.WriteCount(y_);
    archive.WriteCount(z_);
    const int64_t count = Count();
    archive.WriteCount(static_cast<int32_t>(count));
    if (count > 0)
        archive.WriteBlock(bytes_.get(), static_cast<int32_t>(count));
}

void LPerlinNoiseUChar::Read(LArchiveBase& archive)
{
    Clear();
    int32_t version = 0;
    if (!archive.ReadVersion(kCacheVersion, kCacheVersion, version))
        return;
    const int32_t x = archive.ReadCount();
    const int32_t y = archive.ReadCount();
    const int32_t z = archive.ReadCount();
    const int32_t stored = archive.ReadCount();
    if (archive.HasError() || x < 1 || y < 1 || z < 1 || static_cast<int64_t>(x) * y * z != stored)
        return;
    // Checked against what the stream holds before anything is allocated.
    if (!archive.HasBytes(stored) || !Assign(x, y, z, nullptr))
        return;
    if (archive.ReadBlock(bytes_.get(), stored, stored) != stored || archive.HasError())
        Clear();
}
