#pragma once
// LLaserPreviewClientCallback: how recorded data reaches a show writer: laser frames per
// controller (server, channel) and the output parameter records of each controller channel.
// Calls may come from any thread; the defaults do nothing.

#include <cstdint>

class LFrame;
struct LChanOutParsPair;

class LLaserPreviewClientCallback
{
  public:
    virtual ~LLaserPreviewClientCallback() = default;

    // Forgets the server's last sequence numbers (the controller started counting anew).
    virtual void ResetChannel(int32_t server) {}
    virtual bool OnParameterRecord(int32_t server, int32_t channel, int32_t subChannel,
                                   const LChanOutParsPair& pair)
    {
        return false;
    }
    // A null or empty frame ends the channel's picture from now on.
    virtual bool OnFrame(int32_t server, int32_t channel, const LFrame* frame, int32_t sequence1,
                         int32_t sequence2)
    {
        return false;
    }
};
