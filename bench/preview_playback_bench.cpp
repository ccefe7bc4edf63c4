// The preview's sound side. One 200 ms pump of a show's Ogg Vorbis track (decode into the
// staging buffer, write to the ring) beside decoding 200 ms alone; the budget is well under a
// 10 ms tick. Then 30 s of playback on SDL's dummy driver, ticking every 10 ms: how much each
// step of the play clock strays from the time that passed between the ticks (mean and largest),
// its largest step and its drift, beside the same run on the system clock alone (a show without
// sound); the budget is a mean under 1 ms, a largest deviation under one callback period and no
// step above a tick.
#include "show/ogg_vorbis_stream.h"
#include "tools/show_generator.h"
#include "preview/show_playback.h"
#include "platform/test_support/sound_device_fake.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int32_t kRate = 44100;
constexpr int64_t kMicrosecondsPerSecond = 1000000;
constexpr int32_t kChunkBytes = kRate / 5 * 4; // 200 ms of 16-bit stereo
constexpr auto kTick = std::chrono::milliseconds(10);
constexpr int32_t kClockRunSeconds = 30;

class ShowFolder
{
  public:
    ShowFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zyl_bench_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ShowFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    std::string Make(const char* name, bool sound, int32_t seconds)
    {
        ShowGeneratorOptions o;
        o.servers = 1;
        o.channelsPerServer = 2;
        o.sound = sound;
        o.soundRate = kRate;
        o.durationUs = int64_t{seconds} * kMicrosecondsPerSecond;
        const std::string path = folder_ + "/" + name;
        return GenerateShow(path.c_str(), o).Failed() ? std::string() : path;
    }

  private:
    std::string folder_;
};

ShowFolder& Folder()
{
    static ShowFolder folder;
    return folder;
}

const std::string& SoundShow()
{
    static const std::string path = Folder().Make("sound.zyl", true, 40);
    return path;
}

void BM_PreviewPump200Ms(benchmark::State& state)
{
    LLaserPreviewStream stream;
    if (!stream.Open(SoundShow().c_str())) {
        state.SkipWithError("no show");
        return;
    }
    auto hardware = std::make_shared<FakeSoundHardware>();
    LAudioPump pump(FakeSoundOpener(hardware));
    pump.Start(stream, LAudioPump::kTrackStartUs, false, true);
    for (auto _ : state) {
        // The device has played 200 ms, so the pump writes 200 ms.
        hardware->Advance(kChunkBytes);
        pump.Pump();
        if (pump.DecoderFrame() > int64_t{kRate} * 35)
            pump.Seek(LAudioPump::kTrackStartUs, false, false);
    }
    state.SetBytesProcessed(int64_t{kChunkBytes} * state.iterations());
}
BENCHMARK(BM_PreviewPump200Ms)->Unit(benchmark::kMicrosecond);

void BM_Decode200MsAlone(benchmark::State& state)
{
    LLaserPreviewStream stream;
    LOggVorbisStream decoder;
    if (!stream.Open(SoundShow().c_str()) || !decoder.Open(&stream)) {
        state.SkipWithError("no show");
        return;
    }
    std::vector<uint8_t> staging(kChunkBytes);
    bool changed = false;
    for (auto _ : state) {
        if (decoder.Read(staging.data(), kChunkBytes, changed) <= 0)
            decoder.SeekPcm(0);
        benchmark::DoNotOptimize(staging.data());
    }
    state.SetBytesProcessed(int64_t{kChunkBytes} * state.iterations());
}
BENCHMARK(BM_Decode200MsAlone)->Unit(benchmark::kMicrosecond);

class QuietHost : public LShowPlaybackHost
{
};

// Plays a show for 30 s, ticking every 10 ms, and reports how the play clock follows the time
// that passed.
void RunClock(benchmark::State& state, bool sound)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string path = sound ? SoundShow() : Folder().Make("silent.zyl", false, 40);
    for (auto _ : state) {
        QuietHost host;
        LShowPlayback playback(host);
        if (!playback.AddShow(XAString(path.c_str()), XAString(), -1, nullptr, true) ||
            playback.Sound().HasBuffer() != sound) {
            state.SkipWithError("the show did not open as asked");
            return;
        }
        playback.StepPlayback();
        const auto start = std::chrono::steady_clock::now();
        const int64_t startPosition = playback.PlayClock().value;
        int64_t previous = startPosition;
        int64_t previousElapsed = 0;
        int64_t elapsed = 0;
        double deviationSum = 0;
        double deviationMax = 0;
        int64_t stepMax = 0;
        int32_t ticks = 0;
        for (auto next = start + kTick; next < start + std::chrono::seconds(kClockRunSeconds); next += kTick) {
            std::this_thread::sleep_until(next);
            playback.StepPlayback();
            const int64_t position = playback.PlayClock().value;
            elapsed =
                std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
            const double deviation = std::fabs(static_cast<double>((position - previous) - (elapsed - previousElapsed)));
            deviationSum += deviation;
            deviationMax = std::max(deviationMax, deviation);
            stepMax = std::max(stepMax, position - previous);
            previous = position;
            previousElapsed = elapsed;
            ++ticks;
        }
        state.counters["mean_step_deviation_us"] = deviationSum / std::max(1, ticks);
        state.counters["max_step_deviation_us"] = deviationMax;
        state.counters["max_step_us"] = static_cast<double>(stepMax);
        state.counters["drift_ppm"] =
            static_cast<double>(previous - startPosition - elapsed) * 1e6 / static_cast<double>(std::max<int64_t>(1, elapsed));
    }
}

void BM_PlayClockOnSystemClock(benchmark::State& state)
{
    RunClock(state, false);
}
BENCHMARK(BM_PlayClockOnSystemClock)->Iterations(1)->Unit(benchmark::kSecond);

void BM_PlayClockOnDummySoundDriver(benchmark::State& state)
{
    RunClock(state, true);
}
BENCHMARK(BM_PlayClockOnDummySoundDriver)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
