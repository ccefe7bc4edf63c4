#include "preview/show_playback.h"

#include "preview/collect_paths.h"
#include "preview/l_beamvista_status_callback.h"
#include "preview/playback_time.h"
#include "foundation/strings/saturating_int.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kNoName = "<zyl>";
constexpr const char* kFailureSeparator = "\n\n";
// Opened backwards, a show starts this long before its end.
constexpr int64_t kBackwardsStartUs = 1000000;
// How far past a show's end the list moves on: with a sound clock, without, with several shows.
constexpr int64_t kBoundsMarginSoundUs = 100000;
constexpr int64_t kBoundsMarginUs = 10000;
constexpr int64_t kBoundsMarginListUs = 1000000;
// Navigate: End goes this far before the end (at most a quarter of the show); the steps.
constexpr int64_t kEndLeadUs = 5000000;
constexpr int64_t kStepUs = 500000;
constexpr int64_t kFastStepUs = 2000000;
constexpr int64_t kFrameStepUs = 10000;

} // namespace

LShowPlayback::LShowPlayback(LShowPlaybackHost& host, SoundDeviceOpener opener, LAudioPump::DecoderFactory decoders)
    : host_(host), pump_(std::move(opener), std::move(decoders))
{
}

LShowPlayback::~LShowPlayback()
{
    pump_.Stop();
    stream_.Close();
}

bool LShowPlayback::IsShowOpen() const
{
    return !currentPath_.IsEmpty() && stream_.IsOpen();
}

int64_t LShowPlayback::Position() const
{
    return playClock_.ValueAt(PlaybackTick());
}

int32_t LShowPlayback::PlayState() const
{
    if (!IsShowOpen())
        return kPlayStateNoShow;
    if (!paused_)
        return kPlayStatePlaying;
    return Position() <= stream_.FirstTime() ? kPlayStateStopped : kPlayStatePaused;
}

LStatusState LShowPlayback::StatusState(const XAString& title) const
{
    LStatusState state;
    state.title = title;
    state.muted = IsMuted();
    state.playState = PlayState();
    state.moreThanOneShow = EntryCount() > 1;
    state.opened = IsShowOpen() && opened_;
    state.progress = progress_;
    state.loaded = loadedFraction_;
    return state;
}

void LShowPlayback::SetHold(bool hold)
{
    hold_ = hold;
    pump_.SetHold(hold);
}

// ---- The list

bool LShowPlayback::AddShow(const XAString& path, const XAString& data, int32_t dataSize, int32_t* need,
                            bool complete)
{
    if (!host_.HasWindow())
        return false;
    XAString name = data.IsEmpty() ? ResolveLink(path) : path;
    if (name.IsEmpty())
        name = kNoName;
    entries_.push_back({name, data, dataSize});
    if (currentIndex_ < 0)
        return OpenEntry(0, false, true, need, complete);
    host_.UpdateTitle();
    return true;
}

bool LShowPlayback::OpenCurrent(int32_t* need, bool complete, bool& failed)
{
    if (currentData_.IsEmpty()) {
        const bool opened = stream_.Open(currentPath_.CStr());
        failed = !opened;
        return opened;
    }
    if (stream_.OpenMemory(currentData_, currentDataInfo_, need, complete))
        return true;
    // Only incomplete: the bytes are still coming, nothing is wrong yet.
    failed = complete && (need == nullptr || *need < 1);
    return false;
}

int32_t LShowPlayback::DropFailedEntry(bool backwards, bool& report)
{
    const CError error = stream_.GetError();
    const int32_t failedIndex = currentIndex_;
    const XAString failedPath = currentPath_;
    CloseShow();
    if (failedIndex >= 0 && failedIndex < EntryCount())
        entries_.erase(entries_.begin() + failedIndex);
    if (report) {
        host_.ReportOpenFailure(failedPath + kFailureSeparator + error.GetErrorMessage());
        report = false;
    }
    // Forwards, the entry that took the failed one's place.
    return backwards ? failedIndex - 1 : failedIndex;
}

