#include "Sounds.h"

#include "AmbienceSounds.h"
#include "Audio/SoundFiles.h"
#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

Samples Launch(Random& random)
{
    Samples s = Silence(0.35f);
    AddTone(s, 0.0f, 220.0f, 660.0f, 0.25f, 0.02f, 0.12f, 0.5f, 0.3f);
    AddNoise(s, random, 0.0f, 1800.0f, 0.04f, 0.1f, 0.6f);
    return Finish(s, 0.7f);
}

Samples BlockHit(Random& random)
{
    Samples s = Silence(0.2f);
    AddTone(s, 0.0f, 880.0f, 880.0f, 1.0f, 0.001f, 0.035f, 0.7f);
    AddTone(s, 0.0f, 2430.0f, 2430.0f, 1.0f, 0.001f, 0.015f, 0.3f);
    AddNoise(s, random, 0.0f, 4000.0f, 0.001f, 0.004f, 0.5f);
    return Finish(s, 0.75f);
}

Samples BlockBreak(Random& random)
{
    Samples s = Silence(0.5f);
    AddTone(s, 0.0f, 160.0f, 90.0f, 0.15f, 0.002f, 0.06f, 0.6f);
    AddNoise(s, random, 0.0f, 2500.0f, 0.002f, 0.08f, 0.8f);
    for (int grain = 0; grain < 5; ++grain) // falling debris
        AddNoise(s, random, random.Range(0.06f, 0.35f), 3500.0f, 0.001f, 0.015f, 0.35f);
    return Finish(s, 0.8f);
}

Samples Explosion(Random& random)
{
    Samples s = Silence(1.4f);
    AddTone(s, 0.0f, 70.0f, 38.0f, 0.6f, 0.004f, 0.45f, 0.7f);
    AddNoise(s, random, 0.0f, 700.0f, 0.004f, 0.35f, 1.0f);
    AddNoise(s, random, 0.0f, 3000.0f, 0.002f, 0.05f, 0.5f);
    for (int grain = 0; grain < 8; ++grain) // crackle
        AddNoise(s, random, random.Range(0.05f, 0.6f), 4000.0f, 0.001f, 0.01f, 0.25f);
    return Finish(s, 0.85f);
}

Samples Release(Random& random)
{
    Samples s = Silence(0.3f);
    AddTone(s, 0.0f, 300.0f, 900.0f, 0.08f, 0.003f, 0.08f, 0.6f, 0.25f);
    AddNoise(s, random, 0.0f, 3000.0f, 0.001f, 0.006f, 0.4f);
    return Finish(s, 0.7f);
}

Samples ExtraCaught(Random&)
{
    Samples s = Silence(0.5f);
    const float notes[3] = {784.0f, 988.0f, 1319.0f};
    for (int n = 0; n < 3; ++n)
        AddTone(s, 0.09f * n, notes[n], notes[n], 1.0f, 0.003f, 0.12f, 0.4f, 0.2f);
    return Finish(s, 0.7f);
}

Samples BallLost(Random&)
{
    Samples s = Silence(0.8f);
    AddTone(s, 0.0f, 660.0f, 165.0f, 0.7f, 0.01f, 0.35f, 0.6f, 0.15f, 0.1f);
    return Finish(s, 0.7f);
}

Samples WallBounce(Random& random)
{
    Samples s = Silence(0.09f);
    AddTone(s, 0.0f, 1400.0f, 1400.0f, 1.0f, 0.001f, 0.012f, 0.6f);
    AddNoise(s, random, 0.0f, 5000.0f, 0.0005f, 0.002f, 0.4f);
    return Finish(s, 0.6f);
}

Samples PaddleBounce(Random& random)
{
    Samples s = Silence(0.16f);
    AddTone(s, 0.0f, 330.0f, 250.0f, 0.1f, 0.002f, 0.045f, 0.7f, 0.35f);
    AddNoise(s, random, 0.0f, 2000.0f, 0.001f, 0.004f, 0.3f);
    return Finish(s, 0.7f);
}

Samples Arpeggio(const float* notes, int count, float step, float seconds, float decay, float lastDecay)
{
    Samples s = Silence(seconds);
    for (int n = 0; n < count; ++n)
        AddTone(s, step * n, notes[n], notes[n], 1.0f, 0.005f, n + 1 == count ? lastDecay : decay, 0.4f, 0.0f,
                0.11f);
    return Finish(s, 0.7f);
}

Samples LevelCleared(Random&)
{
    const float major[4] = {523.25f, 659.25f, 783.99f, 1046.5f};
    return Arpeggio(major, 4, 0.12f, 1.3f, 0.2f, 0.35f);
}

Samples GameOver(Random&)
{
    const float falling[4] = {392.0f, 349.23f, 311.13f, 261.63f};
    return Arpeggio(falling, 4, 0.3f, 1.8f, 0.25f, 0.5f);
}

} // namespace

void WriteSounds(const std::string& root)
{
    using Maker = Samples (*)(Random&);
    const struct
    {
        SoundEffect effect;
        Maker make;
    } sounds[] = {
        {SoundEffect::Launch, Launch},         {SoundEffect::BlockHit, BlockHit},
        {SoundEffect::BlockBreak, BlockBreak}, {SoundEffect::Explosion, Explosion},
        {SoundEffect::Release, Release},       {SoundEffect::ExtraCaught, ExtraCaught},
        {SoundEffect::BallLost, BallLost},     {SoundEffect::WallBounce, WallBounce},
        {SoundEffect::PaddleBounce, PaddleBounce}, {SoundEffect::LevelCleared, LevelCleared},
        {SoundEffect::GameOver, GameOver},
    };
    static_assert(std::size(sounds) == static_cast<std::size_t>(SoundEffect::Count), "one maker per effect");
    std::uint64_t seed = 0x50D5EEDull;
    for (const auto& sound : sounds) {
        Random random(seed++);
        const char* file = SoundFiles::effects[static_cast<std::size_t>(sound.effect)];
        WriteWave(root + "/Sounds/" + file, sound.make(random));
    }
    WriteAmbience(root);
}
