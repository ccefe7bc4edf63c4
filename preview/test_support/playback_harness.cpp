#include "preview/test_support/playback_harness.h"

#include "show/frame.h"
#include "show/frame_commands.h"
#include "foundation/tasks/sys_clock.h"

#include <fstream>
#include <iterator>

namespace {

constexpr int64_t kMicrosecondsPerSecond = 1000000;

} // namespace

std::string MakeHarnessShow(const std::string& folder, const std::string& name, const HarnessShowOptions& options)
{
    ShowGeneratorOptions o;
    o.seed = options.seed;
    o.servers = 1;
    o.channelsPerServer = 1;
    o.durationUs = static_cast<int64_t>(options.seconds * kMicrosecondsPerSecond);
    o.numbered = true;
    o.sound = options.sound;
    o.rawSound = options.sound;
    o.soundRate = options.rate;
    o.soundAfterFrames = options.soundAfterFrames;
    o.userData = false;
    o.form = ShowForm::kStreamable;
    const std::string path = folder + "/" + name;
    const CError error = GenerateShow(path.c_str(), o);
    return error.Failed() ? std::string() : path;
}

std::string MakeBrokenShow(const std::string& folder, const std::string& name)
{
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << "ZYL this is no show";
    return path;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

PlaybackHarness::PlaybackHarness(int32_t rate)
    : time(CurrentTimeSource().MonotonicUs()), hardware(std::make_shared<FakeSoundHardware>()),
      playback(*this, FakeSoundOpener(hardware), RawPcmDecoders(rate, [this](RawPcmDecoder& d) { decoder = &d; })),
      rate_(rate)
{
    // One period of lead, as a device that holds a period before it is heard.
    hardware->writeLead = rate / 100 * RawPcmDecoder::kBlockAlign;
}

PlaybackHarness::~PlaybackHarness()
{
    playback.CloseAll(false);
}

void PlaybackHarness::Elapse(int64_t us)
{
    time.AdvanceUs(static_cast<uint64_t>(us));
    if (!hardware->Playing() || !hardware->HasRing()) {
        return;
    }
    // Whole sample frames, without losing the fractions at 22,050 Hz.
    const int64_t before = playedUs_ * rate_ / kMicrosecondsPerSecond;
    playedUs_ += us;
    const int64_t after = playedUs_ * rate_ / kMicrosecondsPerSecond;
    hardware->Advance(static_cast<int32_t>((after - before) * RawPcmDecoder::kBlockAlign));
}

void PlaybackHarness::Tick(int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        Elapse(kTickUs);
        playback.StepPlayback();
    }
}

std::optional<int64_t> PlaybackHarness::HeardFrame() const
{
    if (!hardware->HasRing()) {
        return std::nullopt;
    }
    const uint32_t value = RawFrameValue(hardware->HeardBytes(RawPcmDecoder::kBlockAlign).data());
    if (value == 0) {
        return std::nullopt;
    }
    return int64_t{value} - 1;
}

int64_t PlaybackHarness::Drift() const
{
    const int64_t heard = HeardFrame().value_or(0);
    return playback.Sound().AudioBase() + heard * kMicrosecondsPerSecond / rate_ - playback.PlayClock().value;
}

int64_t PlaybackHarness::ShownFrame() const
{
    return (playback.PlayClock().value - playback.Stream().FirstTime()) / kTickUs;
}

int64_t PlaybackHarness::StreamFrameAt(int64_t position)
{
    LFrame frame;
    if (!playback.Stream().ReadFrame(0, position, frame)) {
        return -1;
    }
    LFrameStats stats;
    frame.GetStats(stats);
    // Frame times are kept in whole 48 µs steps of the laser clock: the nearest 10 ms.
    return (stats.firstTime - playback.Stream().FirstTime() + kTickUs / 2) / kTickUs;
}

int64_t PlaybackHarness::RecordedFrameAt(int64_t position) const
{
    // Frame n was recorded at first + n x 10 ms cut down to whole 48 µs steps: the last such
    // time at or before the position.
    const int64_t steps = (position - playback.Stream().FirstTime()) / kTimeTickMicroseconds + 1;
    return (steps * kTimeTickMicroseconds + kTickUs - 1) / kTickUs - 1;
}
