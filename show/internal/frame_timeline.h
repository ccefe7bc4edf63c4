#pragma once
// Follows a frame's time stamps, scan rate and point counts while its commands are walked,
// and yields the statistics record: the frame statistics and the renderer share it.

#include "show/frame_commands.h"
#include "show/frame_records.h"

#include <cstdint>

class LFrameTimeline
{
  public:
    // A Header or HeaderTime with its rate word: the points so far ran at the old rate.
    void Header(uint32_t rateWord);
    void Channel(uint32_t channel, uint32_t subChannel);
    void Time(uint32_t highWord, uint32_t lowWord);
    void Image(uint32_t durationTicks);
    void AddPoints(int64_t n) { pending_ += n; }

    double Rate() const { return rate_; }
    // The points still pending ran at the current rate; stats then takes the record.
    void Finish(LFrameStats& stats, float averageSpeed);

  private:
    void AdvanceByPending();

    LFrameStats stats_;
    double rate_ = kDefaultRate;
    int64_t pending_ = 0;
};
