#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace {

const float kDt = 1.0f / kSampleRate;

} // namespace

Samples Silence(float seconds)
{
    return Samples(static_cast<std::size_t>(seconds * kSampleRate), 0.0f);
}

float Seconds(std::size_t i)
{
    return static_cast<float>(i) * kDt;
}

float Strike(float t, float attack, float decay)
{
    return t < attack ? t / attack : std::exp(-(t - attack) / decay);
}

void AddTone(Samples& s, float start, float from, float to, float glide, float attack, float decay,
             float amplitude, float second, float third)
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

Samples Halve(const Samples& s)
{
    Samples half(s.size() / 2);
    for (std::size_t i = 0; i < half.size(); ++i) {
        const float before = i > 0 ? s[2 * i - 1] : 0.0f;
        half[i] = 0.25f * before + 0.5f * s[2 * i] + 0.25f * s[2 * i + 1];
    }
    return half;
}
