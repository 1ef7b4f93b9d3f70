#pragma once

#include "Audio/SoundBuffer.h"

#include <AL/al.h>

#include <random>
#include <string>
#include <vector>

/// The oasis heard all around the listener: wind on a loop that rises and
/// falls on slow, irregular gusts, and laps of water and rarer details (a
/// palm frond, a distant bird, a ripple close by) at random times, strengths
/// and places, so the ear finds no period. Draws on a generator of its own,
/// never on rand(). Needs a current context from construction to destruction.
class Ambience
{
public:
    /// Loads the sounds from `folder` (ending in '/') and starts the wind;
    /// a file that cannot be read is left out.
    explicit Ambience(const std::string& folder);
    /// Stops and deletes its sources.
    ~Ambience();
    Ambience(const Ambience&) = delete;
    Ambience& operator=(const Ambience&) = delete;

    /// Moves on by `seconds`: the gust's new strength, and the laps and
    /// details due by then. `level` (0..1) scales all of it, for ducking.
    void Advance(float seconds, float level);

private:
    float Between(float low, float high);
    void Gust(float seconds);
    void StartDetail(const SoundBuffer& buffer, float gain, float lowPitch, float highPitch);

    SoundBuffer wind;
    std::vector<SoundBuffer> laps;
    std::vector<SoundBuffer> details;
    ALuint windSource = 0;            // owning; looping
    static constexpr int detailVoices = 3;
    ALuint detailSources[detailVoices] = {}; // owning; taken in turn, so a lap rarely cuts another short
    unsigned nextSource = 0;          // index into detailSources
    std::minstd_rand random;          // the ambience's own sequence
    float gustFrom = 0.0f, gustTo = 0.0f; // wind strength at the gust's start and end, 0..1
    float gustLength = 1.0f, gustAt = 0.0f; // seconds: the gust's duration and how far into it
    float untilLap = 0.0f;            // seconds
    float untilDetail = 0.0f;         // seconds
    float level = 1.0f;               // the last Advance's
};
