#pragma once

#include <cstdint>

/// Small seeded generator, so the assets never depend on the C library's rand.
class Random
{
public:
    explicit Random(std::uint64_t seed) : state(seed) {}
    /// Uniform in [0, 1).
    float Next();
    /// Uniform in [low, high).
    float Range(float low, float high) { return low + (high - low) * Next(); }

private:
    std::uint64_t state;
};

/// Smooth value noise in [0, 1] on a unit lattice; `period` > 0 makes it repeat every
/// `period` lattice cells in x and y (for tiling textures), 0 means no repetition.
float ValueNoise(float x, float y, int period, std::uint32_t seed);

/// Four octaves of value noise, in [0, 1]; octave k uses period `period` << k.
float Fractal(float x, float y, int period, std::uint32_t seed);

/// Hermite step: 0 below `edge0`, 1 above `edge1`.
float SmoothStep(float edge0, float edge1, float x);

float Mix(float a, float b, float t);
