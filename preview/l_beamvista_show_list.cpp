// The show list and playback control. Until the list is built the preview holds no shows.
#include "preview/l_beamvista.h"

bool LBeamvista::HasOpenShow() const
{
    return !currentPath_.IsEmpty();
}

int32_t LBeamvista::ShowCount() const
{
    return static_cast<int32_t>(showList_.size());
}

int32_t LBeamvista::CurrentIndex() const
{
    return currentIndex_;
}

void LBeamvista::CloseAll(bool)
{
    showList_.clear();
    currentIndex_ = -1;
    currentPath_ = XAString();
}

void LBeamvista::OpenPath(const XAString&, bool) {}

void LBeamvista::OpenFileDialog(int32_t) {}

void LBeamvista::CloseCurrentEntry() {}

void LBeamvista::TogglePlayPause() {}

bool LBeamvista::IsPaused() const
{
    return false;
}

void LBeamvista::StepFile(bool) {}

void LBeamvista::Navigate(int32_t) {}

bool LBeamvista::OpenEntry(int32_t index, bool, bool, int32_t*, bool)
{
    if (index == -1)
        index = ShowCount() - 1;
    if (index < 0 || index >= ShowCount())
        return false;
    currentIndex_ = index;
    currentPath_ = showList_[index];
    return true;
}

bool LBeamvista::Play()
{
    return false;
}

bool LBeamvista::Pause()
{
    return false;
}

bool LBeamvista::Seek(int64_t, bool, bool, bool)
{
    return false;
}
