#pragma once

#include <AL/alc.h>

/// The default output device and one context made current on it; the
/// library mixes on a thread of its own from then on.
class OpenAlDevice
{
public:
    /// Opens the device; on failure stays closed (`IsOpen` false) and says
    /// nothing. The libraries' own chatter is kept off the console unless the
    /// user asked for it with ALSOFT_LOGLEVEL.
    OpenAlDevice();
    /// Releases the context and closes the device (the recording, if any, is
    /// finished); the context that MakeCurrent replaced is current again.
    ~OpenAlDevice();
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;

    bool IsOpen() const { return context != nullptr; }
    /// Makes this context current again (another device may have taken over
    /// since), remembering the one it replaces for the destructor.
    void MakeCurrent();

private:
    ALCdevice* device = nullptr;   // owning; null when none could be opened
    ALCcontext* context = nullptr; // owning; current while open, unless another device took over
    ALCcontext* previous = nullptr; // not owned; what MakeCurrent replaced
};
