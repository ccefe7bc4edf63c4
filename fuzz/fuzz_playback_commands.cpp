// Playback driven by bytes: opens (from disk, from memory, broken), slices of a show still
// arriving, seeks, steps, pause, mute, clock ticks and odd moves of the sound cursor. Whatever
// comes, nothing crashes or hangs, the current index is valid or -1, the progress stays in
// [0, 1] and the playback holds only while the show is still arriving.
#include "preview/test_support/playback_harness.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int32_t kRate = 8000;

// Made once per process, removed at its end.
struct Shows
{
    Shows()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zyl_fuzz_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder = pattern;
        complete = MakeHarnessShow(folder, "a.zyl", {kRate, 3.0});
        broken = MakeBrokenShow(folder, "broken.zyl");
        if (complete.empty())
            std::abort();
        bytes = XAString(std::string_view(ReadFileBytes(complete)));
    }
    ~Shows()
    {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::string folder;
    std::string complete;
    std::string broken;
    XAString bytes;
};

const Shows& TestShows()
{
    static const Shows shows;
    return shows;
}

class Input
{
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    int64_t Signed64()
    {
        uint64_t value = 0;
        for (int i = 0; i < 8; ++i)
            value = value << 8 | Byte();
        return static_cast<int64_t>(value);
    }
    float Float()
    {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = bits << 8 | Byte();
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

void CheckInvariants(const LShowPlayback& p)
{
    Check(p.CurrentIndex() >= -1 && p.CurrentIndex() < p.EntryCount());
    Check(p.EntryCount() > 0 || p.CurrentIndex() == -1);
    Check(p.Progress() >= 0.0f && p.Progress() <= 1.0f);
    Check(p.LoadedFraction() >= 0.0f && p.LoadedFraction() <= 1.0f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Shows& shows = TestShows();
    PlaybackHarness h(kRate);
    LShowPlayback& p = h.playback;
    Input in(data, size);
    int32_t loaded = 0;
    int32_t operations = 0;
    while (in.More() && operations++ < 200) {
        switch (in.Byte() % 13) {
        case 0: {
            loaded = std::min(shows.bytes.Length(), 256 + in.Byte() * 4096);
            int32_t need = 0;
            p.AddShow(XAString(), shows.bytes, loaded, &need, loaded == shows.bytes.Length());
            break;
        }
        case 1:
            if (loaded > 0) {
                loaded = std::min(shows.bytes.Length(), loaded + in.Byte() * 1024);
                p.Stream().ContinueFromMemory(shows.bytes, loaded, loaded == shows.bytes.Length());
            }
            break;
        case 2: {
            const uint8_t flags = in.Byte();
            p.Seek(in.Signed64(), flags & 1, flags & 2, flags & 4);
            break;
        }
        case 3:
            p.Navigate(in.Byte());
            break;
        case 4:
            p.TogglePlayPause();
            break;
        case 5:
            p.SetMute(!p.IsMuted());
            break;
        case 6: {
            h.Tick(in.Byte() % 64);
            // A tick ends with the hold decided: only a show still arriving holds.
            Check(!p.IsHolding() || !p.IsShowOpen() || p.Stream().IsIncomplete());
            break;
        }
        case 7:
            h.hardware->Advance(in.Byte() * 4 + in.Byte() % 4);
            h.hardware->failCursors = in.Byte() & 1;
            break;
        case 8:
            p.StepFile(in.Byte() & 1);
            break;
        case 9:
            p.Stop();
            break;
        case 10:
            p.SeekFraction(in.Float());
            break;
        case 11:
            p.AddShow(XAString((in.Byte() & 1 ? shows.broken : shows.complete).c_str()), XAString(), -1, nullptr,
                      true);
            break;
        default:
            if (in.Byte() & 1)
                p.CloseCurrentEntry();
            else
                p.CloseAll(true);
            loaded = 0;
            break;
        }
        CheckInvariants(p);
    }
    return 0;
}
