#include "Effects/FramebufferObject.h"

FramebufferObject::FramebufferObject()
{
    glGenFramebuffersEXT(1, &id);
    savedBinding = 0;
    // A generated name becomes a framebuffer object only once it has been bound.
    GuardedBind();
    GuardedUnbind();
}

FramebufferObject::~FramebufferObject()
{
    glDeleteFramebuffersEXT(1, &id);
}

void FramebufferObject::AttachTexture(GLenum target, GLuint texture, GLenum attachment, int level, int zSlice)
{
    GuardedBind();
    if (target == GL_TEXTURE_1D)
        glFramebufferTexture1DEXT(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_1D, texture, level);
    else if (target == GL_TEXTURE_3D)
        glFramebufferTexture3DEXT(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_3D, texture, level, zSlice);
    else
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, attachment, target, texture, level);
    GuardedUnbind();
}

void FramebufferObject::AttachTextures(int count, const GLenum* targets, const GLuint* textures,
                                       const GLenum* attachments, const int* levels, const int* zSlices)
{
    for (int i = 0; i < count; ++i) {
        AttachTexture(targets[i], textures[i], attachments ? attachments[i] : GL_COLOR_ATTACHMENT0_EXT + i,
                      levels ? levels[i] : 0, zSlices ? zSlices[i] : 0);
    }
}

void FramebufferObject::AttachRenderbuffer(GLuint renderbuffer, GLenum attachment)
{
    GuardedBind();
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, attachment, GL_RENDERBUFFER_EXT, renderbuffer);
    GuardedUnbind();
}

void FramebufferObject::AttachRenderbuffers(int count, const GLuint* renderbuffers, const GLenum* attachments)
{
    for (int i = 0; i < count; ++i)
        AttachRenderbuffer(renderbuffers[i], attachments ? attachments[i] : GL_COLOR_ATTACHMENT0_EXT + i);
}

void FramebufferObject::Bind()
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, id);
}

void FramebufferObject::Unbind()
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void FramebufferObject::GuardedBind()
{
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &savedBinding);
    if (static_cast<GLint>(id) != savedBinding)
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, id);
}

void FramebufferObject::GuardedUnbind()
{
    if (savedBinding != static_cast<GLint>(id))
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, savedBinding);
}
