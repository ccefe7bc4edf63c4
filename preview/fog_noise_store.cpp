#include "preview/fog_noise_store.h"

#include "foundation/archives/archive_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int32_t kFlatSide = 256;
constexpr int32_t kCubeSide = 256;
constexpr int32_t kSmallCubeSide = 64;
// Cache files hold noise of this start frequency only: their names do not say it.
constexpr int32_t kFileFrequencyExponent = 3;
constexpr int32_t kMaxFrequencyExponent = 16;
constexpr float kPersistence = 0.5f;
constexpr uint32_t kSeed = 0;
constexpr const char* kCacheSubfolder = "Velquon/Beamvista";

XAFsName EnvironmentFolder(const char* name, const char* below)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return XAFsName();
    XAFsName folder(value);
    return below != nullptr ? folder.AppendPath(below) : folder;
}

} // namespace

FogNoiseRequest FogNoiseRequestFor(bool cube, bool smallCube, int32_t frequencyExponent)
{
    FogNoiseRequest request;
    if (cube) {
        const int32_t side = smallCube ? kSmallCubeSide : kCubeSide;
        request.x = request.y = request.z = side;
    } else {
        request.x = request.y = kFlatSide;
        request.z = 1;
    }
    request.frequencyExponent = frequencyExponent;
    return request;
}

XAFsName FogNoiseFileName(int32_t x, int32_t y, int32_t z)
{
    return XAString::Format("F%dx%dx%d.dat", x, y, z);
}

XAFsName FogNoiseCacheFolder()
{
    XAFsName base = EnvironmentFolder("XDG_CACHE_HOME", nullptr);
    if (base.IsEmpty())
        base = EnvironmentFolder("HOME", ".cache");
    return base.IsEmpty() ? XAFsName(kCacheSubfolder) : base.AppendPath(kCacheSubfolder);
}

std::vector<XAFsName> FogNoiseFolders()
{
    return {FogNoiseCacheFolder(), XAFsName::FromModuleDirectory(), XAFsName(".").FullPath()};
}

FogNoiseStore& ProcessFogNoise()
{
    static FogNoiseStore store(FogNoiseFolders());
    return store;
}

void FogNoiseStore::Reset(std::vector<XAFsName> folders)
{
    folders_ = std::move(folders);
    noise_.Clear();
    frequencyExponent_ = 0;
    fromFile_ = false;
    cubeUnavailable_ = false;
}

bool FogNoiseStore::Fits(const FogNoiseRequest& request) const
{
    return !noise_.IsEmpty() && noise_.X() == request.x && noise_.Y() == request.y && noise_.Z() >= request.z &&
           frequencyExponent_ == request.frequencyExponent;
}

FogNoiseStore::Outcome FogNoiseStore::Obtain(const FogNoiseRequest& request, const ProgressFactory& progress)
{
    if (Fits(request))
        return Outcome::Cached;
    noise_.Clear();
    if (request.frequencyExponent == kFileFrequencyExponent && ReadFromFiles(request)) {
        fromFile_ = true;
        return Outcome::FromFile;
    }
    fromFile_ = false;
    if (!Compute(request, progress)) {
        noise_.Clear();
        cubeUnavailable_ = true;
        return Outcome::Missing;
    }
    if (request.z <= 1 || request.frequencyExponent != kFileFrequencyExponent)
        return Outcome::Computed;
    cubeUnavailable_ = false;
    WriteCube();
    return Outcome::ComputedCube;
}

void FogNoiseStore::DropIfFromFile()
{
    if (fromFile_)
        noise_.Clear();
}

bool FogNoiseStore::ReadFromFiles(const FogNoiseRequest& request)
{
    const XAFsName name = FogNoiseFileName(request.x, request.y, request.z);
    frequencyExponent_ = kFileFrequencyExponent;
    for (const XAFsName& folder : folders_) {
        const XAFsName path = folder.AppendPath(name.CStr());
        LArchiveFile file;
        if (!file.Open(path.CStr(), kArchiveFileRead))
            continue;
        noise_.Read(file);
        file.Close();
        if (Fits(request))
            return true;
        noise_.Clear();
    }
    return false;
}

bool FogNoiseStore::Compute(const FogNoiseRequest& request, const ProgressFactory& progress)
{
    const int32_t exponent = std::clamp(request.frequencyExponent, 0, kMaxFrequencyExponent);
    const int32_t start = 1 << exponent;
    std::unique_ptr<LPerlinNoiseCallback> box;
    if (request.z > 1 && progress)
        box = progress();
    LPerlinNoiseFloat noise;
    noise.SetCallback(box.get());
    const bool built = noise.Build(request.x, request.y, request.z, start,
                                   NoiseOctaves(request.x, request.y, request.z, start), kPersistence, kSeed);
    box.reset();
    if (!built || !noise_.Assign(noise))
        return false;
    frequencyExponent_ = request.frequencyExponent;
    return true;
}

// Into a temporary file beside the target, renamed over it once complete, so that a cut write
// never leaves a short cube for the next start to read.
bool FogNoiseStore::WriteCube() const
{
    if (folders_.empty())
        return false;
    const XAFsName target = folders_.front().AppendPath(FogNoiseFileName(noise_.X(), noise_.Y(), noise_.Z()).CStr());
    const XAString temporary = XAString::Format("%s.%d.tmp", target.CStr(), static_cast<int32_t>(::getpid()));
    LArchiveFile file;
    if (!file.Open(temporary.CStr(), kArchiveFileCreateDirs))
        return false;
    noise_.Write(file);
    file.Close();
    const bool written = !file.HasError() && std::rename(temporary.CStr(), target.CStr()) == 0;
    if (!written)
        std::remove(temporary.CStr());
    return written;
}
