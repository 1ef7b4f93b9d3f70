#include "Resources/GlProbe.h"

#include <vector>

namespace GlProbe {

Target::Target(int width, int height, GLenum depthFormat)
    : width(width), height(height)
{
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Target::~Target()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &depth);
    glDeleteRenderbuffers(1, &colour);
    glDeleteFramebuffers(1, &framebuffer);
}

std::array<int, 4> Target::Pixel(int x, int y) const
{
    unsigned char rgba[4] = {};
    glFinish();
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

namespace {

std::string Compile(GLenum stage, const std::string& source, GLuint& shader)
{
    shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok)
        return "";
    std::vector<char> log(4096);
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return std::string("compile: ") + log.data();
}

} // namespace

std::string BuildProgram(const std::string& vertexSource, const std::string& fragmentSource, GLuint& program)
{
    GLuint vertex = 0, fragment = 0;
    std::string error = Compile(GL_VERTEX_SHADER, vertexSource, vertex);
    if (error.empty())
        error = Compile(GL_FRAGMENT_SHADER, fragmentSource, fragment);
    if (error.empty()) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
        GLint ok = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            std::vector<char> log(4096);
            glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
            error = std::string("link: ") + log.data();
        }
    }
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return error;
}

void FillViewport()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(1, -1);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();
}

} // namespace GlProbe
