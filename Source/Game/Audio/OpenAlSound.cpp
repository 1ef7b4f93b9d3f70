#include "Audio/OpenAlSound.h"

#include "Audio/ListenerPose.h"
#include "Audio/SoundFiles.h"

#include <algorithm>
#include <cmath>

namespace {

/// How each effect is played.
struct EffectSound
{
    float gain;          // before ducking and the master gain
    bool relative;       // true: heard from the listener's own place (jingles)
};

// In SoundEffect order.
const EffectSound effectSounds[] = {
    {0.7f, false},  // Launch
    {0.6f, false},  // BlockHit
    {0.8f, false},  // BlockBreak
    {1.0f, false},  // Explosion
    {0.7f, false},  // Release
    {0.8f, false},  // ExtraCaught
    {0.8f, false},  // BallLost
    {0.45f, false}, // WallBounce
    {0.6f, false},  // PaddleBounce
    {0.8f, true},   // LevelCleared
    {0.8f, true},   // GameOver
};
static_assert(sizeof(effectSounds) / sizeof(effectSounds[0]) == static_cast<std::size_t>(SoundEffect::Count),
              "one entry per effect");

const int voiceCount = 12;         // a chain of any length shares these
const int startsPerEffect = 2;     // of one effect per tick; the rest of a chain is heard in them
const int undimmedStarts = 2;      // more starts in one tick are turned down to keep the sum level
const float ambienceDucked = 0.5f; // share of its gain the ambience keeps right after an effect
const float duckRecovery = 0.02f;  // per tick: the ambience is back one second after the last effect
const float longestTick = 0.25f;   // seconds; a longer wait (a stall, a debugger) moves the ambience on no further

// Gain of each of `starts` effects begun in one tick: their sum grows like
// uncorrelated noise, so the share falls with the square root.
float ChainShare(int starts)
{
    return starts > undimmedStarts ? std::sqrt(static_cast<float>(undimmedStarts) / starts) : 1.0f;
}

} // namespace

std::unique_ptr<SoundEvents> OpenAlSound::Open(const SoundSettings& settings)
{
    std::unique_ptr<OpenAlSound> sound(new OpenAlSound(settings));
    if (!sound->device.IsOpen())
        return nullptr;
    return sound;
}

OpenAlSound::OpenAlSound(const SoundSettings& settings)
    : voices(device.IsOpen() ? voiceCount : 0)
{
    if (!device.IsOpen())
        return;
    for (const char* file : SoundFiles::effects)
        effects.emplace_back(std::string(SoundFiles::folder) + file);
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListenerf(AL_GAIN, settings.Gain());
    ambience.emplace(SoundFiles::folder);
    lastTick = Clock::now();
}

OpenAlSound::~OpenAlSound()
{
    // Everything below is released by name in the current context, which
    // another device may have made its own since.
    device.MakeCurrent();
}

void OpenAlSound::Play(SoundEffect effect, Vec3 where, float pitch)
{
    pending.push_back({effect, where, pitch});
}

void OpenAlSound::EndTick()
{
    int startsOf[static_cast<int>(SoundEffect::Count)] = {};
    std::vector<VoicePool::Voice> chosen;
    for (const Pending& p : pending) {
        const int index = static_cast<int>(p.effect);
        if (startsOf[index]++ >= startsPerEffect)
            continue;
        VoicePool::Voice voice;
        voice.buffer = effects.empty() ? 0 : effects[index].Id();
        voice.relative = effectSounds[index].relative;
        voice.where = voice.relative ? Vec3() : p.where;
        voice.gain = effectSounds[index].gain;
        voice.pitch = p.pitch;
        chosen.push_back(voice);
    }
    pending.clear();
    // Starts past the pool's size would take over voices begun in this tick.
    chosen.resize(std::min(chosen.size(), static_cast<std::size_t>(voices.Size())));
    const float share = ChainShare(static_cast<int>(chosen.size()));
    for (VoicePool::Voice& voice : chosen) {
        voice.gain *= share;
        voices.Start(voice);
    }
    MoveAmbienceOn(!chosen.empty());
}

void OpenAlSound::MoveAmbienceOn(bool effectsStarted)
{
    duck = effectsStarted ? 1.0f : std::fmax(0.0f, duck - duckRecovery);
    // The mixer plays in real time, whatever the pace of the ticks.
    const Clock::time_point now = Clock::now();
    const float elapsed = std::chrono::duration<float>(now - lastTick).count();
    lastTick = now;
    if (ambience)
        ambience->Advance(std::clamp(elapsed, 0.0f, longestTick), 1.0f - (1.0f - ambienceDucked) * duck);
}

void OpenAlSound::FollowCamera(const float modelView[16])
{
    // Both the world and the mixer are right-handed, so world coordinates go in
    // unchanged: the orientation tells the mixer that z, not y, is up here.
    const ListenerPose pose = ListenerPose::FromModelView(modelView);
    const float orientation[6] = {pose.at.x, pose.at.y, pose.at.z, pose.up.x, pose.up.y, pose.up.z};
    alListener3f(AL_POSITION, pose.position.x, pose.position.y, pose.position.z);
    alListenerfv(AL_ORIENTATION, orientation);
}
