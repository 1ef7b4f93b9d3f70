#pragma once

#include <AL/al.h>

#include <string>

/// One sound in the mixer's memory, read from a mono 16-bit sound file.
/// Needs a current context from construction to destruction.
class SoundBuffer
{
public:
    /// Reads `path`; a file that is missing or unreadable leaves the buffer empty (`Id` 0).
    explicit SoundBuffer(const std::string& path);
    ~SoundBuffer();
    SoundBuffer(SoundBuffer&& other) noexcept;
    SoundBuffer& operator=(SoundBuffer&&) = delete;
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    /// The buffer name for sources; 0 when nothing could be read.
    ALuint Id() const { return id; }

private:
    ALuint id = 0; // owning
};
