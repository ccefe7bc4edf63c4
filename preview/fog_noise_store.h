// Where the fog's noise bytes come from: the process's memory cache, then the noise cache files
// "F<x>x<y>x<z>.dat" in the cache folder, the program's folder and the current folder, then a
// computation, under a progress box for a cube. A computed cube is written to the cache folder, so
// a machine computes it once.
//
// GUI thread only; the computation runs on the caller's thread and pumps the progress box.
#pragma once

#include "foundation/files/fs_name.h"
#include "preview/perlin_noise.h"

#include <functional>
#include <memory>
#include <vector>

struct FogNoiseRequest
{
    int32_t x = 256;
    int32_t y = 256;
    int32_t z = 1;
    // The start frequency is 2 to this power.
    int32_t frequencyExponent = 3;
};

// 256 x 256 x 1 flat, else a cube of 64 (small) or 256.
FogNoiseRequest FogNoiseRequestFor(bool cube, bool smallCube, int32_t frequencyExponent);
// The cache file's name for the sizes.
XAFsName FogNoiseFileName(int32_t x, int32_t y, int32_t z);
// "Velquon/Beamvista" under $XDG_CACHE_HOME, else under $HOME/.cache, else relative.
XAFsName FogNoiseCacheFolder();
// The cache folder, the program's folder, the current folder.
std::vector<XAFsName> FogNoiseFolders();

class FogNoiseStore
{
  public:
    // Made once per cube computation; null (or a null function): no box, nothing stops it.
    using ProgressFactory = std::function<std::unique_ptr<LPerlinNoiseCallback>()>;

    enum class Outcome {
        Cached,       // the memory cache already fitted
        FromFile,     // read from a cache file
        Computed,     // computed (flat, or a cube that could not be written)
        ComputedCube, // a computed cube, written to the cache folder
        Missing,      // stopped or out of memory: no noise
    };

    // Folders searched in order; the first one takes computed cubes.
    explicit FogNoiseStore(std::vector<XAFsName> folders) : folders_(std::move(folders)) {}

    // Empty again, over other folders (the process's store in tests).
    void Reset(std::vector<XAFsName> folders);

    // On success the noise holds x and y of the request and at least its z.
    Outcome Obtain(const FogNoiseRequest& request, const ProgressFactory& progress);
    // After flat fog was made: a cube that came from a file is dropped (a computed one stays).
    void DropIfFromFile();

    const LPerlinNoiseUChar& Noise() const { return noise_; }
    bool CameFromFile() const { return fromFile_; }
    // Set when a computation left no noise; then only flat fog is asked for.
    bool CubeUnavailable() const { return cubeUnavailable_; }
    void SetCubeUnavailable(bool unavailable) { cubeUnavailable_ = unavailable; }

  private:
    bool Fits(const FogNoiseRequest& request) const;
    bool ReadFromFiles(const FogNoiseRequest& request);
    bool Compute(const FogNoiseRequest& request, const ProgressFactory& progress);
    bool WriteCube() const;

    std::vector<XAFsName> folders_;
    LPerlinNoiseUChar noise_;
    int32_t frequencyExponent_ = 0;
    bool fromFile_ = false;
    bool cubeUnavailable_ = false;
};

// The process's store over FogNoiseFolders(), shared by every preview.
FogNoiseStore& ProcessFogNoise();
