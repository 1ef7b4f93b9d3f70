#pragma once

#include <GL/glew.h>

/// A cube-map colour texture with a depth renderbuffer behind one framebuffer.
/// Construction prints the framebuffer status name and leaves the depth test on
/// and framebuffer 0 bound. Its texture, renderbuffer and framebuffer are
/// deleted with it, so the context must be current then.
class CubeMapTarget
{
public:
    CubeMapTarget(int width, int height);
    ~CubeMapTarget();
    CubeMapTarget(const CubeMapTarget&) = delete;
    CubeMapTarget& operator=(const CubeMapTarget&) = delete;

    GLuint texture = 0;     // cube map, GL_RGBA8 faces
    int width = 0;          // face size in pixels
    int height = 0;
    GLuint depthBuffer = 0; // GL_DEPTH_COMPONENT24 renderbuffer
    GLuint framebuffer = 0; // last attached face (positive Z) is colour attachment 0

private:
    void BuildCubeMap();
    void BuildDepthBuffer();
    void BuildFramebuffer();
};
