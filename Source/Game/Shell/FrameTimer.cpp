#include "Shell/FrameTimer.h"

#include <algorithm>

FrameTimer::FrameTimer(std::function<double()> clock)
    : clockMs(std::move(clock))
{
    if (GLEW_VERSION_3_3 || GLEW_ARB_timer_query)
        queries = Queries::Core;
    else if (GLEW_EXT_timer_query)
        queries = Queries::Ext;
    if (queries == Queries::None)
        return;
    for (Frame& frame : frames)
        glGenQueries(1, &frame.query);
}

FrameTimer::~FrameTimer()
{
    for (Frame& frame : frames)
        if (frame.query)
            glDeleteQueries(1, &frame.query);
}

void FrameTimer::Begin()
{
    beganMs = clockMs();
    // With every query still in flight this frame goes untimed rather than wait.
    timing = queries != Queries::None && pending < framesInFlight;
    if (timing)
        glBeginQuery(GL_TIME_ELAPSED, frames[(oldest + pending) % framesInFlight].query);
}

std::optional<double> FrameTimer::End()
{
    if (queries == Queries::None) {
        // The driver cannot say when the renderer is done, so wait for it.
        glFinish();
        return clockMs() - beganMs;
    }
    if (timing) {
        glEndQuery(GL_TIME_ELAPSED);
        frames[(oldest + pending) % framesInFlight].processorMs = clockMs() - beganMs;
        ++pending;
    }
    return Collect();
}

std::optional<double> FrameTimer::Collect()
{
    if (pending == 0 || !Available(frames[oldest].query))
        return std::nullopt;
    const Frame& frame = frames[oldest];
    oldest = (oldest + 1) % framesInFlight;
    --pending;
    return std::max(frame.processorMs, GpuMs(frame.query));
}

bool FrameTimer::Available(GLuint query) const
{
    GLuint available = GL_FALSE;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &available);
    return available == GL_TRUE;
}

double FrameTimer::GpuMs(GLuint query) const
{
    GLuint64 nanoseconds = 0;
    if (queries == Queries::Core)
        glGetQueryObjectui64v(query, GL_QUERY_RESULT, &nanoseconds);
    else
        glGetQueryObjectui64vEXT(query, GL_QUERY_RESULT, &nanoseconds);
    return static_cast<double>(nanoseconds) / 1e6;
}
