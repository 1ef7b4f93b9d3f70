#include "Sounds.h"

#include "Audio/SoundFiles.h"
#include "Noise.h"
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const float kPi = 3.14159265f;
const float kDt = 1.0f / kSampleRate;

Samples Silence(float seconds)
{
    return Samples(static_cast<std::size_t>(seconds * kSampleRate), 0.0f);
}

float Seconds(std::size_t i)
{
    return static_cast<float>(i) * kDt;
}

/// Linear rise over `attack` seconds, then exponential fall with time constant `decay`.
float Strike(float t, float attack, float decay)
{
    return t < attack ? t / attack : std::exp(-(t - attack) / decay);
}

/// Adds a tone gliding exponentially from `from` to `to` Hz over `glide` seconds,
/// starting at `start` seconds, shaped by Strike; partials at 2 and 3 times with given weights.
void AddTone(Samples& s, float start, float from, float to, float glide, float attack, float decay,
             float amplitude, float second = 0.0f, float third = 0.0f)
{
    float phase = 0.0f;
    for (std::size_t i = static_cast<std::size_t>(start * kSampleRate); i < s.size(); ++i) {
        const float t = Seconds(i) - start;
        const float f = from * std::pow(to / from, std::min(t / glide, 1.0f));
        phase += 2.0f * kPi * f * kDt;
        const float wave = std::sin(phase) + second * std::sin(2.0f * phase) + third * std::sin(3.0f * phase);
        s[i] += amplitude * Strike(t, attack, decay) * wave;
    }
}

/// One-pole low-pass of white noise (cut-off in Hz) under Strike from `start`.
void AddNoise(Samples& s, Random& random, float start, float cutoff, float attack, float decay, float amplitude)
{
    const float a = 1.0f - std::exp(-2.0f * kPi * cutoff * kDt);
    float low = 0.0f, lower = 0.0f;
    for (std::size_t i = static_cast<std::size_t>(start * kSampleRate); i < s.size(); ++i) {
        low += a * (random.Range(-1.0f, 1.0f) - low);
        lower += a * (low - lower); // two poles: a duller, rounder noise
        s[i] += amplitude * Strike(Seconds(i) - start, attack, decay) * lower * 4.0f;
    }
}

/// Fades the start in over a millisecond and the end out over five, so the
/// sound starts and stops at 0 without a click, then scales it to `peak`.
Samples Finish(Samples s, float peak)
{
    const std::size_t in = std::min<std::size_t>(s.size() / 2, kSampleRate / 1000);
    const std::size_t out = std::min<std::size_t>(s.size() / 2, kSampleRate / 200);
    float largest = 0.0f;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i < in)
            s[i] *= static_cast<float>(i) / in;
        if (s.size() - 1 - i < out)
            s[i] *= static_cast<float>(s.size() - 1 - i) / out;
        largest = std::max(largest, std::fabs(s[i]));
    }
    for (float& v : s)
        v *= largest > 0.0f ? peak / largest : 0.0f;
    return s;
}

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

/// Weight of one lap of water at loop time t (seconds): a soft swell at each
/// of the lap times, measured round the loop so the pattern repeats with it.
float Laps(float t, float loop)
{
    const float times[4] = {0.3f, 1.35f, 2.4f, 3.3f}, sizes[4] = {1.0f, 0.6f, 0.85f, 0.5f};
    float sum = 0.0f;
    for (int k = 0; k < 4; ++k) {
        float d = std::fabs(t - times[k]);
        d = std::min(d, loop - d);
        sum += sizes[k] * std::exp(-d * d / (2.0f * 0.12f * 0.12f));
    }
    return sum;
}

Samples Ambience(Random& random)
{
    const float loop = 4.0f;
    const std::size_t length = static_cast<std::size_t>(loop * kSampleRate), overlap = kSampleRate / 2;
    const float windA = 1.0f - std::exp(-2.0f * kPi * 350.0f * kDt);
    const float waterA = 1.0f - std::exp(-2.0f * kPi * 1200.0f * kDt), waterB = 1.0f - std::exp(-2.0f * kPi * 300.0f * kDt);
    Samples s(length + overlap);
    float wind = 0.0f, windLow = 0.0f, high = 0.0f, low = 0.0f;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Seconds(i);
        // Gusts: whole cycles per loop, so the swell matches across the seam.
        const float gust = 0.6f + 0.25f * std::sin(2.0f * kPi * t / loop) + 0.15f * std::sin(6.0f * kPi * t / loop + 1.0f);
        wind += windA * (random.Range(-1.0f, 1.0f) - wind);
        windLow += windA * (wind - windLow);
        const float white = random.Range(-1.0f, 1.0f);
        high += waterA * (white - high);
        low += waterB * (white - low);
        s[i] = gust * windLow * 3.0f + Laps(std::fmod(t, loop), loop) * (high - low) * 1.5f;
    }
    // The tail is blended into the start (equal power, the two are unrelated
    // noise), so the last sample runs on into the first.
    for (std::size_t i = 0; i < overlap; ++i) {
        const float x = static_cast<float>(i) / overlap;
        s[i] = s[i] * std::sin(0.5f * kPi * x) + s[length + i] * std::cos(0.5f * kPi * x);
    }
    s.resize(length);
    float largest = 0.0f;
    for (float v : s)
        largest = std::max(largest, std::fabs(v));
    for (float& v : s)
        v *= 0.5f / largest;
    return s;
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
    Random random(seed);
    WriteWave(root + "/Sounds/" + SoundFiles::ambience, Ambience(random));
}
