#include <GL/glew.h>

#include "Effects/CubeMapTarget.h"
#include "Effects/FramebufferObject.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <vector>

using namespace TestSupport;

namespace {

GLint BoundFramebuffer()
{
    GLint binding = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &binding);
    return binding;
}

// The framebuffer entry points of a driver with GL_EXT_framebuffer_object
// alone, which knows no separate draw and read targets.
namespace ExtensionOnly {

bool Known(GLenum target)
{
    return target == GL_FRAMEBUFFER_EXT;
}
void GLAPIENTRY Bind(GLenum target, GLuint framebuffer)
{
    if (Known(target))
        glBindFramebufferEXT(target, framebuffer);
}
GLenum GLAPIENTRY Check(GLenum target)
{
    return Known(target) ? glCheckFramebufferStatusEXT(target) : 0;
}
void GLAPIENTRY AttachTexture(GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level)
{
    if (Known(target))
        glFramebufferTexture2DEXT(target, attachment, textarget, texture, level);
}
void GLAPIENTRY AttachRenderbuffer(GLenum target, GLenum attachment, GLenum renderbuffertarget, GLuint renderbuffer)
{
    if (Known(target))
        glFramebufferRenderbufferEXT(target, attachment, renderbuffertarget, renderbuffer);
}

/// Puts the extension's entry points in place of the core ones while it lives.
class Scope
{
public:
    Scope()
        : saved{glBindFramebuffer, glCheckFramebufferStatus, glFramebufferTexture2D, glFramebufferRenderbuffer}
    {
        glBindFramebuffer = Bind;
        glCheckFramebufferStatus = Check;
        glFramebufferTexture2D = AttachTexture;
        glFramebufferRenderbuffer = AttachRenderbuffer;
    }
    ~Scope()
    {
        glBindFramebuffer = saved.bind;
        glCheckFramebufferStatus = saved.check;
        glFramebufferTexture2D = saved.attachTexture;
        glFramebufferRenderbuffer = saved.attachRenderbuffer;
    }

private:
    struct
    {
        PFNGLBINDFRAMEBUFFERPROC bind;
        PFNGLCHECKFRAMEBUFFERSTATUSPROC check;
        PFNGLFRAMEBUFFERTEXTURE2DPROC attachTexture;
        PFNGLFRAMEBUFFERRENDERBUFFERPROC attachRenderbuffer;
    } saved;
};
} // namespace ExtensionOnly

GLuint NewTexture2D()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

/// The object name attached at `attachment` of framebuffer `fbo` (0 when none).
GLint AttachedName(GLuint fbo, GLenum attachment)
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
    GLint name = 0;
    glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, attachment,
                                             GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT, &name);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    return name;
}

/// Records the single-item calls the array forms make.
class RecordingFbo : public FramebufferObject
{
public:
    void AttachTexture(GLenum target, GLuint texture, GLenum attachment, int level, int zSlice) override
    {
        std::ostringstream line;
        line << std::hex << target << std::dec << ' ' << texture << ' ' << std::hex << attachment << std::dec
             << ' ' << level << ' ' << zSlice;
        calls.push_back(line.str());
    }
    void AttachRenderbuffer(GLuint renderbuffer, GLenum attachment) override
    {
        std::ostringstream line;
        line << "rb " << renderbuffer << ' ' << std::hex << attachment;
        calls.push_back(line.str());
    }
    std::vector<std::string> calls;
};

class FramebufferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureGLContext();
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
};

} // namespace

TEST_F(FramebufferTest, ConstructionAndAttachingKeepTheBindingThatWasCurrent)
{
    FramebufferObject other;
    other.Bind();
    FramebufferObject fbo;
    EXPECT_EQ(GLint(other.id), BoundFramebuffer());
    EXPECT_TRUE(glIsFramebufferEXT(fbo.id));

    const GLuint texture = NewTexture2D();
    other.Bind();
    fbo.AttachTexture(GL_TEXTURE_2D, texture, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    EXPECT_EQ(GLint(other.id), BoundFramebuffer());
    fbo.Bind();
    fbo.AttachTexture(GL_TEXTURE_2D, texture, GL_COLOR_ATTACHMENT1_EXT, 0, 0);
    EXPECT_EQ(GLint(fbo.id), BoundFramebuffer()); // the object itself stays bound
    GLuint renderbuffer = 0;
    glGenRenderbuffersEXT(1, &renderbuffer);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, renderbuffer);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, 8, 8);
    other.Bind();
    fbo.AttachRenderbuffer(renderbuffer, GL_DEPTH_ATTACHMENT_EXT);
    EXPECT_EQ(GLint(other.id), BoundFramebuffer());
    FramebufferObject::Unbind();
    EXPECT_EQ(0, BoundFramebuffer());

    EXPECT_EQ(GLint(texture), AttachedName(fbo.id, GL_COLOR_ATTACHMENT0_EXT));
    EXPECT_EQ(GLint(texture), AttachedName(fbo.id, GL_COLOR_ATTACHMENT1_EXT));
    EXPECT_EQ(GLint(renderbuffer), AttachedName(fbo.id, GL_DEPTH_ATTACHMENT_EXT));
    glDeleteTextures(1, &texture);
    glDeleteRenderbuffersEXT(1, &renderbuffer);
}

