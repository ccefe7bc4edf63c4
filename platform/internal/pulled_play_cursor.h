#pragma once
// The heard position of a device that pulls sound a period at a time and holds what it pulled
// until it is heard (SDL's callback does). Counted in bytes since the stream began: the bytes
// pulled less those still held, plus what the hardware has played of the held bytes since the
// last pull, estimated from the time that passed. The estimate is at most the bytes held (one
// period) and never less than a position reported before, so the sound clock moves smoothly
// between pulls and never runs back.
// Not locked: its owner serialises the pulling thread and the readers.

#include <cstdint>

class PulledPlayCursor
{
  public:
    void SetFormat(int64_t bytesPerSecond, int32_t blockAlign);
    // The device took bytes and now holds held bytes that are not heard yet.
    void OnPull(int32_t bytes, int32_t held, int64_t nowUs);
    // Everything pulled counts as heard (the device stopped, the ring jumped).
    void Settle();
    // At most held bytes; the held bytes shrink to the new limit.
    void LimitHeld(int32_t held);

    int64_t Heard(int64_t nowUs);
    int64_t Pulled() const { return pulled_; }
    int32_t Held() const { return held_; }

  private:
    int64_t bytesPerSecond_ = 0;
    int32_t blockAlign_ = 1;
    int64_t pulled_ = 0;
    int32_t held_ = 0;
    int64_t lastPullUs_ = 0;
    int64_t heardFloor_ = 0;
};
