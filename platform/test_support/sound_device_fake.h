// A sound device for tests: no thread and no hardware. The test owns the hardware state,
// moves the cursors by hand, reads the ring and makes operations fail.
#pragma once

#include "platform/sound_device.h"

#include <memory>
#include <string>
#include <vector>

struct FakeSoundHardware
{
    bool present = true;       // false: opening fails, as on a machine without sound
    bool refuseFormat = false; // SetFormat fails
    bool failCursors = false;  // GetCursors fails
    bool failStatus = false;   // GetStatus fails
    bool failPlay = false;     // Play fails
    bool failRestore = false;  // Restore fails
    int32_t writeLead = 0;     // how far the write cursor runs ahead of the play cursor while playing

    std::string deviceName;    // the name the device was opened with, "" for the default
    SoundFormat format;        // the format in force
    std::vector<uint8_t> ring; // the buffer's bytes; empty while there is no buffer
    int32_t playCursor = 0;
    int32_t writeCursor = 0;
    bool playing = false;
    bool looping = false;
    bool lost = false;
    int32_t playCalls = 0;
    int32_t restores = 0;

    // Plays bytes: both cursors advance, wrapping at the end of the ring.
    void Advance(int32_t bytes);
    // Puts the play cursor at offset and the write cursor writeLead ahead of it while playing,
    // on it while stopped.
    void MoveTo(int32_t offset);
};

// Opens fake devices over this hardware.
SoundDeviceOpener FakeSoundOpener(std::shared_ptr<FakeSoundHardware> hardware);
