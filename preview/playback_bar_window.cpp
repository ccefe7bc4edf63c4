#include "preview/playback_bar_window.h"

#include <utility>

namespace {

PlaybackBarFactory* currentFactory = nullptr;

} // namespace

PlaybackBarFactory* CurrentPlaybackBarFactory()
{
    return currentFactory;
}

PlaybackBarFactory* SetPlaybackBarFactory(PlaybackBarFactory* factory)
{
    return std::exchange(currentFactory, factory);
}
