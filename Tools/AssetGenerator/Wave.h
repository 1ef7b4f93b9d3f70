#pragma once

#include <string>
#include <vector>

/// Samples of one mono sound, nominally in [-1, 1].
using Samples = std::vector<float>;

/// Sample rate of the effects and of the building blocks in Synth.h (per second).
constexpr int kSampleRate = 22050;

/// Writes `samples` as a mono 16-bit PCM WAV file at `rate` (per second); values
/// outside [-1, 1] are clamped. Throws std::runtime_error when it cannot write.
void WriteWave(const std::string& path, const Samples& samples, int rate = kSampleRate);
