#pragma once
// How the preview reports to its host window and its playback bar: title, play state, position
// and mute, and the commands it offers them before handling them itself.

#include <cstdint>

// Pending status bits, delivered in batches.
enum LBeamvistaStatusBits : uint32_t {
    kStatusTitle = 1,
    kStatusMute = 2,
    kStatusPlay = 4,
    kStatusAll = 0xFFFF,
};

// The play state reported to hosts.
enum LBeamvistaPlayState : int32_t {
    kPlayStateNoShow = 1,
    kPlayStateStopped = 2, // paused at or before the show's first time
    kPlayStatePlaying = 3,
    kPlayStatePaused = 4, // paused after the show's first time
};

class LBeamvistaStatusCallback
{
  public:
    virtual ~LBeamvistaStatusCallback() = default;

    // A command offered before the preview handles it; non-zero means handled. handlerInfo is
    // set for an update query.
    virtual int OnPreviewCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo) { return 0; }
    virtual void SetFileName(const char* title) {}
    virtual void SetPlayState(int32_t state, bool moreThanOneShow, bool opened) {}
    // Both in 0..1.
    virtual void SetPosition(float progress, float loaded) {}
    virtual void SetMute(bool muted) {}
};
