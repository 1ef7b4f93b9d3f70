#pragma once

#include <GL/glew.h>

#include <array>
#include <string>

namespace GlProbe {

/// A small off-screen RGBA target, bound while it exists (the hidden test widget's own
/// framebuffer is not reliably readable).
class Target
{
public:
    /// Its depth buffer is a renderbuffer of `depthFormat`.
    Target(int width, int height, GLenum depthFormat = GL_DEPTH_COMPONENT24);
    ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    /// Colour at pixel (x, y), 0..255 each, row 0 at the bottom.
    std::array<int, 4> Pixel(int x, int y) const;

private:
    GLuint framebuffer = 0, colour = 0, depth = 0;
    int width, height;
};

/// Compiles and links a program from source texts; an empty string means success,
/// otherwise the compiler's or linker's log.
std::string BuildProgram(const std::string& vertexSource, const std::string& fragmentSource, GLuint& program);

/// Draws one rectangle covering the whole viewport with identity matrices.
void FillViewport();

} // namespace GlProbe
