#include "Effects/Shader.h"

#include "Support/Exception.h"

#include <boost/filesystem.hpp>

#include <fstream>
#include <vector>

namespace {

/// The whole file as bytes (carriage returns and NULs included); false when it cannot be opened or sized.
bool ReadStageFile(const std::string& path, std::string& source)
{
    // The error_code form: a path that cannot be examined (a parent without
    // permission, a name too long) must fail like any unreadable file.
    boost::system::error_code unexamined;
    if (boost::filesystem::is_directory(path, unexamined))
        return false; // opens on Linux, but its size is meaningless and reading fails
    std::ifstream file(path.c_str(), std::ios::in | std::ios::binary);
    if (!file.is_open())
        return false;
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    if (length < 0)
        return false; // not seekable, such as a pipe
    file.seekg(0, std::ios::beg);
    std::vector<char> buffer(static_cast<size_t>(length));
    file.read(buffer.data(), length);
    file.close();
    source.assign(buffer.data(), buffer.size());
    return true;
}

/// Creates a shader object of `type` into `id` and compiles `source`; true when it compiled.
bool CompileStage(GLenum type, const std::string& source, GLuint& id)
{
    id = glCreateShader(type);
    const GLchar* text = source.c_str(); // one NUL-terminated string: an inner NUL ends it
    glShaderSource(id, 1, &text, nullptr);
    glCompileShader(id);
    GLint status = 0;
    glGetShaderiv(id, GL_COMPILE_STATUS, &status);
    return status != 0;
}

std::string ShaderLog(GLuint id)
{
    char log[2048] = {};
    glGetShaderInfoLog(id, 2046, nullptr, log);
    return log;
}

std::string ProgramLog(GLuint program)
{
    char log[2048] = {};
    glGetProgramInfoLog(program, 2046, nullptr, log);
    return log;
}

} // namespace

GLuint VertexShader::Load(std::string path)
{
    std::string source;
    if (!ReadStageFile(path, source)) {
        Exception e;
        e << tag_error_message("VertexShader File couldn't be loaded! - ") << tag_error_file(ex_file_class(path));
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    return Create(source);
}

GLuint VertexShader::Create(std::string source)
{
    if (!CompileStage(GL_VERTEX_SHADER, source, id)) {
        Exception e;
        e << tag_error_message("Vertexshader Compiling error!") << tag_error_detail(ShaderLog(id))
          << tag_error_source(ShaderSource(source));
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    return id;
}

GLuint FragmentShader::Load(std::string path)
{
    std::string source;
    if (!ReadStageFile(path, source)) {
        Exception e;
        e << tag_error_message("FragmentShader File couldn't be loaded! - ") << tag_error_file(ex_file_class(path));
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    return Create(source);
}

GLuint FragmentShader::Create(std::string source)
{
    if (!CompileStage(GL_FRAGMENT_SHADER, source, id)) {
        Exception e;
        e << tag_error_message("Fragmentshader Compiling error! - ") << tag_error_detail(ShaderLog(id))
          << tag_error_source(ShaderSource(source));
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    return id;
}

Shader::~Shader()
{
    // Name 0 means the object was never created; skipping it also keeps an
    // unloaded Shader safe to destroy before GL entry points are loaded.
    if (program != 0)
        glDeleteProgram(program);
    if (fragmentShader.id != 0)
        glDeleteShader(fragmentShader.id);
    if (vertexShader.id != 0)
        glDeleteShader(vertexShader.id);
}

bool Shader::Load(std::string vertexPath, std::string fragmentPath)
{
    vertexShader.Load(vertexPath);
    fragmentShader.Load(fragmentPath);
    return ProcessShader();
}

bool Shader::ProcessShader()
{
    program = glCreateProgram();
    glAttachShader(program, vertexShader.id);
    glAttachShader(program, fragmentShader.id);
    glLinkProgram(program);
    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status == 0) {
        Exception e;
        e << tag_error_message("Shader couldn't be linked - ") << tag_error_detail(ProgramLog(program));
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    // Validation depends on the state at this moment, not at drawing time, so its outcome is not used.
    glValidateProgram(program);
    glGetProgramiv(program, GL_VALIDATE_STATUS, &status);
    return true;
}

void Shader::SetUniform(std::string name, float value)
{
    const GLint location = glGetUniformLocation(program, name.c_str());
    if (location == -1) {
        Exception e;
        e << tag_error_message("Uniform variable not found: " + name);
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    glUniform1f(location, value);
}

void Shader::SetUniform(std::string name, int value)
{
    const GLint location = glGetUniformLocation(program, name.c_str());
    if (location == -1) {
        Exception e;
        e << tag_error_message("Uniform variable not found: " + name);
        MIRAGE_THROW(e, "Shader.cpp", __LINE__);
    }
    glUniform1i(location, value);
}

void Shader::Bind()
{
    glUseProgram(program);
    glGetError(); // clears an error flag left pending by earlier drawing
}

void Shader::Unbind()
{
    glUseProgram(0);
}
