// The enciphering layer's sequential write and read over memory, next to libgcrypt's IDEA
// enciphering the same number of bytes in the same run (the cipher work the layer cannot
// avoid). Goal: the layer reads and writes at least four times libgcrypt's rate.
#include "foundation/archives/archive_crypt.h"
#include "foundation/archives/archive_xstring.h"
#include "bench/goal_ratio.h"

#include <gcrypt.h>

#include <vector>

namespace {

constexpr int32_t kStreamBytes = 96 << 10;
constexpr int32_t kChunkBytes = 16 << 10;
constexpr double kLayerGoal = 4.0;
constexpr uint8_t kKeyBytes[16] = {0x1E, 0x7C, 0x93, 0x5A, 0x48, 0xD0, 0x2F, 0x6B,
                                   0x31, 0xE4, 0x77, 0x9A, 0xC2, 0x05, 0xD6, 0xB8};

// A memory archive that keeps its bytes when the layer closes it.
class KeptMemoryArchive : public LArchiveXString
{
  public:
    bool Close(bool force) override
    {
        if (IsWriter())
            kept = TakeString();
        return LArchiveXString::Close(force);
    }
    XAString kept;
};

// Writes a stream of kStreamBytes; the raw archive's storage is made in advance, as a file
// archive needs none.
template <class Raw> void WriteStream(Raw& raw, const std::vector<uint8_t>& chunk)
{
    raw.OpenWrite(kStreamBytes + LArchiveCrypt::kDataOffset);
    LArchiveCrypt crypt;
    crypt.Attach(raw, false);
    for (int32_t at = 0; at < kStreamBytes; at += kChunkBytes)
        crypt.WriteBlock(chunk.data(), kChunkBytes);
    crypt.Close(false);
}

XAString MakeStream()
{
    KeptMemoryArchive raw;
    WriteStream(raw, std::vector<uint8_t>(kChunkBytes, 0x33));
    return raw.kept;
}

void BM_CryptReferenceLibgcrypt(benchmark::State& state)
{
    gcry_check_version(nullptr);
    gcry_cipher_hd_t handle = nullptr;
    if (gcry_cipher_open(&handle, GCRY_CIPHER_IDEA, GCRY_CIPHER_MODE_ECB, 0) != 0) {
        state.SkipWithError("libgcrypt has no IDEA");
        return;
    }
    gcry_cipher_setkey(handle, kKeyBytes, sizeof kKeyBytes);
    std::vector<uint8_t> buffer(kChunkBytes, 0x33);
    const ThroughputMeter meter;
    for (auto _ : state) {
        for (int32_t at = 0; at < kStreamBytes; at += kChunkBytes) {
            gcry_cipher_encrypt(handle, buffer.data(), buffer.size(), nullptr, 0);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    RecordReference("libgcrypt_idea", meter.Finish(state, kStreamBytes));
    gcry_cipher_close(handle);
}

void BM_CryptSequentialWrite(benchmark::State& state)
{
    const std::vector<uint8_t> chunk(kChunkBytes, 0x33);
    const ThroughputMeter meter;
    for (auto _ : state) {
        LArchiveXString raw;
        WriteStream(raw, chunk);
    }
    ReportRatioAndGoal(state, "libgcrypt_idea", meter.Finish(state, kStreamBytes), kLayerGoal);
}

void BM_CryptSequentialRead(benchmark::State& state)
{
    const XAString stream = MakeStream();
    std::vector<uint8_t> chunk(kChunkBytes);
    const ThroughputMeter meter;
    for (auto _ : state) {
        LArchiveXString raw;
        raw.OpenRead(stream, -1);
        LArchiveCrypt crypt;
        crypt.Attach(raw, false);
        while (crypt.ReadBlock(chunk.data(), 1, kChunkBytes) > 0)
            benchmark::DoNotOptimize(chunk.data());
    }
    ReportRatioAndGoal(state, "libgcrypt_idea", meter.Finish(state, kStreamBytes), kLayerGoal);
}

void BM_CryptSequentialReadI32(benchmark::State& state)
{
    const XAString stream = MakeStream();
    const ThroughputMeter meter;
    for (auto _ : state) {
        LArchiveXString raw;
        raw.OpenRead(stream, -1);
        LArchiveCrypt crypt;
        crypt.Attach(raw, false);
        int32_t sum = 0;
        for (int32_t at = 0; at < kStreamBytes; at += 4)
            sum += crypt.ReadI32();
        benchmark::DoNotOptimize(sum);
    }
    ReportRatio(state, "libgcrypt_idea", meter.Finish(state, kStreamBytes));
}

BENCHMARK(BM_CryptReferenceLibgcrypt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CryptSequentialWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CryptSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CryptSequentialReadI32)->Unit(benchmark::kMillisecond);

} // namespace
