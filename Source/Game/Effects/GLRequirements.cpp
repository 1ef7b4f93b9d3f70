#include "Effects/GLRequirements.h"

#include "Support/Exception.h"

namespace {

std::string GLText(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "none";
}

bool HasShaderPrograms()
{
    return glCreateShader && glShaderSource && glCompileShader && glGetShaderiv && glCreateProgram &&
           glAttachShader && glLinkProgram && glUseProgram && glGetUniformLocation && glUniform1i &&
           glDeleteShader && glDeleteProgram;
}

// The extension's framebuffer entry points and the core ones (OpenGL 3.0, or
// its ARB extension) take the same arguments for what the game does with
// them; a driver may offer either set alone, so each stands in for the other.
template <typename Function>
void StandIn(Function& core, Function& extension)
{
    if (!core)
        core = extension;
    if (!extension)
        extension = core;
}

void ShareFramebufferEntryPoints()
{
    StandIn(glGenFramebuffers, glGenFramebuffersEXT);
    StandIn(glDeleteFramebuffers, glDeleteFramebuffersEXT);
    StandIn(glBindFramebuffer, glBindFramebufferEXT);
    StandIn(glIsFramebuffer, glIsFramebufferEXT);
    StandIn(glCheckFramebufferStatus, glCheckFramebufferStatusEXT);
    StandIn(glFramebufferTexture1D, glFramebufferTexture1DEXT);
    StandIn(glFramebufferTexture2D, glFramebufferTexture2DEXT);
    StandIn(glFramebufferTexture3D, glFramebufferTexture3DEXT);
    StandIn(glFramebufferRenderbuffer, glFramebufferRenderbufferEXT);
    StandIn(glGetFramebufferAttachmentParameteriv, glGetFramebufferAttachmentParameterivEXT);
    StandIn(glGenRenderbuffers, glGenRenderbuffersEXT);
    StandIn(glDeleteRenderbuffers, glDeleteRenderbuffersEXT);
    StandIn(glBindRenderbuffer, glBindRenderbufferEXT);
    StandIn(glIsRenderbuffer, glIsRenderbufferEXT);
    StandIn(glRenderbufferStorage, glRenderbufferStorageEXT);
    StandIn(glGenerateMipmap, glGenerateMipmapEXT);
}

bool HasFramebufferObjects()
{
    return glGenFramebuffers && glDeleteFramebuffers && glBindFramebuffer && glCheckFramebufferStatus &&
           glFramebufferTexture2D && glFramebufferRenderbuffer && glGenRenderbuffers && glBindRenderbuffer &&
           glRenderbufferStorage && glDeleteRenderbuffers;
}

} // namespace

GLRequirements::GLRequirements(bool current, GLenum glewResult)
    : version(current ? GLText(GL_VERSION) : "none")
    , renderer(current ? GLText(GL_RENDERER) : "none")
{
    if (version == "none") {
        missing.emplace_back("a current OpenGL context");
        return; // nothing else can be asked of it
    }
    // GLEW also looks for a GLX display, which a context made through EGL has
    // not; the GL entry points are loaded all the same.
    if (glewResult != GLEW_OK && glewResult != GLEW_ERROR_NO_GLX_DISPLAY) {
        missing.emplace_back(std::string("the OpenGL entry points (") +
                             reinterpret_cast<const char*>(glewGetErrorString(glewResult)) + ")");
        return;
    }
    Need(GLEW_VERSION_1_3 || GLEW_ARB_texture_cube_map, "cube-map textures (OpenGL 1.3)");
    Need(glActiveTexture != nullptr, "multitexturing (OpenGL 1.3)");
    Need(glGenBuffers && glBindBuffer && glBufferData && glDeleteBuffers, "buffer objects (OpenGL 1.5)");
    Need(HasShaderPrograms(), "GLSL programs (OpenGL 2.0)");
    ShareFramebufferEntryPoints(); // either set serves, so it is only missing when both are
    Need(HasFramebufferObjects(),
         "framebuffer objects (GL_EXT_framebuffer_object, OpenGL 3.0 or GL_ARB_framebuffer_object)");
}

void GLRequirements::Need(bool present, const char* what)
{
    if (!present)
        missing.emplace_back(what);
}

void GLRequirements::ThrowIfMissing() const
{
    if (missing.empty())
        return;
    std::string list;
    for (const std::string& what : missing)
        list += (list.empty() ? "" : ", ") + what;
    Exception e;
    e << tag_error_message("OpenGL driver lacks what the game needs")
      << tag_error_detail("missing: " + list + "; GL_VERSION: " + version + "; GL_RENDERER: " + renderer);
    MIRAGE_THROW(e, "GLRequirements.cpp", __LINE__);
}

bool GLRequirements::HasSamplerObjects()
{
    return glGenSamplers && glBindSampler && glSamplerParameteri;
}
