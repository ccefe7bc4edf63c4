// Lattice noise for the fog: octaves of random lattices, smoothed, wrapped so that the noise tiles
// in every direction, stretched to the full size and summed, then normalised to [0, 1]; and its
// byte form, which the fog texture and the noise cache file hold.
//
// The float steps are written so that every compiler gives the same bytes: the files that compute
// them are built without contraction into fused multiply-adds and without fast-math, and the cache
// files of one machine serve every build.
#pragma once

#include "controls/l_perlin_noise_callback.h"

#include <cstdint>
#include <memory>

class LArchiveBase;

class LPerlinNoiseBase
{
  public:
    virtual ~LPerlinNoiseBase() = default;
};

class LPerlinNoiseFloat : public LPerlinNoiseBase
{
  public:
    // Computes x by y by z values in [0, 1] (x fastest) from start frequency f0 over `octaves`
    // octaves, each `persistence` times as strong as the one before. False, with the object
    // cleared, when the callback stopped it, a size is not positive or memory ran out.
    bool Build(int32_t x, int32_t y, int32_t z, int32_t startFrequency, int32_t octaves, float persistence,
               uint32_t seed);
    // Polled once per depth layer of every stage, so that no stretch between two polls touches
    // more than a layer of cells; null: never stop.
    void SetCallback(LPerlinNoiseCallback* callback) { callback_ = callback; }
    void Clear();

    int32_t X() const { return x_; }
    int32_t Y() const { return y_; }
    int32_t Z() const { return z_; }
    // x y z values, x fastest; null when nothing was built.
    const float* Values() const { return accumulator_.get(); }

  private:
    struct Extent
    {
        int32_t x, y, z; // inner cells; the lattice has 2 more on each side
        int64_t Index(int32_t i, int32_t j, int32_t k) const
        {
            return (static_cast<int64_t>(k) * (y + 4) + j) * (x + 4) + i;
        }
    };

    bool Allocate(int32_t x, int32_t y, int32_t z);
    // The first octave sets the sums, each later one adds to them.
    bool AddOctave(int32_t frequency, float amplitude, bool first);
    bool Stopped();
    bool Fill(float* lattice, const Extent& e);
    bool Accumulate(const float* octave, float amplitude, bool first);
    bool Smooth(const float* from, float* to, const Extent& e, int axis);
    bool StretchX(const float* from, float* to, const Extent& coarse);
    bool StretchY(const float* from, float* to, const Extent& coarse);
    bool StretchZ(const float* from, float* to, const Extent& coarse);
    void Normalise();
    static void Wrap(float* lattice, const Extent& e);

    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t z_ = 0;
    LPerlinNoiseCallback* callback_ = nullptr;
    std::unique_ptr<float[]> lattice_;
    std::unique_ptr<float[]> scratch_;
    std::unique_ptr<float[]> accumulator_;
    uint32_t randomA_ = 0;
    uint32_t randomB_ = 0;
};

class LPerlinNoiseUChar : public LPerlinNoiseBase
{
  public:
    // Takes the sizes of built noise and its values as bytes: v x 256 truncated, held to 0..255.
    bool Assign(const LPerlinNoiseFloat& noise);
    // Takes x y z bytes as they are; false (and cleared) for sizes that are not positive.
    bool Assign(int32_t x, int32_t y, int32_t z, const uint8_t* bytes);
    // The cache file's record: version 0 (readable from 0), x, y, z, the byte count, the bytes.
    void Write(LArchiveBase& archive) const;
    // Clears unless the record holds positive sizes and exactly x y z bytes that the archive
    // still has; the archive is then left in error.
    void Read(LArchiveBase& archive);
    void Clear();

    bool IsEmpty() const { return bytes_ == nullptr; }
    int32_t X() const { return x_; }
    int32_t Y() const { return y_; }
    int32_t Z() const { return z_; }
    int64_t Count() const { return static_cast<int64_t>(x_) * y_ * z_; }
    const uint8_t* Bytes() const { return bytes_.get(); }

  private:
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t z_ = 0;
    std::unique_ptr<uint8_t[]> bytes_;
};

// The value's byte: v x 256 truncated, 0 at or below 0 (and for NaN), 255 from 256 on.
uint8_t NoiseByte(float value);
// 1 plus the doublings of the start frequency needed to reach every size.
int32_t NoiseOctaves(int32_t x, int32_t y, int32_t z, int32_t startFrequency);
