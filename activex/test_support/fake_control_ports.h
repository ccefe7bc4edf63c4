// Recorders standing in for the control's player, window and download in tests.
#pragma once

#include "activex/control_download.h"
#include "activex/control_player.h"
#include "activex/control_window.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class FakeControlPlayer final : public ControlPlayer
{
  public:
    bool Play() override { return Record("Play", paused = false); }
    bool Pause() override { return Record("Pause", paused = true); }
    bool Stop() override { return Record("Stop", paused = true); }
    bool IsPaused() const override { return paused; }
    bool SetMute(bool on) override { return Record(on ? "Mute" : "Unmute", muted = on); }
    bool IsMuted() const override { return muted; }
    bool SeekFraction(float fraction) override
    {
        seekFraction = fraction;
        return Record("SeekFraction", true);
    }
    float PositionFraction() const override { return position; }
    void CloseAll(bool) override
    {
        showOpen = false;
        Record("CloseAll", true);
    }
    bool HasPreviewWindow() const override { return true; }
    void ShowContextMenu() override { Record("ContextMenu", true); }
    bool IsFrameShown() const override { return skin || skinMin; }
    void SetSkinLayout(bool skinOn, bool skinMinOn) override
    {
        skin = skinOn;
        skinMin = skinMinOn;
        Record("SetSkinLayout", true);
    }
    bool IsFullScreen() const override { return fullScreen; }
    void SetFullScreen(bool on, bool) override { fullScreen = on; }
    bool OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                        bool final) override
    {
        return Take("Open", name, data, size, threshold, final);
    }
    bool FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                      bool final) override
    {
        return Take("Feed", name, data, size, threshold, final);
    }
    int64_t GetPlayTimeUs() override { return showOpen ? playTimeUs : -1; }
    int64_t GetBufferedTimeUs() override { return showOpen ? bufferedUs : -1; }
    bool SeekToTime(int64_t time, bool) override
    {
        seeks.push_back(time);
        return showOpen;
    }
    void SetStatusText(const XAString& text) override { statusText = text; }

    bool paused = true;
    bool muted = false;
    bool skin = false;
    bool skinMin = true;
    bool fullScreen = false;
    float position = 0;
    float seekFraction = -1;
    XAString statusText;
    std::vector<std::string> calls;

    // What the show was given: "Open" or "Feed", the size, whether it was final, and the bytes.
    struct Feeding
    {
        std::string call;
        int32_t size;
        bool final;
        std::string bytes;
        XAString name;
    };
    std::vector<Feeding> feedings;
    // The show opens once it has openAt bytes and then asks for moreBytes beyond what it has
    // (0: no threshold).
    int32_t openAt = 1;
    int32_t moreBytes = 0;
    bool showOpen = false;
    int64_t playTimeUs = 0;
    int64_t bufferedUs = -1;
    std::vector<int64_t> seeks;
    // Runs inside OpenFromMemory and FeedMoreData, as messages pumped by the player would.
    std::function<void()> whileFeeding;
    // The deepest nesting of OpenFromMemory and FeedMoreData seen.
    int32_t feedDepth = 0;
    int32_t deepestFeed = 0;

  private:
    bool Take(const char* call, const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
              bool final)
    {
        const int32_t length = std::min(size < 0 ? data.Length() : size, data.Length());
        feedings.push_back({call, size, final, std::string(data.View().substr(0, std::max(length, 0))), name});
        deepestFeed = std::max(deepestFeed, ++feedDepth);
        if (whileFeeding) {
            std::exchange(whileFeeding, nullptr)();
        }
        --feedDepth;
        showOpen = length >= openAt;
        if (threshold != nullptr) {
            *threshold = showOpen ? (moreBytes > 0 ? length + moreBytes : 0) : openAt;
        }
        return showOpen;
    }
    bool Record(const char* call, bool)
    {
        calls.push_back(call);
        return true;
    }
};

class FakeControlWindow final : public ControlWindow
{
  public:
    explicit FakeControlWindow(FakeControlPlayer* player) : player_(player) {}

    bool Exists() const override { return exists; }
    bool IsVisible() const override { return visible; }
    void Show(bool show) override { visible = show; }
    void SetRect(const ComRect&) override {}
    void Invalidate() override { ++invalidations; }
    void StartTimer(uint32_t milliseconds) override
    {
        timer = true;
        timerMs = milliseconds;
    }
    void KillTimer() override { timer = false; }
    bool CtrlHeld() const override { return false; }
    ControlPlayer* CreatePlayer() override
    {
        ++playersMade;
        return player_;
    }
    void ShowFallbackMenu() override { ++fallbackMenus; }
    void ShowAboutBox() override { ++aboutBoxes; }
    void ShowPropertyFrame() override {}
    void Destroy() override { exists = false; }

    bool exists = true;
    bool visible = false;
    bool timer = false;
    uint32_t timerMs = 0;
    int32_t invalidations = 0;
    int32_t playersMade = 0;
    int32_t fallbackMenus = 0;
    int32_t aboutBoxes = 0;

  private:
    FakeControlPlayer* player_;
};

// Records what the control asks of its download; the byte counts are set by the test.
class FakeControlDownload final : public ControlDownload
{
  public:
    void Reset() override { calls.push_back("Reset"); }
    void Start(const XAString& url) override { calls.push_back("Start " + std::string(url.View())); }
    void Close() override { calls.push_back("Close"); }
    void Abandon() override { calls.push_back("Abandon"); }
    void StopLoading() override { calls.push_back("StopLoading"); }
    void OnTimer() override { calls.push_back("OnTimer"); }
    uint32_t BytesReleased() const override { return released; }
    uint32_t BytesTotal() const override { return total; }
    const XAString& ShowName() const override { return showName; }

    std::vector<std::string> calls;
    uint32_t released = 0;
    uint32_t total = 0;
    XAString showName;
};

// The last download made by MakeFakeControlDownload.
FakeControlDownload* LastFakeControlDownload();
std::unique_ptr<ControlDownload> MakeFakeControlDownload(ControlDownloadHost& host);
