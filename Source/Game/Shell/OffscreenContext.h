#pragma once

#include "Shell/QtOpenGLHeaders.h"

/// A GL context with no window, for tools, tests and benchmarks that draw into
/// their own framebuffer objects. Needs the Qt application; `glewInit` is the
/// caller's, once the context is current.
class OffscreenContext
{
public:
    OffscreenContext();

    /// False when no context could be made or made current.
    bool MakeCurrent();

private:
    QOffscreenSurface surface;
    QOpenGLContext context;
};
