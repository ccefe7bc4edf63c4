// BandwidthLimit: the control's simulation of a slow line. While it throttles, a download may
// release to the player only as many bytes as the bit rate allows since the download started.
#pragma once

#include <cstdint>

class BandwidthLimit
{
  public:
    static constexpr int32_t kDefaultBitsPerSecond = 32000;

    // The BitsPerSecond property: the rate while throttling, else 0.
    int32_t BitsPerSecond() const { return throttle_ ? bitsPerSecond_ : 0; }
    bool Throttles() const { return throttle_; }
    // Throttling is on exactly when bps > 0. A new rate while throttling moves the start so
    // that the bytes already allowed stay allowed at the new rate.
    void SetBitsPerSecond(int32_t bps, int32_t nowCs);
    // A download starts (or is reset) now.
    void Restart(int32_t nowCs) { startCs_ = nowCs; }
    int32_t StartCs() const { return startCs_; }
    // Bytes allowed at nowCs for a download of size bytes: at most size, never negative; a
    // first call in the start's own centisecond counts one centisecond.
    int64_t Allowed(int32_t nowCs, int64_t size) const;

  private:
    // Elapsed centiseconds since the start, kept in [0, 2^31).
    int64_t Elapsed(int32_t nowCs) const;

    bool throttle_ = false;
    int32_t bitsPerSecond_ = kDefaultBitsPerSecond;
    int32_t startCs_ = 0;
};
