#pragma once
// The preview's show list and the playback of its current show: opening entries (from disk or
// memory, forwards or backwards, dropping the ones that fail), play, pause, stop, seeks and
// steps, closing, the play clock that follows the audio clock, the hold of a show still
// arriving, and the advance at a show's ends. The preview owns one and is its host.
// GUI thread only.

#include "preview/audio_pump.h"
#include "show/l_time_ramp.h"
#include "show/laser_preview_stream.h"
#include "preview/show_list_entry.h"
#include "preview/show_playback_host.h"
#include "preview/status_reporter.h"

#include <cstdint>
#include <vector>

class LShowPlayback
{
  public:
    static constexpr int64_t kMicrosecondsPerSecond = 1000000;
    // Playback holds until this much more of a growing show is loaded.
    static constexpr int64_t kHoldReleaseUs = 10000000;

    // Navigate's flags.
    enum NavigateFlags : uint32_t {
        kNavigateBeginning = 1,
        kNavigateEnd = 2,
        kNavigateForward = 4,
        kNavigateBackward = 8,
        kNavigateFast = 0x20,
        kNavigateFrame = 0x40,
    };

    explicit LShowPlayback(LShowPlaybackHost& host, SoundDeviceOpener opener = OpenSoundDevice,
                           LAudioPump::DecoderFactory decoders = MakeOggSoundDecoder);
    ~LShowPlayback();
    LShowPlayback(const LShowPlayback&) = delete;
    LShowPlayback& operator=(const LShowPlayback&) = delete;

    // ---- The list
    bool AddShow(const XAString& path, const XAString& data, int32_t dataSize, int32_t* need, bool complete);
    bool OpenEntry(int32_t index, bool backwards, bool report, int32_t* need, bool complete);
    bool StepFile(bool next);
    // The current memory show's entry and stream take its grown data (size bytes; negative: all);
    // false, with the stream closed, when the stream cannot go on with it.
    bool ContinueFromMemory(const XAString& name, const XAString& data, int32_t size, bool final);
    void CloseShow();
    bool CloseCurrentEntry();
    void CloseAll(bool dropPictures);
    // Paths from the command line, a drop or a folder: collected, sorted, routed by extension
    // (shows join the list, parameter files load, pictures become backgrounds).
    bool OpenPath(const XAString& path, bool replace);
    bool OpenCollected(std::vector<XAString> list, bool replace);
    // A drop replaces the list unless append (Shift or Ctrl held); a name that cannot be
    // collected opens nothing.
    bool OpenDropped(const std::vector<XAString>& names, bool append);

    // ---- Play controls
    bool Play();
    bool Pause();
    bool Stop();
    bool TogglePlayPause();
    bool Seek(int64_t time, bool absolute, bool clamp, bool keepPaused);
    bool Navigate(uint32_t flags);
    bool SeekToTime(int64_t time, bool keepPaused);
    bool SeekFraction(float fraction);
    // True when the mute state changed.
    bool SetMute(bool on);

    // ---- Once per paint
    void StepPlayback();
    bool CheckShowBounds(int64_t position);

    // ---- State
    // A show counts as open once its stream is: a memory show waiting for bytes does not.
    bool IsShowOpen() const;
    int32_t EntryCount() const { return static_cast<int32_t>(entries_.size()); }
    const LShowListEntry& Entry(int32_t index) const { return entries_[static_cast<size_t>(index)]; }
    int32_t CurrentIndex() const { return currentIndex_; }
    const XAString& CurrentPath() const { return currentPath_; }
    bool IsOpened() const { return opened_; }
    bool IsPaused() const { return paused_; }
    bool IsHolding() const { return hold_; }
    int64_t HoldTime() const { return holdTime_; }
    bool IsMuted() const { return pump_.IsMuted(); }
    float Progress() const { return progress_; }
    float LoadedFraction() const { return loadedFraction_; }
    const LTimeRamp& PlayClock() const { return playClock_; }
    int64_t Position() const;
    int32_t PlayState() const;
    // The status reported to hosts, with the preview's title.
    LStatusState StatusState(const XAString& title) const;
    LLaserPreviewStream& Stream() { return stream_; }
    const LLaserPreviewStream& Stream() const { return stream_; }
    LAudioPump& Sound() { return pump_; }
    const LAudioPump& Sound() const { return pump_; }

  private:
    bool OpenCurrent(int32_t* need, bool complete, bool& failed);
    // Drops the failing current entry, reports it once per chain; the index to try next.
    int32_t DropFailedEntry(bool backwards, bool& report);
    void StartShow(bool backwards, bool complete);
    void SetHold(bool hold);
    void FollowAudioClock();
    void HoldWhileLoading(int64_t position);
    void UpdateProgress(int64_t position);

    LShowPlaybackHost& host_;
    std::vector<LShowListEntry> entries_;
    int32_t currentIndex_ = -1;
    XAString currentPath_;
    XAString currentData_;
    int32_t currentDataInfo_ = -1;
    bool opened_ = false;
    bool paused_ = false;
    bool hold_ = false;
    int64_t holdTime_ = 0;
    bool seekPausedAtEnd_ = false;
    LTimeRamp playClock_;
    float progress_ = 0.0f;
    float loadedFraction_ = 0.0f;
    LLaserPreviewStream stream_;
    LAudioPump pump_;
};
