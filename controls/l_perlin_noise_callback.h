// What a long noise computation asks while it runs: whether to stop. The progress box answers it
// (and keeps the windows alive meanwhile); without one the computation runs to its end.
#pragma once

class LPerlinNoiseCallback
{
  public:
    virtual ~LPerlinNoiseCallback() = default;
    // Polled between steps of the computation; true stops it.
    virtual bool Abort() = 0;
};
