#include "Audio/OpenAlDevice.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

/// Standard error goes to /dev/null while it lives. The sound-system
/// libraries the device probes (ALSA, JACK) print their own errors there
/// when there is no sound card, which OpenAL's log level does not reach.
class QuietStandardError
{
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int sink = open("/dev/null", O_WRONLY);
        if (saved >= 0 && sink >= 0)
            dup2(sink, STDERR_FILENO);
        if (sink >= 0)
            close(sink);
    }
    ~QuietStandardError()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved = -1; // duplicate of the real standard error; -1: nothing to restore
};

ALCdevice* OpenDefaultDevice()
{
    // A user who sets the log level wants to see everything; anyone else sees nothing.
    const bool userLogLevel = std::getenv("ALSOFT_LOGLEVEL") != nullptr;
    if (userLogLevel)
        return alcOpenDevice(nullptr);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    QuietStandardError quiet;
    return alcOpenDevice(nullptr);
}

} // namespace

OpenAlDevice::OpenAlDevice()
    : device(OpenDefaultDevice())
{
    // Every sound is made at this rate, so mixing faster would only cost time.
    const ALCint attributes[] = {ALC_FREQUENCY, 22050, 0};
    if (device)
        context = alcCreateContext(device, attributes);
    if (context && alcMakeContextCurrent(context))
        return;
    if (context)
        alcDestroyContext(context);
    if (device)
        alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
    std::fprintf(stderr, "Sound: no audio device could be opened, playing on without sound\n");
}

OpenAlDevice::~OpenAlDevice()
{
    if (!context)
        return;
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
}
