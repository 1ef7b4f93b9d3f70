#include "Audio/OpenAlDevice.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <tuple>
#include <unistd.h>
#include <utility>

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

/// The default device with a context made current on it, or both null.
std::pair<ALCdevice*, ALCcontext*> OpenQuietly()
{
    // A user who sets the log level wants to see everything; anyone else sees
    // nothing, from the opening or from the context's making.
    std::optional<QuietStandardError> quiet;
    if (!std::getenv("ALSOFT_LOGLEVEL")) {
        setenv("ALSOFT_LOGLEVEL", "0", 0);
        quiet.emplace();
    }
    // Every sound is made at this rate or below, so mixing faster would only cost time.
    const ALCint attributes[] = {ALC_FREQUENCY, 22050, 0};
    ALCdevice* device = alcOpenDevice(nullptr);
    ALCcontext* context = device ? alcCreateContext(device, attributes) : nullptr;
    if (context && alcMakeContextCurrent(context))
        return {device, context};
    if (context)
        alcDestroyContext(context);
    if (device)
        alcCloseDevice(device);
    return {nullptr, nullptr};
}

} // namespace

OpenAlDevice::OpenAlDevice()
{
    std::tie(device, context) = OpenQuietly();
}

void OpenAlDevice::MakeCurrent()
{
    ALCcontext* current = alcGetCurrentContext();
    if (!context || current == context)
        return;
    previous = current;
    alcMakeContextCurrent(context);
}

OpenAlDevice::~OpenAlDevice()
{
    if (!context)
        return;
    if (alcGetCurrentContext() == context)
        alcMakeContextCurrent(previous);
    alcDestroyContext(context);
    alcCloseDevice(device);
}