bool LShowPlayback::OpenEntry(int32_t index, bool backwards, bool report, int32_t* need, bool complete)
{
    // A chain of failures drops one entry per round, so it ends with an open show or no list.
    for (;;) {
        if (entries_.empty())
            return false;
        if (index < 0)
            index = EntryCount() - 1;
        else if (index >= EntryCount())
            index = 0;
        currentIndex_ = index;
        const LShowListEntry& entry = entries_[static_cast<size_t>(index)];
        currentPath_ = entry.path;
        currentData_ = entry.data;
        currentDataInfo_ = entry.dataSize;
        opened_ = true;
        bool failed = false;
        if (OpenCurrent(need, complete, failed))
            break;
        if (!failed)
            return false;
        index = DropFailedEntry(backwards, report);
        need = nullptr;
        complete = true;
    }
    StartShow(backwards, complete);
    return true;
}

void LShowPlayback::StartShow(bool backwards, bool complete)
{
    loadedFraction_ = stream_.LoadedFraction();
    host_.NotifyStatus(kStatusPlay);
    const int64_t first = stream_.FirstTime();
    const int64_t start =
        backwards ? std::max(SaturatingSub(stream_.LastTime(), kBackwardsStartUs), first) : first;
    // The hold point is the new show's start even when its data is complete: a hold left over
    // from the show before ends at the first playback step, which must not take the picture
    // back to that show's hold point.
    holdTime_ = start;
    if (!complete)
        SetHold(true);
    playClock_.Set(start, paused_ || hold_ ? 0 : LTimeRamp::kRealTime, PlaybackTick());
    if (stream_.TotalSoundBytes() <= 0 || !pump_.Start(stream_, start, paused_, complete))
        pump_.Stop();
    host_.OnShowOpened();
}

bool LShowPlayback::StepFile(bool next)
{
    return OpenEntry(currentIndex_ + (next ? 1 : -1), false, true, nullptr, true);
}

bool LShowPlayback::ContinueFromMemory(const XAString& name, const XAString& data, int32_t size, bool final)
{
    opened_ = true;
    currentData_ = data;
    currentDataInfo_ = size;
    if (currentIndex_ >= 0 && currentIndex_ < EntryCount())
        entries_[static_cast<size_t>(currentIndex_)] = {name.IsEmpty() ? XAString(kNoName) : name, data, size};
    if (!stream_.ContinueFromMemory(data, size, final))
        return false;
    loadedFraction_ = stream_.LoadedFraction();
    return true;
}

void LShowPlayback::CloseShow()
{
    pump_.Stop();
    host_.OnShowClosing();
    stream_.Close();
    playClock_.Reset();
    SetHold(false);
    opened_ = false;
    seekPausedAtEnd_ = false;
    currentIndex_ = -1;
    currentPath_ = XAString();
    currentData_ = XAString();
    currentDataInfo_ = -1;
    progress_ = 0.0f;
    loadedFraction_ = 0.0f;
    host_.OnShowClosed();
    host_.NotifyStatus(kStatusPlay);
}

bool LShowPlayback::CloseCurrentEntry()
{
    const int32_t index = currentIndex_;
    CloseShow();
    if (index < 0 || index >= EntryCount())
        return false;
    entries_.erase(entries_.begin() + index);
    return OpenEntry(index, false, true, nullptr, true);
}

void LShowPlayback::CloseAll(bool dropPictures)
{
    if (dropPictures)
        host_.DropPostedFrames();
    CloseShow();
    entries_.clear();
    paused_ = false;
    host_.UpdateTitle();
}

bool LShowPlayback::OpenPath(const XAString& path, bool replace)
{
    std::vector<XAString> list;
    return CollectPaths(path, list) && OpenCollected(std::move(list), replace);
}

