#include "Noise.h"

#include <cmath>

namespace {

float Lattice(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^ static_cast<std::uint32_t>(y) * 0xd8163841u ^
                      seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777215.0f;
}

int Wrap(int value, int period)
{
    if (period <= 0)
        return value;
    const int r = value % period;
    return r < 0 ? r + period : r;
}

} // namespace

float Random::Next()
{
    // splitmix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<float>(z >> 40) / 16777216.0f;
}

float SmoothStep(float edge0, float edge1, float x)
{
    float t = (x - edge0) / (edge1 - edge0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3 - 2 * t);
}

float Mix(float a, float b, float t)
{
    return a + (b - a) * t;
}

float ValueNoise(float x, float y, int period, std::uint32_t seed)
{
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
    const int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
    const float bottom = Mix(Lattice(x0, y0, seed), Lattice(x1, y0, seed), sx);
    const float top = Mix(Lattice(x0, y1, seed), Lattice(x1, y1, seed), sx);
    return Mix(bottom, top, sy);
}

float Fractal(float x, float y, int period, std::uint32_t seed)
{
    float sum = 0, weight = 0.5f, total = 0;
    for (int octave = 0; octave < 4; ++octave) {
        sum += weight * ValueNoise(x, y, period, seed + octave);
        total += weight;
        x *= 2;
        y *= 2;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}
