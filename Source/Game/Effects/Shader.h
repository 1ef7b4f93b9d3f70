#pragma once

#include <GL/glew.h>

#include <string>

// The two stage classes live beside Shader: they exist only to build it, and
// their error reports name this file.

/// One compiled vertex stage.
class VertexShader
{
public:
    /// Reads the file in binary and compiles it; throws
    /// "VertexShader File couldn't be loaded! - " when it cannot be opened.
    GLuint Load(std::string path);
    /// Compiles `source` (up to its first NUL byte); throws
    /// "Vertexshader Compiling error!" with the driver log and numbered source.
    GLuint Create(std::string source);

    GLuint id = 0; // shader object name; 0 until Create; kept after a failed compile
};

/// One compiled fragment stage.
class FragmentShader
{
public:
    /// As VertexShader::Load; throws "FragmentShader File couldn't be loaded! - ".
    GLuint Load(std::string path);
    /// As VertexShader::Create; throws "Fragmentshader Compiling error! - ".
    GLuint Create(std::string source);

    GLuint id = 0; // shader object name; 0 until Create; kept after a failed compile
};

/// A GLSL program of one vertex and one fragment stage. Owns the program and
/// both shader objects, deleted with it while the context is current.
class Shader
{
public:
    Shader() = default;
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    /// Compiles the vertex file, then the fragment file, then links.
    /// Paths are used as given. Every failure throws, so the result is always true.
    bool Load(std::string vertexPath, std::string fragmentPath);
    /// Links the two stages and validates; the validation outcome is ignored.
    /// Throws "Shader couldn't be linked - " with the program log.
    bool ProcessShader();

    /// The program must be bound. Throws "Uniform variable not found: " + name
    /// for a name the program does not use (also one the compiler removed).
    void SetUniform(std::string name, float value);
    void SetUniform(std::string name, int value);

    /// Makes the program current and clears one pending GL error flag.
    void Bind();
    void Unbind();

    GLuint program = 0; // kept after a failed link
    VertexShader vertexShader;
    FragmentShader fragmentShader;
};
