// The control build's engine operations: a show opened from a download's buffer and fed while
// more arrives, the play and buffered times of the control's status, and its status text.
#include "preview/l_beamvista.h"

#include "preview/l_beamvista_status_callback.h"
#include "preview/playback_time.h"

bool LBeamvista::OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                                bool final)
{
    CloseAll(true);
    return AddShow(name, data, size, threshold, final);
}

bool LBeamvista::FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                              bool final)
{
    if (size < 0)
        size = data.Length();
    if (!HasOpenShow())
        return OpenFromMemory(name, data, size, threshold, final);
    const LShowListEntry& entry = playback_.Entry(playback_.CurrentIndex());
    // Fewer bytes than before are another show's (or a restarted download's): open anew.
    if (entry.data.IsEmpty() || size < entry.dataSize)
        return OpenFromMemory(name, data, size, threshold, final);
    if (!playback_.ContinueFromMemory(name, data, size, final))
        return OpenFromMemory(name, data, size, threshold, final);
    NotifyStatus(kStatusPlay);
    return true;
}

int64_t LBeamvista::GetPlayTimeUs()
{
    if (!HasOpenShow())
        return -1;
    // While it plays, the picture's clock is the sound's.
    const LTimeRamp& audio = playback_.Sound().AudioClock();
    const bool followsSound = !playback_.IsPaused() && !playback_.IsHolding() && audio.IsValid();
    return (followsSound ? audio : playback_.PlayClock()).ValueAt(PlaybackTick());
}

int64_t LBeamvista::GetBufferedTimeUs()
{
    const int64_t played = GetPlayTimeUs();
    if (played < 0)
        return -1;
    const int64_t last = playback_.Stream().AvailableTimeUs();
    if (last < 0 || played > last)
        return -1;
    return last - played;
}

void LBeamvista::SetStatusText(const XAString& text)
{
    if (text == messageText_)
        return;
    messageText_ = text;
    if (HasWindow())
        Redraw();
}
