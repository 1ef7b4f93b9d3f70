#include "Effects/ScaledFrame.h"

#include <algorithm>
#include <cmath>

ScaledFrame::~ScaledFrame()
{
    Release();
}

bool ScaledFrame::Supported()
{
    return (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object) && glBlitFramebuffer != nullptr;
}

double ScaledFrame::Scale(int width, int height, int pixels)
{
    const double viewPixels = static_cast<double>(width) * height;
    if (pixels <= 0 || viewPixels <= pixels)
        return 1.0;
    return std::sqrt(pixels / viewPixels);
}

bool ScaledFrame::Begin(int frameWidth, int frameHeight)
{
    if (!Supported() || frameWidth < 1 || frameHeight < 1)
        return false;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFrame);
    glGetIntegerv(GL_VIEWPORT, previousViewport);
    if (frameWidth != width || frameHeight != height)
        Make(frameWidth, frameHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    return true;
}

void ScaledFrame::End()
{
    const GLint* to = previousViewport;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previousFrame));
    glBlitFramebuffer(0, 0, width, height, to[0], to[1], to[0] + to[2], to[1] + to[3], GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFrame));
    glViewport(to[0], to[1], to[2], to[3]);
}

void ScaledFrame::Make(int frameWidth, int frameHeight)
{
    Release();
    width = frameWidth;
    height = frameHeight;
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
}

void ScaledFrame::Release()
{
    if (width == 0)
        return;
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &depthStencil);
    glDeleteRenderbuffers(1, &colour);
    framebuffer = colour = depthStencil = 0;
    width = height = 0;
}
