#include "Support/GLContext.h"

#include <dlfcn.h>

namespace {

// Asks the GL platform library itself, found among those already loaded: the
// model cache asks at exit, after Qt's per-thread data is gone, so asking Qt
// then would crash.
bool PlatformHasCurrent(const char* query)
{
    using CurrentContext = void* (*)();
    const auto current = reinterpret_cast<CurrentContext>(dlsym(RTLD_DEFAULT, query));
    return current && current() != nullptr;
}

} // namespace

bool GLContextIsCurrent()
{
    return PlatformHasCurrent("glXGetCurrentContext") || PlatformHasCurrent("eglGetCurrentContext");
}
