#pragma once

#include <GL/glew.h>

/// An off-screen frame of fewer pixels than the view, which the scene is drawn
/// into and which is then scaled up to the view in one pass: where a frame's
/// cost follows its pixels, a large window costs no more than a small one.
/// Colour, and depth with stencil, like the view's own. Needs a current context
/// for every call, the destructor included.
class ScaledFrame
{
public:
    ScaledFrame() = default;
    ~ScaledFrame();
    ScaledFrame(const ScaledFrame&) = delete;
    ScaledFrame& operator=(const ScaledFrame&) = delete;

    /// Whether the driver can scale between framebuffers, which `End` needs.
    static bool Supported();
    /// Side of a view of `width` x `height` pixels drawn at no more than
    /// `pixels` pixels, as a share of its own (1: the view as it is).
    static double Scale(int width, int height, int pixels);
    /// Binds a frame of `width` x `height` pixels (made, or remade at a new
    /// size) and sets the viewport to it. False, with nothing changed, where
    /// the driver cannot scale between framebuffers.
    bool Begin(int width, int height);
    /// Scales the frame up, filtered, into the framebuffer and viewport that
    /// were current at `Begin`, and binds that framebuffer again.
    void End();

    int Width() const { return width; }
    int Height() const { return height; }

private:
    void Make(int width, int height);
    void Release();

    GLuint framebuffer = 0;
    GLuint colour = 0;       // renderbuffer, RGBA8
    GLuint depthStencil = 0; // renderbuffer, 24-bit depth and 8-bit stencil
    int width = 0;           // pixels; 0: not made
    int height = 0;
    GLint previousFrame = 0;        // the framebuffer bound at Begin
    GLint previousViewport[4] = {}; // and its viewport
};
