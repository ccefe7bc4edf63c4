#include "platform/internal/pulled_play_cursor.h"

#include <algorithm>

namespace {

constexpr int64_t kMicrosecondsPerSecond = 1000000;

} // namespace

void PulledPlayCursor::SetFormat(int64_t bytesPerSecond, int32_t blockAlign)
{
    bytesPerSecond_ = std::max<int64_t>(0, bytesPerSecond);
    blockAlign_ = std::max(1, blockAlign);
}

void PulledPlayCursor::OnPull(int32_t bytes, int32_t held, int64_t nowUs)
{
    pulled_ += std::max(0, bytes);
    held_ = std::max(0, held);
    lastPullUs_ = nowUs;
}

void PulledPlayCursor::Settle()
{
    held_ = 0;
    heardFloor_ = pulled_;
}

void PulledPlayCursor::LimitHeld(int32_t held)
{
    held_ = std::clamp(held, 0, held_);
}

int64_t PulledPlayCursor::Heard(int64_t nowUs)
{
    const int64_t elapsedUs = std::clamp<int64_t>(nowUs - lastPullUs_, 0, kMicrosecondsPerSecond);
    int64_t played = std::min<int64_t>(held_, elapsedUs * bytesPerSecond_ / kMicrosecondsPerSecond);
    played -= played % blockAlign_;
    const int64_t heard = std::max(pulled_ - held_ + played, heardFloor_);
    heardFloor_ = std::min(heard, pulled_);
    return heardFloor_;
}
