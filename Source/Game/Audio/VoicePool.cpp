#include "Audio/VoicePool.h"

#include <algorithm>

namespace {

// Distance (world units) at which an effect plays at its own gain: about the
// camera's distance from the field, so the far rows are only a little quieter.
const float referenceDistance = 18.0f;

} // namespace

VoicePool::VoicePool(int size)
    : sources(static_cast<std::size_t>(size))
    , started(static_cast<std::size_t>(size), 0)
{
    alGenSources(size, sources.data());
    for (ALuint source : sources) {
        alSourcef(source, AL_REFERENCE_DISTANCE, referenceDistance);
        alSourcef(source, AL_ROLLOFF_FACTOR, 1.0f);
    }
}

VoicePool::~VoicePool()
{
    alSourceStopv(static_cast<ALsizei>(sources.size()), sources.data());
    for (ALuint& source : sources)
        alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(static_cast<ALsizei>(sources.size()), sources.data());
}

void VoicePool::Start(const Voice& voice)
{
    if (voice.buffer == 0 || sources.empty())
        return;
    const ALuint source = FreeOrOldest();
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(voice.buffer));
    alSourcei(source, AL_SOURCE_RELATIVE, voice.relative ? AL_TRUE : AL_FALSE);
    alSource3f(source, AL_POSITION, voice.where.x, voice.where.y, voice.where.z);
    alSourcef(source, AL_GAIN, voice.gain);
    alSourcef(source, AL_PITCH, voice.pitch);
    alSourcePlay(source);
}

ALuint VoicePool::FreeOrOldest()
{
    std::size_t pick = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(sources[i], AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            pick = i;
            break;
        }
        if (started[i] < started[pick])
            pick = i;
    }
    started[pick] = ++clock;
    return sources[pick];
}