bool LShowPlayback::OpenCollected(std::vector<XAString> list, bool replace)
{
    SortPathsNatural(list);
    for (const XAString& path : list) {
        if (HasExtension(path, "zyl")) {
            if (replace) {
                CloseAll(true);
                replace = false;
            }
            AddShow(path, XAString(), -1, nullptr, true);
        } else if (HasExtension(path, "zyp")) {
            host_.LoadSettingsFile(path);
        } else if (HasExtension(path, "png") || HasExtension(path, "jpg") || HasExtension(path, "jpeg") ||
                   HasExtension(path, "bmp")) {
            if (!host_.LoadBackgroundImage(path))
                return false;
        }
    }
    host_.ClearFrameSequence();
    host_.Redraw();
    return true;
}

bool LShowPlayback::OpenDropped(const std::vector<XAString>& names, bool append)
{
    std::vector<XAString> list;
    for (const XAString& name : names) {
        if (!CollectPaths(name, list))
            return false;
    }
    return OpenCollected(std::move(list), !append);
}

// ---- Play controls

void LShowPlayback::FollowAudioClock()
{
    if (!paused_ && !hold_ && pump_.AudioClock().IsValid())
        playClock_ = pump_.AudioClock();
}

bool LShowPlayback::Pause()
{
    if (!IsShowOpen())
        return false;
    if (paused_)
        return true;
    if (!hold_ && pump_.AudioClock().IsValid())
        playClock_ = pump_.AudioClock();
    const uint32_t now = PlaybackTick();
    playClock_.Advance(now);
    playClock_.Set(playClock_.value, 0, now);
    paused_ = true;
    pump_.Pause(playClock_.value);
    return true;
}

bool LShowPlayback::Play()
{
    if (!IsShowOpen())
        return false;
    if (!paused_)
        return true;
    paused_ = false;
    const uint32_t now = PlaybackTick();
    if (!hold_)
        playClock_.Set(playClock_.ValueAt(now), LTimeRamp::kRealTime, now);
    pump_.Resume(playClock_.ValueAt(now));
    return true;
}

bool LShowPlayback::Stop()
{
    if (!IsShowOpen())
        return false;
    const int64_t first = stream_.FirstTime();
    playClock_.Set(first, 0, PlaybackTick());
    // A stop during a download's hold stays at the beginning: the hold keeps the picture at its
    // hold point until it ends.
    holdTime_ = first;
    paused_ = true;
    pump_.Pause(first);
    return true;
}

bool LShowPlayback::TogglePlayPause()
{
    return paused_ ? Play() : Pause();
}

bool LShowPlayback::Seek(int64_t time, bool absolute, bool clamp, bool keepPaused)
{
    if (!IsShowOpen() || !opened_)
        return false;
    seekPausedAtEnd_ = paused_ && keepPaused;
    FollowAudioClock();
    const uint32_t now = PlaybackTick();
    int64_t target = absolute ? time : SaturatingAdd(playClock_.ValueAt(now), time);
    if (clamp && !seekPausedAtEnd_) {
        if (stream_.IsIncomplete())
            target = std::min(target, SaturatingSub(stream_.AvailableTimeUs(), 1));
        target = std::clamp(target, stream_.FirstTime(), std::max(stream_.FirstTime(), stream_.LastTime()));
    }
    if (hold_)
        holdTime_ = target;
    if (CheckShowBounds(target))
        return true;
    playClock_.Set(target, paused_ || hold_ ? 0 : LTimeRamp::kRealTime, now);
    pump_.Seek(target, false, false);
    host_.Redraw();
    host_.DeliverStatus();
    return true;
}

bool LShowPlayback::Navigate(uint32_t flags)
{
    const int64_t first = stream_.FirstTime();
    const int64_t last = stream_.LastTime();
    if (flags & kNavigateBeginning)
        return Seek(0, true, true, false);
    if (flags & kNavigateEnd) {
        const int64_t threeQuarters = SaturatingAdd(first, MulDivFloor(SaturatingSub(last, first), 3, 4));
        return Seek(std::max(SaturatingSub(last, kEndLeadUs), threeQuarters), true, true, false);
    }
    // A step flag alone steps forward; only a request that names nothing is refused.
    if (!(flags & (kNavigateForward | kNavigateBackward | kNavigateFast | kNavigateFrame)))
        return false;
    const int64_t step = (flags & kNavigateFast) ? kFastStepUs : (flags & kNavigateFrame) ? kFrameStepUs : kStepUs;
    return Seek((flags & kNavigateBackward) ? -step : step, false, false, false);
}

