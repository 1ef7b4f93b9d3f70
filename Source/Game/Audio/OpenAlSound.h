#pragma once

#include "Audio/Ambience.h"
#include "Audio/OpenAlDevice.h"
#include "Audio/SoundBuffer.h"
#include "Audio/SoundEvents.h"
#include "Audio/SoundSettings.h"
#include "Audio/VoicePool.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

/// The world heard through the default audio device: positional effects
/// from "Resources/Sounds/", a listener that follows the camera and the
/// oasis ambience under the effects. GUI thread only; the library
/// mixes on its own thread.
class OpenAlSound : public SoundEvents
{
public:
    /// Opens the device, loads the sounds and starts the ambience. Null, and
    /// nothing said, when no device can be opened.
    static std::unique_ptr<SoundEvents> Open(const SoundSettings& settings);
    /// Makes its own context current before anything is released.
    ~OpenAlSound() override;

    void Play(SoundEffect effect, Vec3 where, float pitch) override;
    void EndTick() override;
    void FollowCamera(const float modelView[16]) override;

private:
    struct Pending
    {
        SoundEffect effect;
        Vec3 where;  // world units
        float pitch; // playback rate factor
    };

    using Clock = std::chrono::steady_clock;

    explicit OpenAlSound(const SoundSettings& settings);
    void MoveAmbienceOn(bool effectsStarted);

    OpenAlDevice device;                // first: everything below needs its context
    std::vector<SoundBuffer> effects;   // one per SoundEffect, in enum order
    VoicePool voices;
    std::optional<Ambience> ambience;   // empty while no device is open
    Clock::time_point lastTick;         // when the ambience was last moved on
    std::vector<Pending> pending;       // heard this tick, started by EndTick
    float duck = 0.0f;                  // 1 right after effects start, falls to 0 in a second
};
