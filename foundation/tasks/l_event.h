#pragma once
// LEvent: an auto-reset event. Set leaves it signalled until one wait takes it, which resets it.
// Its state lives under SyncMonitor(), so one wait can watch several events together
// (WaitObjectsUnlocked).

class LEvent
{
  public:
    LEvent() = default;
    LEvent(const LEvent&) = delete;
    LEvent& operator=(const LEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

    // The same with the monitor's gate held.
    void SetLocked();
    void ResetLocked() { set_ = false; }
    bool IsSetLocked() const { return set_; }

  private:
    bool set_ = false;
};
