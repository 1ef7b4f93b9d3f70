#pragma once

#include <GL/glew.h>

#include "Effects/FramebufferObject.h"
#include "Effects/ScreenBounds.h"

/// An off-screen target a fraction of the view's size that translucent bursts
/// are drawn into and that is then blended over the frame once. Each burst keeps
/// every quad; only the number of pixels shaded drops (a quarter at half size).
/// Needs framebuffer blits (OpenGL 3.0 or GL_ARB_framebuffer_object) and a
/// single-sampled frame; without them Begin returns false and nothing changes.
class ParticleLayer
{
public:
    ParticleLayer() = default;
    ~ParticleLayer();
    ParticleLayer(const ParticleLayer&) = delete;
    ParticleLayer& operator=(const ParticleLayer&) = delete;

    /// Starts drawing into the layer at 1 / `divisor` of the current viewport's
    /// size, with the frame's depth copied in so bursts stay behind solids.
    /// Draws after it must blend their colour as usual and add their coverage
    /// into alpha (glBlendFuncSeparate(..., GL_ONE, GL_ONE_MINUS_SRC_ALPHA)),
    /// and stay inside `drawn` (the view's coordinates): only that part of the
    /// layer is cleared, given depth and blended over the frame.
    /// False (nothing bound) when the driver cannot do it; draw straight to the frame then.
    bool Begin(int divisor, const ScreenBounds& drawn = ScreenBounds::Whole());
    /// Returns to the frame and viewport Begin found and blends the layer's
    /// drawn part over it. Leaves blending off, depth test on, lighting on, matrices as they were.
    void End();

private:
    /// Layer pixels [x0, x1) x [y0, y1).
    struct Rect
    {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool Empty() const { return x0 >= x1 || y0 >= y1; }
        Rect Grown(int by, int width, int height) const;
    };

    void Resize(int width, int height);
    Rect LayerRect(const ScreenBounds& bounds) const;
    void Clear();
    bool CopyDepth();
    void BlendOver();
    void Release();

    FramebufferObject* target = nullptr; // owned; made at the first Begin
    GLuint colour = 0;     // RGBA texture of width x height, premultiplied colour and coverage
    GLuint depth = 0;      // renderbuffer in the frame's depth format
    int width = 0;         // pixels
    int height = 0;        // pixels
    GLint frame = 0;       // draw framebuffer bound when Begin was called
    GLint viewport[4] = {}; // the frame's viewport when Begin was called
    Rect shown;            // what End blends over the frame: where this frame's bursts are
    Rect cleared;          // shown and a texel around it, which its filtering reads
    bool unusable = false; // the driver refused the depth copy once; never tried again
};
