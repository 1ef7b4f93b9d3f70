#pragma once

#include <GL/glew.h>

#include <array>
#include <functional>
#include <optional>

/// Times what frames cost to draw without making the processor wait for the
/// renderer: a GL timer query around each frame, read back once the driver
/// has its result (a frame or two later) and taken with the processor's own
/// time for the frame, whichever is longer. A driver without timer queries is
/// waited for (`glFinish`) at the end of each frame instead. Every call needs
/// the context it was made in current.
class FrameTimer
{
public:
    /// `clockMs`: the processor's monotonic time, milliseconds.
    explicit FrameTimer(std::function<double()> clockMs);
    /// Deletes the queries: the context must be current.
    ~FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    /// The frame starts being sent to the renderer.
    void Begin();
    /// The frame has been sent. The cost of the oldest frame whose cost has
    /// become known, milliseconds; nothing while none has.
    std::optional<double> End();
    /// True on a driver without timer queries.
    bool WaitsForTheRenderer() const { return queries == Queries::None; }

private:
    enum class Queries { None, Core, Ext };
    struct Frame
    {
        GLuint query = 0;
        double processorMs = 0.0; // the processor's time to send the frame
    };
    static constexpr int framesInFlight = 3; // a driver may run two frames behind

    std::optional<double> Collect();
    bool Available(GLuint query) const;
    double GpuMs(GLuint query) const;

    std::function<double()> clockMs;
    Queries queries = Queries::None;
    std::array<Frame, framesInFlight> frames; // a ring: `pending` frames from `oldest` on
    int oldest = 0;
    int pending = 0;
    bool timing = false;  // Begin started a query for this frame
    double beganMs = 0.0; // the clock at Begin
};
