#include "Shell/FrameTimer.h"

#include <algorithm>

FrameTimer::FrameTimer(std::function<double()> clock)
    : clockMs(std::move(clock))
{
    if (GLEW_VERSION_3_3 || GLEW_ARB_timer_query)
        queries = Queries::Timestamps;
    else if (GLEW_EXT_timer_query)
        queries = Queries::Elapsed;
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
    if (!timing)
        return;
    Frame& frame = frames[(oldest + pending) % framesInFlight];
    if (queries == Queries::Timestamps)
        glGetInteger64v(GL_TIMESTAMP, &frame.beganNs);
    else
        glBeginQuery(GL_TIME_ELAPSED_EXT, frame.query);
}

std::optional<double> FrameTimer::End()
{
    if (queries == Queries::None) {
        // The driver cannot say when the renderer is done, so wait for it.
        glFinish();
        return clockMs() - beganMs;
    }
    if (timing) {
        Frame& frame = frames[(oldest + pending) % framesInFlight];
        if (queries == Queries::Timestamps)
            glQueryCounter(frame.query, GL_TIMESTAMP);
        else
            glEndQuery(GL_TIME_ELAPSED_EXT);
        frame.processorMs = clockMs() - beganMs;
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
    const auto result = static_cast<GLint64>(Result(frame.query));
    double rendererMs = static_cast<double>(result) / 1e6;
    if (queries == Queries::Timestamps) {
        // A frame the renderer began only after finishing the one before is
        // not charged for the wait.
        rendererMs = static_cast<double>(result - std::max(frame.beganNs, lastEndNs)) / 1e6;
        lastEndNs = result;
    }
    return std::max(frame.processorMs, rendererMs);
}

bool FrameTimer::Available(GLuint query) const
{
    GLuint available = GL_FALSE;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &available);
    return available == GL_TRUE;
}

GLuint64 FrameTimer::Result(GLuint query) const
{
    GLuint64 value = 0;
    if (queries == Queries::Timestamps)
        glGetQueryObjectui64v(query, GL_QUERY_RESULT, &value);
    else
        glGetQueryObjectui64vEXT(query, GL_QUERY_RESULT, &value);
    return value;
}
