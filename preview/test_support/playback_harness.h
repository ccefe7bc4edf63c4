#pragma once
// Playback without a display or a sound device: a fake clock, fake sound hardware whose play
// cursor moves 10 ms per tick while it plays, raw PCM decoders, and shows made by the show
// generator with numbered frames (frame n at first + n x 10 ms) and raw sound that counts its
// sample frames, so a test can tell which frame is drawn and which sample is heard.

#include "foundation/tasks/test_support/fake_time_source.h"
#include "preview/test_support/raw_pcm_decoder.h"
#include "tools/show_generator.h"
#include "preview/show_playback.h"
#include "platform/test_support/sound_device_fake.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct HarnessShowOptions
{
    int32_t rate = 48000;
    double seconds = 20.0;
    bool sound = true;
    bool soundAfterFrames = false;
    uint32_t seed = 1;
};

// A streamable show (index first) in folder; the path.
std::string MakeHarnessShow(const std::string& folder, const std::string& name, const HarnessShowOptions& options);
// A file that is no show.
std::string MakeBrokenShow(const std::string& folder, const std::string& name);
std::string ReadFileBytes(const std::string& path);

class PlaybackHarness : public LShowPlaybackHost
{
  public:
    static constexpr int64_t kTickUs = 10000;

    explicit PlaybackHarness(int32_t rate = 48000);
    ~PlaybackHarness();

    // The clock moves 10 ms; the hardware plays 10 ms while it plays; the playback steps.
    void Tick(int32_t count = 1);
    // Only the clock and the hardware move.
    void Elapse(int64_t us);

    // The sample frame k heard at the play cursor (the ring holds k + 1); none for silence.
    std::optional<int64_t> HeardFrame() const;
    // The sound heard against the picture: audio base + k x 10^6 / rate - position.
    int64_t Drift() const;
    // The frame drawn at the position: n = (position - first) / 10 ms; and the frame the stream
    // gives there, read back from its time.
    int64_t ShownFrame() const;
    int64_t StreamFrameAt(int64_t position);
    // The frame the stream should give at a position.
    int64_t RecordedFrameAt(int64_t position) const;

    void ReportOpenFailure(const XAString& text) override { boxes.push_back(text.CStr()); }
    void OnShowOpened() override { ++shows; }

    FakeTimeSource time;
    std::shared_ptr<FakeSoundHardware> hardware;
    RawPcmDecoder* decoder = nullptr;
    LShowPlayback playback;
    std::vector<std::string> boxes;
    int32_t shows = 0;

  private:
    int32_t rate_;
    int64_t playedUs_ = 0;
};
