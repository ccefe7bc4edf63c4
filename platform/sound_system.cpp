#include "platform/sound_device.h"

#include <atomic>

namespace {

constinit std::atomic<SoundSystem*> replacement{nullptr};

} // namespace

SoundSystem& CurrentSoundSystem()
{
    SoundSystem* system = replacement.load(std::memory_order_acquire);
    return system != nullptr ? *system : SdlSoundSystem();
}

SoundSystem* SetSoundSystem(SoundSystem* system)
{
    return replacement.exchange(system, std::memory_order_acq_rel);
}

std::unique_ptr<SoundDevice> OpenSoundDevice(const char* name)
{
    return CurrentSoundSystem().OpenDevice(name);
}
