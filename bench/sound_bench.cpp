// Ogg Vorbis decoding as a multiple of real time, and one 200 ms pump (decode and write to the
// output's ring), each beside memcpy of the same bytes.
#include "show/test_support/memory_ogg_source.h"
#include "tools/ogg_vorbis_encoder.h"
#include "show/ogg_vorbis_stream.h"
#include "platform/test_support/sound_device_fake.h"
#include "show/sound_output.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kSeconds = 10;
constexpr int32_t kPumpBytes = kRate / 5 * kChannels * 2; // 200 ms

const std::vector<uint8_t>& Track()
{
    static const auto bytes =
        EncodeOggVorbis(kChannels, kRate, int64_t{kSeconds} * kRate, Tones({440, 660}, kRate));
    return bytes;
}

void BM_DecodeTrack(benchmark::State& state)
{
    const auto& track = Track();
    std::vector<uint8_t> buffer(kPumpBytes);
    int64_t bytes = 0;
    for (auto _ : state) {
        MemoryOggSource source(track);
        LOggVorbisStream decoder;
        decoder.Open(&source);
        bool changed = false;
        for (int32_t n; (n = decoder.Read(buffer.data(), kPumpBytes, changed)) > 0;) {
            bytes += n;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(bytes);
    // Seconds of sound per second of work.
    state.counters["x_realtime"] =
        benchmark::Counter(static_cast<double>(kSeconds) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeTrack)->Unit(benchmark::kMillisecond);

void BM_CopyTrackPcm(benchmark::State& state)
{
    const std::vector<uint8_t> pcm(int64_t{kSeconds} * kRate * kChannels * 2, 1);
    std::vector<uint8_t> buffer(kPumpBytes);
    for (auto _ : state) {
        for (size_t done = 0; done < pcm.size(); done += kPumpBytes) {
            std::memcpy(buffer.data(), pcm.data() + done, std::min<size_t>(kPumpBytes, pcm.size() - done));
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(pcm.size()) * state.iterations());
}
BENCHMARK(BM_CopyTrackPcm)->Unit(benchmark::kMillisecond);

// One pump: 200 ms decoded into the staging buffer and written to the ring, which the fake
// device then plays.
void BM_Pump200Ms(benchmark::State& state)
{
    auto hardware = std::make_shared<FakeSoundHardware>();
    LW32DSnd sound(FakeSoundOpener(hardware));
    sound.Open(kRate, kChannels, 16, nullptr);
    sound.CreateBuffer(kRate, kChannels, 16, 0);
    sound.Play(true);
    MemoryOggSource source(Track());
    LOggVorbisStream decoder;
    decoder.Open(&source);
    std::vector<uint8_t> staging(kPumpBytes);
    bool changed = false;
    for (auto _ : state) {
        int32_t n = decoder.Read(staging.data(), kPumpBytes, changed);
        if (n <= 0) {
            decoder.SeekPcm(0);
            n = decoder.Read(staging.data(), kPumpBytes, changed);
        }
        benchmark::DoNotOptimize(sound.Write(staging.data(), n));
        hardware->Advance(n);
    }
    state.SetBytesProcessed(int64_t{kPumpBytes} * state.iterations());
}
BENCHMARK(BM_Pump200Ms)->Unit(benchmark::kMicrosecond);

void BM_Copy200Ms(benchmark::State& state)
{
    const std::vector<uint8_t> staging(kPumpBytes, 1);
    std::vector<uint8_t> ring(kPumpBytes);
    for (auto _ : state) {
        std::memcpy(ring.data(), staging.data(), kPumpBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t{kPumpBytes} * state.iterations());
}
BENCHMARK(BM_Copy200Ms)->Unit(benchmark::kMicrosecond);

} // namespace
