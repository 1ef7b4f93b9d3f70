#pragma once

#include "Noise.h"
#include "Wave.h"

#include <cstddef>

// Building blocks of the generated sounds, all at kSampleRate.

constexpr float kPi = 3.14159265f;

/// `seconds` of zeros.
Samples Silence(float seconds);

/// Time of sample `i` (seconds).
float Seconds(std::size_t i);

/// Linear rise over `attack` seconds, then exponential fall with time constant `decay`.
float Strike(float t, float attack, float decay);

/// Adds a tone gliding exponentially from `from` to `to` Hz over `glide` seconds,
/// starting at `start` seconds, shaped by Strike; partials at 2 and 3 times with given weights.
void AddTone(Samples& s, float start, float from, float to, float glide, float attack, float decay,
             float amplitude, float second = 0.0f, float third = 0.0f);

/// Two-pole low-pass of white noise (cut-off in Hz) under Strike from `start`.
void AddNoise(Samples& s, Random& random, float start, float cutoff, float attack, float decay, float amplitude);

/// Fades the start in over a millisecond and the end out over five, so the
/// sound starts and stops at 0 without a click, then scales it to `peak`.
Samples Finish(Samples s, float peak);

/// Every other sample after a gentle low-pass: the sound at half the rate,
/// for sounds with nothing worth keeping above a quarter of kSampleRate.
Samples Halve(const Samples& s);
