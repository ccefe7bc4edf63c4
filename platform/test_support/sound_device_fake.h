// A sound device for tests: no thread and no hardware. Its buffers are the real SoundRing, so
// they refuse what SDL's refuse and silence what they played; the test plays the hardware by
// hand (Advance), reads its state and makes operations fail.
#pragma once

#include "platform/sound_device.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class SoundRing;

struct FakeSoundHardware
{
    bool present = true;       // false: opening fails, as on a machine without sound
    bool refuseFormat = false; // SetFormat fails
    bool failCursors = false;  // GetCursors fails
    bool failStatus = false;   // GetStatus fails
    bool failPlay = false;     // Play fails
    bool failRestore = false;  // Restore fails
    // The device's own buffer: while playing it holds this many bytes pulled from the ring ahead
    // of the play cursor, so the write cursor runs this far ahead. A ring must be larger.
    int32_t writeLead = 0;

    std::string deviceName; // the name the device was opened with, "" for the default
    SoundFormat format;     // the format in force
    bool lost = false;
    int32_t playCalls = 0;
    int32_t restores = 0;

    bool HasRing() const { return ring_ != nullptr; }
    // The buffer's ring bytes; empty while there is no buffer.
    std::vector<uint8_t> Ring() const;
    int32_t PlayCursor() const;
    int32_t WriteCursor() const;
    bool Playing() const;
    bool Looping() const { return looping_; }
    // The count bytes heard from the play cursor on: those the device holds, then the ring's.
    std::vector<uint8_t> HeardBytes(int32_t count) const;

    // The hardware goes away: the ring stops and the buffer reports the loss.
    void Lose();
    // Plays bytes: the device hears them and pulls as many again from the ring.
    void Advance(int32_t bytes);

    // The fake buffer's side.
    void Attach(SoundRing* ring, bool looping);
    // Pulls from the ring until the device holds writeLead bytes.
    void Fill();
    void Pull(int32_t bytes);
    void DropHeld() { held_.clear(); }

  private:
    SoundRing* ring_ = nullptr;
    bool looping_ = false;
    std::deque<uint8_t> held_; // pulled, not heard yet
};

// Opens fake devices over one piece of hardware.
class FakeSoundSystem final : public SoundSystem
{
  public:
    explicit FakeSoundSystem(std::shared_ptr<FakeSoundHardware> hardware) : hw_(std::move(hardware)) {}
    std::unique_ptr<SoundDevice> OpenDevice(const char* name) override;
    std::string LastError() const override { return lastError_; }

  private:
    std::shared_ptr<FakeSoundHardware> hw_;
    std::string lastError_;
};

// Opens fake devices over this hardware.
SoundDeviceOpener FakeSoundOpener(std::shared_ptr<FakeSoundHardware> hardware);