TEST_F(FramebufferTest, ArrayFormsDefaultToColourAttachmentIOnRealObjects)
{
    FramebufferObject fbo;
    const GLenum targets[2] = {GL_TEXTURE_2D, GL_TEXTURE_2D};
    const GLuint textures[2] = {NewTexture2D(), NewTexture2D()};
    fbo.AttachTextures(2, targets, textures, nullptr, nullptr, nullptr);
    EXPECT_EQ(GLint(textures[0]), AttachedName(fbo.id, GL_COLOR_ATTACHMENT0_EXT));
    EXPECT_EQ(GLint(textures[1]), AttachedName(fbo.id, GL_COLOR_ATTACHMENT1_EXT));
    EXPECT_EQ(0, AttachedName(fbo.id, GL_COLOR_ATTACHMENT2_EXT));
    glDeleteTextures(2, textures);
}

TEST_F(FramebufferTest, ArrayFormsGoThroughTheSingleItemSlots)
{
    RecordingFbo fbo;
    const GLenum targets[2] = {GL_TEXTURE_2D, GL_TEXTURE_3D};
    const GLuint names[2] = {11, 12};
    const GLenum attachments[2] = {GL_DEPTH_ATTACHMENT_EXT, GL_COLOR_ATTACHMENT3_EXT};
    const int levels[2] = {2, 3};
    const int slices[2] = {4, 5};
    fbo.AttachTextures(2, targets, names, nullptr, nullptr, nullptr);
    fbo.AttachTextures(2, targets, names, attachments, levels, slices);
    fbo.AttachRenderbuffers(2, names, nullptr);
    fbo.AttachRenderbuffers(1, names, attachments);
    const std::vector<std::string> expected = {
        "de1 11 8ce0 0 0", "806f 12 8ce1 0 0", "de1 11 8d00 2 4", "806f 12 8ce3 3 5",
        "rb 11 8ce0",      "rb 12 8ce1",       "rb 11 8d00",
    };
    EXPECT_EQ(expected, fbo.calls);

    fbo.calls.clear();
    fbo.AttachTextures(0, targets, names, nullptr, nullptr, nullptr);
    fbo.AttachTextures(-1, nullptr, nullptr, nullptr, nullptr, nullptr);
    fbo.AttachRenderbuffers(0, names, nullptr);
    fbo.AttachRenderbuffers(-3, nullptr, nullptr);
    EXPECT_TRUE(fbo.calls.empty());
}

TEST_F(FramebufferTest, CubeMapTargetIsCompleteUnboundAndTurnsTheDepthTestOn)
{
    glDisable(GL_DEPTH_TEST);
    std::ostringstream captured;
    std::streambuf* previous = std::cout.rdbuf(captured.rdbuf());
    GLuint framebuffer = 0, texture = 0, depth = 0;
    {
        CubeMapTarget target(64, 64);
        std::cout.rdbuf(previous);
        framebuffer = target.framebuffer;
        texture = target.texture;
        depth = target.depthBuffer;
        EXPECT_EQ(64, target.width);
        EXPECT_EQ(64, target.height);
        EXPECT_EQ(0, BoundFramebuffer());
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_EQ(GLint(texture), AttachedName(framebuffer, GL_COLOR_ATTACHMENT0));
        EXPECT_EQ(GLint(depth), AttachedName(framebuffer, GL_DEPTH_ATTACHMENT));
    }
    std::cout.rdbuf(previous);
    EXPECT_EQ("GL_FRAMEBUFFER_COMPLETE\n", captured.str());
    EXPECT_FALSE(glIsFramebuffer(framebuffer));
    EXPECT_FALSE(glIsTexture(texture)); // released with it: one target per ball
    EXPECT_FALSE(glIsRenderbuffer(depth));
}

TEST_F(FramebufferTest, ACubeMapTargetIsCompleteWithTheExtensionsEntryPointsAlone)
{
    const ExtensionOnly::Scope extensionOnly;
    std::ostringstream captured;
    std::streambuf* previous = std::cout.rdbuf(captured.rdbuf());
    {
        CubeMapTarget target(64, 64);
        std::cout.rdbuf(previous);
        EXPECT_EQ(0, BoundFramebuffer());
    }
    std::cout.rdbuf(previous);
    EXPECT_EQ("GL_FRAMEBUFFER_COMPLETE\n", captured.str()) << "each ball's framebuffer line";
}
