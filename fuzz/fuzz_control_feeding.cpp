// A show arriving through the control's feeding in any order of notifications: pieces, declared
// lengths (true or not), timer ticks, rate changes, Stop Loading, StopLoad, stops with and without
// an error, a new Url. The player reads the show from a real stream. Whatever happens, the
// player never gets more bytes than arrived, nothing is released that did not arrive, and the
// share loaded stays a percentage. The player shares the arrived bytes, never copies them, so the
// memory stays bounded by the show's size (1 MiB at most here).
//
// Input: one byte n, n operation bytes, then the show file.
#include "activex/c_zyl_player_active_x_ctrl.h"
#include "activex/control_feeding.h"
#include "activex/control_player.h"
#include "activex/test_support/fake_data_path.h"
#include "activex/test_support/fake_download_host.h"
#include "fuzz/show_fuzz_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr size_t kLargestShow = 1 << 20;
constexpr int32_t kArriveUnit = 512;
constexpr int32_t kRateUnit = 8000;
constexpr int32_t kTickUnitCs = 10;

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// The engine's feeding rules over a bare stream: open, continue, or reopen when that fails.
class StreamPlayer final : public ControlPlayer
{
  public:
    explicit StreamPlayer(const FakeDataPath& path) : path_(path) {}

    bool Play() override { return true; }
    bool Pause() override { return true; }
    bool Stop() override { return true; }
    bool IsPaused() const override { return false; }
    bool SetMute(bool) override { return true; }
    bool IsMuted() const override { return false; }
    bool SeekFraction(float) override { return true; }
    float PositionFraction() const override { return 0; }
    void CloseAll(bool) override
    {
        stream_.Close(false);
        open_ = false;
    }
    bool HasPreviewWindow() const override { return false; }
    void ShowContextMenu() override {}
    bool IsFrameShown() const override { return false; }
    void SetSkinLayout(bool, bool) override {}
    bool IsFullScreen() const override { return false; }
    void SetFullScreen(bool, bool) override {}

    bool OpenFromMemory(const XAString&, const XAString& data, int32_t size, int32_t* threshold, bool final) override
    {
        CheckSize(size);
        open_ = stream_.OpenMemory(data, size, threshold, final);
        fedSize_ = open_ ? size : 0;
        if (open_) {
            show_fuzz::ReadEverything(stream_);
        }
        return open_;
    }
    bool FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                      bool final) override
    {
        CheckSize(size);
        if (!open_ || size < fedSize_ || !stream_.ContinueFromMemory(data, size, final)) {
            return OpenFromMemory(name, data, size, threshold, final);
        }
        fedSize_ = size;
        show_fuzz::ReadEverything(stream_);
        return true;
    }
    int64_t GetPlayTimeUs() override { return open_ ? 0 : -1; }
    int64_t GetBufferedTimeUs() override { return open_ ? stream_.AvailableTimeUs() : -1; }
    bool SeekToTime(int64_t, bool) override { return open_; }
    void SetStatusText(const XAString&) override {}

  private:
    void CheckSize(int32_t size) const { Check(size >= 0 && size <= path_.Size()); }

    const FakeDataPath& path_;
    LLaserPreviewStream stream_;
    bool open_ = false;
    int32_t fedSize_ = 0;
};

CError Cut()
{
    CError error;
    error.SetError("cut", 0);
    return error;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size - 1 < data[0]) {
        return 0;
    }
    const size_t opCount = data[0];
    const uint8_t* ops = data + 1;
    const size_t showSize = std::min(size - 1 - opCount, kLargestShow);

    FakeDownloadHost host;
    auto owned = std::make_unique<FakeDataPath>();
    FakeDataPath& path = *owned;
    path.body.assign(reinterpret_cast<const char*>(ops + opCount), showSize);
    StreamPlayer player(path);
    host.player = &player;
    ControlFeeding feeding(host, std::move(owned));
    feeding.Start("show.zyl");

    for (size_t i = 0; i < opCount; ++i) {
        const int32_t argument = ops[i] >> 3;
        switch (ops[i] & 7) {
        case 0:
            path.Arrive(argument * kArriveUnit + 1);
            break;
        case 1:
            path.Announce(static_cast<int64_t>(showSize) * argument / 16);
            break;
        case 2:
            host.nowCs += argument * kTickUnitCs;
            if (host.timerMs != 0) {
                feeding.OnTimer();
            }
            break;
        case 3:
            host.bandwidth.SetBitsPerSecond((argument - 1) * kRateUnit, host.nowCs);
            break;
        case 4:
            feeding.StopLoading();
            break;
        case 5:
            path.Stop((argument & 1) != 0 ? Cut() : CError());
            break;
        case 6:
            feeding.Close();
            break;
        default:
            feeding.Reset();
            feeding.Start("show.zyl");
            break;
        }
        const uint32_t released = feeding.BytesReleased();
        const int32_t loaded = LoadedPercent(released, feeding.BytesTotal());
        Check(loaded >= 0 && loaded <= 100);
        // Until the load completes (and the path lets its bytes go), only what arrived is released.
        Check(path.Size() == 0 || released <= static_cast<uint32_t>(path.Size()));
    }
    return 0;
}
