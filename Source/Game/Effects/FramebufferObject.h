#pragma once

#include <GL/glew.h>

/// One render-to-texture target. Attaching restores whatever framebuffer was
/// bound before; attached textures and renderbuffers stay the caller's.
class FramebufferObject
{
public:
    /// Creates the framebuffer without changing the current binding.
    FramebufferObject();
    virtual ~FramebufferObject();
    FramebufferObject(const FramebufferObject&) = delete;
    FramebufferObject& operator=(const FramebufferObject&) = delete;

    /// 1D and 3D targets use their own attach calls; any other target (2D,
    /// rectangle, a cube-map face) is attached as a 2D image. `zSlice` is for 3D only.
    virtual void AttachTexture(GLenum target, GLuint texture, GLenum attachment, int level, int zSlice);
    /// Item i goes through AttachTexture; a null array means colour attachment i,
    /// level 0 or z slice 0. A count of 0 or less attaches nothing.
    virtual void AttachTextures(int count, const GLenum* targets, const GLuint* textures,
                                const GLenum* attachments, const int* levels, const int* zSlices);
    virtual void AttachRenderbuffer(GLuint renderbuffer, GLenum attachment);
    /// Item i goes through AttachRenderbuffer; a null array means colour attachment i.
    virtual void AttachRenderbuffers(int count, const GLuint* renderbuffers, const GLenum* attachments);

    /// Draws into this framebuffer from now on; saves nothing.
    void Bind();
    /// Draws into the window again (framebuffer 0), whichever object was bound.
    static void Unbind();

    GLuint id = 0;        // framebuffer name
    GLint savedBinding = 0; // binding found by the last guarded bind, restored after it

private:
    void GuardedBind();
    void GuardedUnbind();
};
