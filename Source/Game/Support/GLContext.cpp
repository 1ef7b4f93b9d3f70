#include "Support/GLContext.h"

#include <EGL/egl.h>
#include <GL/glx.h>

// Asked of the window system's libraries, not of Qt: at exit Qt's per-thread
// state is gone before the process-wide caches let go of their buffers.
bool GLContextIsCurrent()
{
    return glXGetCurrentContext() != nullptr || eglGetCurrentContext() != EGL_NO_CONTEXT;
}
