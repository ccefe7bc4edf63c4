// IDEA throughput next to libgcrypt's IDEA, both on the same buffer in the same run.
#include "foundation/archives/idea_cipher.h"
#include "bench/throughput_ratio.h"

#include <gcrypt.h>

#include <vector>

namespace {

constexpr size_t kBufferBytes = 64 * 1024;
constexpr uint16_t kKey[kIdeaKeyWords] = {0x1E7C, 0x935A, 0x48D0, 0x2F6B, 0x31E4, 0x779A, 0xC205, 0xD6B8};

void BM_IdeaLibgcrypt(benchmark::State& state)
{
    gcry_check_version(nullptr);
    gcry_cipher_hd_t handle = nullptr;
    if (gcry_cipher_open(&handle, GCRY_CIPHER_IDEA, GCRY_CIPHER_MODE_ECB, 0) != 0) {
        state.SkipWithError("libgcrypt has no IDEA");
        return;
    }
    uint8_t key[16];
    for (int i = 0; i < kIdeaKeyWords; ++i) {
        key[2 * i] = static_cast<uint8_t>(kKey[i] >> 8);
        key[2 * i + 1] = static_cast<uint8_t>(kKey[i]);
    }
    gcry_cipher_setkey(handle, key, sizeof key);
    std::vector<uint8_t> buffer(kBufferBytes, 0x5A);
    const ThroughputMeter meter;
    for (auto _ : state) {
        gcry_cipher_encrypt(handle, buffer.data(), buffer.size(), nullptr, 0);
        benchmark::DoNotOptimize(buffer.data());
    }
    RecordReference("libgcrypt", meter.Finish(state, kBufferBytes));
    gcry_cipher_close(handle);
}

void BM_IdeaEncrypt(benchmark::State& state)
{
    IdeaSchedule schedule;
    IdeaExpandKey(kKey, schedule);
    std::vector<uint8_t> buffer(kBufferBytes, 0x5A);
    const ThroughputMeter meter;
    for (auto _ : state) {
        IdeaEncrypt(schedule, buffer.data(), buffer.size() / kIdeaBlockBytes, buffer.data(), false);
        benchmark::DoNotOptimize(buffer.data());
    }
    ReportRatio(state, "libgcrypt", meter.Finish(state, kBufferBytes));
}

// The reference first, so that the ratio can be printed beside our own figure.
BENCHMARK(BM_IdeaLibgcrypt);
BENCHMARK(BM_IdeaEncrypt);

} // namespace
