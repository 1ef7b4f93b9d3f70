#include "AmbienceSounds.h"

#include "Audio/SoundFiles.h"
#include "Synth.h"

#include <cmath>
#include <iterator>

namespace {

const int kWindRate = 8000;         // per second; the wind is dull, and the longest file
const int kDetailRate = kSampleRate / 2;

/// Coefficient of a one-pole low-pass with cut-off `hz` at `rate`.
float LowPass(float hz, int rate)
{
    return 1.0f - std::exp(-2.0f * kPi * hz / static_cast<float>(rate));
}

/// Steady wind: a low roar and a fainter band of air. The loop is long for
/// its size and level on purpose, so that the game's gusts are all that rises and falls.
Samples Wind(Random& random)
{
    const std::size_t length = static_cast<std::size_t>(8.7f * kWindRate), overlap = kWindRate / 2;
    const float roarA = LowPass(300.0f, kWindRate), airHigh = LowPass(1200.0f, kWindRate),
                airLow = LowPass(500.0f, kWindRate);
    Samples s(length + overlap);
    float roar = 0.0f, roarLow = 0.0f, high = 0.0f, low = 0.0f;
    double power = 0.0;
    for (float& v : s) {
        roar += roarA * (random.Range(-1.0f, 1.0f) - roar);
        roarLow += roarA * (roar - roarLow);
        const float white = random.Range(-1.0f, 1.0f);
        high += airHigh * (white - high);
        low += airLow * (white - low);
        v = roarLow * 3.0f + (high - low) * 1.2f;
    }
    // The tail is blended into the start (equal power, the two are unrelated
    // noise), so the last sample runs on into the first.
    for (std::size_t i = 0; i < overlap; ++i) {
        const float x = static_cast<float>(i) / overlap;
        s[i] = s[i] * std::sin(0.5f * kPi * x) + s[length + i] * std::cos(0.5f * kPi * x);
    }
    s.resize(length);
    for (float v : s)
        power += v * v;
    const float rms = static_cast<float>(std::sqrt(power / length));
    for (float& v : s)
        v *= 0.12f / rms;
    return s;
}

/// A wave breaking on the shore: a dull wash, the brighter spill of its crest
/// and a few bubbles.
Samples Lap(Random& random)
{
    Samples s = Silence(0.9f);
    const float rise = random.Range(0.08f, 0.2f);
    AddNoise(s, random, 0.0f, random.Range(700.0f, 1100.0f), rise, random.Range(0.15f, 0.3f), 1.0f);
    AddNoise(s, random, rise * 0.8f, 3000.0f, 0.02f, random.Range(0.06f, 0.12f), 0.35f);
    const int bubbles = 2 + static_cast<int>(random.Range(0.0f, 3.0f));
    for (int b = 0; b < bubbles; ++b) {
        const float pitch = random.Range(350.0f, 650.0f);
        AddTone(s, random.Range(rise, 0.5f), pitch, pitch * 1.6f, 0.03f, 0.002f, 0.025f, 0.12f);
    }
    return Finish(s, 0.8f);
}

/// Dry leaves brushing each other: short ticks of bright noise, thickest mid-way.
Samples Frond(Random& random)
{
    Samples s = Silence(1.3f);
    for (int grain = 0; grain < 60; ++grain) {
        const float at = random.Range(0.0f, 1.15f);
        const float weight = std::sin(kPi * at / 1.15f);
        AddNoise(s, random, at, 4500.0f, 0.001f, random.Range(0.004f, 0.012f), weight * random.Range(0.2f, 0.5f));
    }
    return Finish(s, 0.8f);
}

/// Three rising chirps and a lower call, as from across the water.
Samples Bird(Random& random)
{
    Samples s = Silence(1.0f);
    for (int chirp = 0; chirp < 3; ++chirp) {
        const float from = random.Range(2600.0f, 3000.0f);
        AddTone(s, 0.16f * chirp, from, from * 1.25f, 0.06f, 0.01f, 0.04f, 0.5f, 0.1f);
    }
    AddTone(s, 0.55f, 2400.0f, 2000.0f, 0.15f, 0.02f, 0.09f, 0.4f, 0.1f);
    return Finish(s, 0.8f);
}

/// Something small dropping into the water close by.
Samples Ripple(Random& random)
{
    Samples s = Silence(0.5f);
    AddTone(s, 0.0f, 450.0f, 1200.0f, 0.05f, 0.002f, 0.05f, 0.6f);
    AddNoise(s, random, 0.0f, 2500.0f, 0.003f, 0.08f, 0.5f);
    AddTone(s, 0.12f, 700.0f, 1400.0f, 0.04f, 0.002f, 0.03f, 0.25f);
    return Finish(s, 0.8f);
}

} // namespace

void WriteAmbience(const std::string& root)
{
    const std::string folder = root + "/Sounds/";
    std::uint64_t seed = 0xA4B1E47ull;
    Random windRandom(seed++);
    WriteWave(folder + SoundFiles::wind, Wind(windRandom), kWindRate);
    for (const char* lap : SoundFiles::laps) {
        Random random(seed++);
        WriteWave(folder + lap, Halve(Lap(random)), kDetailRate);
    }
    const struct
    {
        Samples (*make)(Random&);
        bool halve; // false: it has high notes, which the mixer would mirror at half the rate
    } details[] = {{Frond, true}, {Bird, false}, {Ripple, true}};
    static_assert(std::size(details) == std::size(SoundFiles::details), "one maker per detail");
    for (std::size_t i = 0; i < std::size(details); ++i) {
        Random random(seed++);
        const Samples made = details[i].make(random);
        const std::string path = folder + SoundFiles::details[i];
        if (details[i].halve)
            WriteWave(path, Halve(made), kDetailRate);
        else
            WriteWave(path, made);
    }
}
