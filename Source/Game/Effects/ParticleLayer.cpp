#include "Effects/ParticleLayer.h"

namespace {

bool HasBlit()
{
    return (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object) && glBlitFramebuffer != nullptr;
}

// The depth copy needs the same depth format on both sides.
GLenum FrameDepthFormat()
{
    GLint bits = 24;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    if (bits == 16)
        return GL_DEPTH_COMPONENT16;
    return bits == 32 ? GL_DEPTH_COMPONENT32 : GL_DEPTH24_STENCIL8;
}

void DrawWholeView()
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex2f(-1, -1);
    glTexCoord2f(1, 0); glVertex2f(1, -1);
    glTexCoord2f(1, 1); glVertex2f(1, 1);
    glTexCoord2f(0, 1); glVertex2f(-1, 1);
    glEnd();
}

} // namespace

ParticleLayer::~ParticleLayer()
{
    Release();
}

void ParticleLayer::Release()
{
    delete target;
    target = nullptr;
    glDeleteTextures(1, &colour);
    glDeleteRenderbuffers(1, &depth);
    colour = depth = 0;
    width = height = 0;
}

bool ParticleLayer::Begin(int divisor)
{
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    if (unusable || divisor < 1 || samples > 0 || !HasBlit())
        return false;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &frame);
    glGetIntegerv(GL_VIEWPORT, viewport);
    Resize((viewport[2] + divisor - 1) / divisor, (viewport[3] + divisor - 1) / divisor);
    if (!CopyDepth()) {
        unusable = true;
        Release();
        return false;
    }
    target->Bind();
    glViewport(0, 0, width, height);
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    return true;
}

void ParticleLayer::Resize(int w, int h)
{
    if (target && w == width && h == height)
        return;
    const GLenum depthFormat = FrameDepthFormat();
    Release();
    width = w;
    height = h;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    target = new FramebufferObject;
    target->AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0, 0, 0);
    target->AttachRenderbuffer(depth, GL_DEPTH_ATTACHMENT);
}

bool ParticleLayer::CopyDepth()
{
    while (glGetError() != GL_NO_ERROR) {
        // Errors of earlier calls are not this copy's.
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frame);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target->id);
    // Nearest depth of the scene at each layer pixel: a burst is hidden where
    // the solid covering that pixel's centre is in front of it.
    glBlitFramebuffer(viewport[0], viewport[1], viewport[0] + viewport[2], viewport[1] + viewport[3], 0, 0, width,
                      height, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    return glGetError() == GL_NO_ERROR;
}

void ParticleLayer::End()
{
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    BlendOver();
}

void ParticleLayer::BlendOver()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    // The layer holds colour already weighted by its coverage.
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, colour);
    DrawWholeView();
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
