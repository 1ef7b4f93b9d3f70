#include "Audio/SoundBuffer.h"

#include <sndfile.h>

#include <vector>

SoundBuffer::SoundBuffer(const std::string& path)
{
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return;
    // Positional sources need one channel; anything else is not one of ours.
    std::vector<short> samples(info.channels == 1 ? static_cast<std::size_t>(info.frames) : 0);
    const sf_count_t read = samples.empty() ? 0 : sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    if (read <= 0)
        return;
    alGenBuffers(1, &id);
    alBufferData(id, AL_FORMAT_MONO16, samples.data(), static_cast<ALsizei>(read * sizeof(short)),
                 info.samplerate);
}

SoundBuffer::~SoundBuffer()
{
    if (id)
        alDeleteBuffers(1, &id);
}

SoundBuffer::SoundBuffer(SoundBuffer&& other) noexcept
    : id(other.id)
{
    other.id = 0;
}
