#include "Effects/ParticleLayer.h"

#include <algorithm>
#include <cmath>

namespace {

bool HasBlit()
{
    return (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object) && glBlitFramebuffer != nullptr;
}

// The depth copy needs the same depth format on both sides.
GLenum FrameDepthFormat()
{
    GLint frame = 0, type = GL_NONE, name = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &frame);
    if (frame != 0) {
        glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                              GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
        glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                              GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    }
    if (type == GL_RENDERBUFFER) {
        // An off-screen frame: its depth buffer's own format, which need not say its bits.
        GLint format = GL_DEPTH_COMPONENT, bound = 0;
        glGetIntegerv(GL_RENDERBUFFER_BINDING, &bound);
        glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(name));
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_INTERNAL_FORMAT, &format);
        glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(bound));
        return static_cast<GLenum>(format);
    }
    GLint bits = 24;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    if (bits == 16)
        return GL_DEPTH_COMPONENT16;
    return bits == 32 ? GL_DEPTH_COMPONENT32 : GL_DEPTH24_STENCIL8;
}

// The view's part from (u0, v0) to (u1, v1), each 0 .. 1 across the view,
// textured with the same part of the layer.
void DrawViewPart(float u0, float v0, float u1, float v1)
{
    glBegin(GL_QUADS);
    glTexCoord2f(u0, v0); glVertex2f(2 * u0 - 1, 2 * v0 - 1);
    glTexCoord2f(u1, v0); glVertex2f(2 * u1 - 1, 2 * v0 - 1);
    glTexCoord2f(u1, v1); glVertex2f(2 * u1 - 1, 2 * v1 - 1);
    glTexCoord2f(u0, v1); glVertex2f(2 * u0 - 1, 2 * v1 - 1);
    glEnd();
}

// Layer pixels from a coordinate of the view (-1 .. 1) across `size` pixels.
float ToLayer(float ndc, int size)
{
    return (std::clamp(ndc, -1.0f, 1.0f) + 1.0f) * 0.5f * static_cast<float>(size);
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

bool ParticleLayer::Begin(int divisor, const ScreenBounds& drawn)
{
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    if (unusable || divisor < 1 || samples > 0 || !HasBlit())
        return false;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &frame);
    glGetIntegerv(GL_VIEWPORT, viewport);
    Resize((viewport[2] + divisor - 1) / divisor, (viewport[3] + divisor - 1) / divisor);
    // A texel of margin for the rasterizer's rounding, then one more that the
    // bilinear blend reads beside the shown part: the rest of the layer keeps
    // whatever an earlier frame left there and is never read.
    shown = LayerRect(drawn).Grown(1, width, height);
    cleared = shown.Grown(1, width, height);
    if (!CopyDepth()) {
        unusable = true;
        Release();
        return false;
    }
    target->Bind();
    glViewport(0, 0, width, height);
    Clear();
    return true;
}

ParticleLayer::Rect ParticleLayer::Rect::Grown(int by, int width, int height) const
{
    if (Empty())
        return *this;
    return {std::max(x0 - by, 0), std::max(y0 - by, 0), std::min(x1 + by, width), std::min(y1 + by, height)};
}

ParticleLayer::Rect ParticleLayer::LayerRect(const ScreenBounds& bounds) const
{
    if (bounds.Empty() || bounds.right < -1.0f || bounds.left > 1.0f || bounds.top < -1.0f || bounds.bottom > 1.0f)
        return {};
    return {static_cast<int>(std::floor(ToLayer(bounds.left, width))),
            static_cast<int>(std::floor(ToLayer(bounds.bottom, height))),
            static_cast<int>(std::ceil(ToLayer(bounds.right, width))),
            static_cast<int>(std::ceil(ToLayer(bounds.top, height)))};
}

void ParticleLayer::Clear()
{
    if (cleared.Empty())
        return;
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glEnable(GL_SCISSOR_TEST);
    glScissor(cleared.x0, cleared.y0, cleared.x1 - cleared.x0, cleared.y1 - cleared.y0);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glDisable(GL_SCISSOR_TEST);
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
    if (cleared.Empty())
        return true;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frame);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target->id);
    // Nearest depth of the scene at each layer pixel: a burst is hidden where
    // the solid covering that pixel's centre is in front of it. The layer spans
    // the whole viewport; the part's edges in the frame round to whole pixels.
    const auto frameX = [this](int x) { return viewport[0] + static_cast<int>(std::lround(double(x) * viewport[2] / width)); };
    const auto frameY = [this](int y) { return viewport[1] + static_cast<int>(std::lround(double(y) * viewport[3] / height)); };
    glBlitFramebuffer(frameX(cleared.x0), frameY(cleared.y0), frameX(cleared.x1), frameY(cleared.y1), cleared.x0,
                      cleared.y0, cleared.x1, cleared.y1, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    return glGetError() == GL_NO_ERROR;
}

void ParticleLayer::End()
{
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    BlendOver(); // an empty part draws nothing, but the state is left as promised
}

void ParticleLayer::BlendOver()
{
    // In the water's images a clip plane and the mirror's culling are on; the
    // layer covers the viewport whatever the scene's matrices were.
    const bool clipped = glIsEnabled(GL_CLIP_PLANE0), culled = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CULL_FACE);
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
    // The texel as it is: the same colours as modulating by white, and a
    // simpler fragment for the renderer over the whole view.
    GLint mode = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    DrawViewPart(float(shown.x0) / width, float(shown.y0) / height, float(shown.x1) / width, float(shown.y1) / height);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (clipped)
        glEnable(GL_CLIP_PLANE0);
    if (culled)
        glEnable(GL_CULL_FACE);
}
