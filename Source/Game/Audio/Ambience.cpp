#include "Audio/Ambience.h"

#include "Audio/SoundFiles.h"

#include <cmath>

namespace {

const float windGain = 0.33f;    // at the strongest gust
const float lapGain = 0.36f;     // the strongest lap
const float detailGain = 0.22f;  // the strongest frond, bird or ripple
const float calmest = 0.35f;     // the wind's strength in a lull, of its strongest
const float shortestGust = 1.5f, longestGust = 6.0f; // seconds from one strength to the next
const float pi = 3.14159265f;

} // namespace

Ambience::Ambience(const std::string& folder)
    : wind(folder + SoundFiles::wind)
    , random(0x0A515u)
{
    for (const char* file : SoundFiles::laps)
        laps.emplace_back(folder + file);
    for (const char* file : SoundFiles::details)
        details.emplace_back(folder + file);
    alGenSources(detailVoices, detailSources);
    for (ALuint source : detailSources)
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    untilLap = Between(0.3f, 1.5f);
    untilDetail = Between(4.0f, 12.0f);
    gustFrom = Between(calmest, 1.0f);
    gustTo = Between(calmest, 1.0f);
    gustLength = Between(shortestGust, longestGust);
    if (!wind.Id())
        return;
    alGenSources(1, &windSource);
    alSourcei(windSource, AL_BUFFER, static_cast<ALint>(wind.Id()));
    alSourcei(windSource, AL_LOOPING, AL_TRUE);
    alSourcei(windSource, AL_SOURCE_RELATIVE, AL_TRUE); // all around, wherever the camera is
    Gust(0.0f);
    alSourcePlay(windSource);
}

Ambience::~Ambience()
{
    alSourceStopv(detailVoices, detailSources);
    for (ALuint source : detailSources)
        alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(detailVoices, detailSources);
    if (!windSource)
        return;
    alSourceStop(windSource);
    alSourcei(windSource, AL_BUFFER, 0);
    alDeleteSources(1, &windSource);
}

float Ambience::Between(float low, float high)
{
    const double unit = static_cast<double>(random() - random.min()) / (random.max() - random.min() + 1.0);
    return low + (high - low) * static_cast<float>(unit);
}

void Ambience::Advance(float seconds, float newLevel)
{
    level = newLevel;
    Gust(seconds);
    untilLap -= seconds;
    if (untilLap <= 0.0f && !laps.empty()) {
        // Mostly small laps with the odd big one: strength squared.
        const float strength = Between(0.3f, 1.0f);
        StartDetail(laps[random() % laps.size()], lapGain * strength * strength, 0.8f, 1.2f);
        untilLap = Between(0.35f, 2.2f);
    }
    untilDetail -= seconds;
    if (untilDetail <= 0.0f && !details.empty()) {
        StartDetail(details[random() % details.size()], detailGain * Between(0.4f, 1.0f), 0.9f, 1.1f);
        untilDetail = Between(5.0f, 16.0f);
    }
}

void Ambience::Gust(float seconds)
{
    gustAt += seconds;
    if (gustAt >= gustLength) {
        gustAt = 0.0f;
        gustFrom = gustTo;
        gustTo = Between(calmest, 1.0f);
        gustLength = Between(shortestGust, longestGust);
    }
    // Eased from one strength to the next, so a gust has no corner to hear.
    const float eased = 0.5f - 0.5f * std::cos(pi * gustAt / gustLength);
    if (windSource)
        alSourcef(windSource, AL_GAIN, windGain * level * (gustFrom + (gustTo - gustFrom) * eased));
}

void Ambience::StartDetail(const SoundBuffer& buffer, float gain, float lowPitch, float highPitch)
{
    if (!buffer.Id())
        return;
    const ALuint source = detailSources[nextSource];
    nextSource = (nextSource + 1) % detailVoices;
    // Somewhere on a circle around the listener, at the distance where it plays at its own gain.
    const float angle = Between(-pi, pi);
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer.Id()));
    alSource3f(source, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
    alSourcef(source, AL_GAIN, gain * level);
    alSourcef(source, AL_PITCH, Between(lowPitch, highPitch));
    alSourcePlay(source);
}
