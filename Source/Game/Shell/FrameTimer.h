#pragma once

#include <GL/glew.h>

#include <array>
#include <functional>
#include <optional>

/// Times what frames cost to draw without making the processor wait for the
/// renderer. Where the driver has GL timestamps, a frame costs from when the
/// processor began it (or the renderer finished the frame before, if that was
/// later) to when the renderer finished it, read back a frame or two later:
/// what waiting for the renderer at the end of each frame would have measured.
/// With only `GL_EXT_timer_query`, the renderer's own time for the frame or
/// the processor's, whichever is longer. Without either, the renderer is waited
/// for (`glFinish`). Every call needs the context it was made in current.
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
    enum class Queries { None, Timestamps, Elapsed };
    struct Frame
    {
        GLuint query = 0;
        double processorMs = 0.0; // the processor's time to send the frame
        GLint64 beganNs = 0;      // the renderer's clock when the processor began it (timestamps)
    };
    static constexpr int framesInFlight = 3; // a driver may run two frames behind

    std::optional<double> Collect();
    bool Available(GLuint query) const;
    GLuint64 Result(GLuint query) const;

    std::function<double()> clockMs;
    Queries queries = Queries::None;
    std::array<Frame, framesInFlight> frames; // a ring: `pending` frames from `oldest` on
    int oldest = 0;
    int pending = 0;
    bool timing = false;     // Begin started timing this frame
    double beganMs = 0.0;    // the processor's clock at Begin
    GLint64 lastEndNs = 0;   // the renderer's clock when the last frame collected was done
};