bool LShowPlayback::SeekToTime(int64_t time, bool keepPaused)
{
    return Seek(time, true, true, keepPaused);
}

bool LShowPlayback::SeekFraction(float fraction)
{
    const double share = std::isfinite(fraction) ? std::clamp<double>(fraction, 0.0, 1.0) : 0.0;
    const int64_t first = stream_.FirstTime();
    const double span = static_cast<double>(SaturatingSub(stream_.LastTime(), first));
    return SeekToTime(SaturatingAdd(first, static_cast<int64_t>(span * share)), false);
}

bool LShowPlayback::SetMute(bool on)
{
    if (!pump_.SetMute(on))
        return false;
    host_.NotifyStatus(kStatusMute);
    return true;
}

// ---- Once per paint

void LShowPlayback::HoldWhileLoading(int64_t position)
{
    const uint32_t now = PlaybackTick();
    // A show that will get no more bytes (its last feed was final, though cut) is loaded up to
    // its last time: holding for more would stop the clock for ever.
    if (stream_.IsIncomplete() && stream_.AvailableTimeUs() < stream_.LastTime()) {
        const int64_t loadedUntil =
            SaturatingSub(std::max(stream_.AvailableTimeUs(), stream_.FirstTime()), 1);
        if (position > loadedUntil) {
            holdTime_ = loadedUntil;
            SetHold(true);
            playClock_.Set(loadedUntil, 0, now);
            pump_.Seek(loadedUntil, true, false);
        } else if (hold_) {
            if (SaturatingSub(loadedUntil, holdTime_) < kHoldReleaseUs) {
                playClock_.Set(holdTime_, 0, now);
            } else {
                SetHold(false);
                if (!paused_)
                    playClock_.Set(holdTime_, LTimeRamp::kRealTime, now);
                pump_.Seek(holdTime_, true, false);
            }
        }
    } else if (hold_) {
        SetHold(false);
        if (!paused_)
            playClock_.Set(holdTime_, LTimeRamp::kRealTime, now);
        // Paused, the ring starts again silent: a moving seek would sound the hold point.
        pump_.Seek(holdTime_, paused_, false);
    }
}

void LShowPlayback::UpdateProgress(int64_t position)
{
    const int64_t first = stream_.FirstTime();
    const int64_t last = stream_.LastTime();
    if (position <= first)
        progress_ = 0.0f;
    else if (position >= last)
        progress_ = 1.0f;
    else
        progress_ = static_cast<float>(static_cast<double>(position - first) / static_cast<double>(last - first));
}

void LShowPlayback::StepPlayback()
{
    for (int32_t pass = 0; pass < 2 && IsShowOpen(); ++pass) {
        pump_.Pump();
        FollowAudioClock();
        playClock_.Advance(PlaybackTick());
        HoldWhileLoading(playClock_.value);
        const int64_t position = Position();
        if (pass == 0 && CheckShowBounds(position)) {
            progress_ = 0.0f;
            continue;
        }
        UpdateProgress(position);
        break;
    }
    host_.NotifyStatus(kStatusPlay);
}

bool LShowPlayback::CheckShowBounds(int64_t position)
{
    if (!IsShowOpen())
        return false;
    if (seekPausedAtEnd_) {
        if (paused_)
            return false;
        seekPausedAtEnd_ = false;
    }
    int64_t margin = pump_.HasBuffer() ? kBoundsMarginSoundUs : kBoundsMarginUs;
    if (position < SaturatingSub(stream_.FirstTime(), margin)) {
        OpenEntry(currentIndex_ - 1, true, true, nullptr, true);
        return true;
    }
    if (EntryCount() > 1)
        margin = kBoundsMarginListUs;
    if (position >= SaturatingAdd(stream_.LastTime(), margin)) {
        OpenEntry(currentIndex_ + 1, false, true, nullptr, true);
        return true;
    }
    return false;
}
