#include <GL/glew.h>

#include "Effects/Shader.h"
#include "Support/Exception.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace TestSupport;

namespace {

const char* vertexSource = "#version 120\nvoid main() { gl_Position = ftransform(); }\n";
const char* fragmentSource =
    "#version 120\n"
    "uniform float u_Used;\n"
    "uniform int u_Unit;\n"
    "uniform float u_Unused;\n"
    "void main() { gl_FragColor = vec4(u_Used, float(u_Unit), 0.0, 1.0); }\n";

std::string Message(const Exception& e)
{
    const std::string* message = boost::get_error_info<tag_error_message>(e);
    return message ? *message : "<none>";
}

std::string Detail(const Exception& e)
{
    const std::string* detail = boost::get_error_info<tag_error_detail>(e);
    return detail ? *detail : "<none>";
}

/// Loads the pair from files in a fresh folder and returns the exception it raised.
Exception LoadFailure(Shader& shader, const std::string& vertex, const std::string& fragment)
{
    TempDir dir;
    if (!vertex.empty())
        WriteFile(dir / "a.vert", vertex);
    if (!fragment.empty())
        WriteFile(dir / "a.frag", fragment);
    try {
        shader.Load(dir / "a.vert", dir / "a.frag");
    } catch (const Exception& e) {
        return e;
    }
    ADD_FAILURE() << "Load did not throw";
    return Exception();
}

class ShaderTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureGLContext(); }
};

} // namespace

TEST_F(ShaderTest, MissingVertexFileStopsBeforeTheFragmentStage)
{
    Shader shader;
    const Exception e = LoadFailure(shader, "", fragmentSource);
    EXPECT_EQ("VertexShader File couldn't be loaded! - ", Message(e));
    const ex_file_class* file = boost::get_error_info<tag_error_file>(e);
    ASSERT_NE(nullptr, file);
    EXPECT_NE(std::string::npos, file->Name().find("/a.vert"));
    EXPECT_EQ(0u, shader.vertexShader.id);
    EXPECT_EQ(0u, shader.fragmentShader.id); // a readable fragment file was never compiled
    EXPECT_EQ(0u, shader.program);
    EXPECT_NE(std::string::npos, DiagnosticReport(e).find("Shader.cpp("));
}

TEST_F(ShaderTest, MissingFragmentFileFailsAfterTheVertexStageCompiled)
{
    Shader shader;
    const Exception e = LoadFailure(shader, vertexSource, "");
    EXPECT_EQ("FragmentShader File couldn't be loaded! - ", Message(e));
    EXPECT_NE(nullptr, boost::get_error_info<tag_error_file>(e));
    EXPECT_NE(0u, shader.vertexShader.id);
    EXPECT_EQ(0u, shader.program);
}

TEST_F(ShaderTest, DirectoryOrUnexaminablePathInPlaceOfAStageFileIsALoadError)
{
    TempDir dir;
    WriteFile(dir / "a.vert", vertexSource);
    WriteFile(dir / "a.frag", fragmentSource);
    // A name longer than the file system allows cannot even be examined.
    const std::string tooLong = dir / (std::string(300, 'x') + ".frag");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir.Path(), "VertexShader File couldn't be loaded! - "},
        {tooLong, "FragmentShader File couldn't be loaded! - "},
    };
    for (const auto& c : cases) {
        Shader shader;
        const bool vertexBad = c.second[0] == 'V';
        try {
            shader.Load(vertexBad ? c.first : dir / "a.vert", vertexBad ? dir / "a.frag" : c.first);
            ADD_FAILURE() << "Load did not throw for " << c.first;
        } catch (const Exception& e) {
            EXPECT_EQ(c.second, Message(e));
        }
    }
}

TEST_F(ShaderTest, CompileErrorsCarryTheDriverLogAndTheNumberedSource)
{
    const std::string broken = "#version 120\nvoid main() { gl_Position = undeclared; }\n";
    {
        Shader shader;
        const Exception e = LoadFailure(shader, broken, fragmentSource);
        EXPECT_EQ("Vertexshader Compiling error!", Message(e));
        EXPECT_NE(std::string::npos, Detail(e).find("undeclared")) << Detail(e);
        const ShaderSource* source = boost::get_error_info<tag_error_source>(e);
        ASSERT_NE(nullptr, source);
        EXPECT_EQ("\n1: #version 120\n2: void main() { gl_Position = undeclared; }\n3: ", source->Text());
        EXPECT_NE(0u, shader.vertexShader.id); // kept so the Shader deletes it
    }
    {
        const std::string brokenFragment = "#version 120\nvoid main() { gl_FragColor = nothing; }";
        Shader shader;
        const Exception e = LoadFailure(shader, vertexSource, brokenFragment);
        EXPECT_EQ("Fragmentshader Compiling error! - ", Message(e));
        EXPECT_NE(std::string::npos, Detail(e).find("nothing")) << Detail(e);
        const ShaderSource* source = boost::get_error_info<tag_error_source>(e);
        ASSERT_NE(nullptr, source);
        EXPECT_EQ("\n1: #version 120\n2: void main() { gl_FragColor = nothing; }", source->Text());
    }
}

TEST_F(ShaderTest, SourceIsReadInBinaryAndEndsAtTheFirstNulForTheCompiler)
{
    // Carriage returns reach the compiler (which accepts them); the bytes after a NUL never do.
    std::string vertex = "#version 120\r\nvoid main() { gl_Position = ftransform(); }\r\n";
    vertex += '\0';
    vertex += "this is not GLSL";
    TempDir dir;
    WriteFile(dir / "a.vert", vertex);
    WriteFile(dir / "a.frag", fragmentSource);
    Shader shader;
    EXPECT_TRUE(shader.Load(dir / "a.vert", dir / "a.frag"));
    EXPECT_NE(0u, shader.program);
}

TEST_F(ShaderTest, LinkErrorCarriesTheProgramLog)
{
    Shader shader;
    const Exception e = LoadFailure(shader, "#version 120\nvoid helper() {}\n", fragmentSource);
    EXPECT_EQ("Shader couldn't be linked - ", Message(e));
    EXPECT_NE("<none>", Detail(e));
    EXPECT_FALSE(Detail(e).empty());
    EXPECT_EQ(nullptr, boost::get_error_info<tag_error_source>(e));
    EXPECT_NE(0u, shader.program);
}

TEST_F(ShaderTest, UniformsAreSetByNameAndAnUnusedOneIsNotFound)
{
    TempDir dir;
    WriteFile(dir / "a.vert", vertexSource);
    WriteFile(dir / "a.frag", fragmentSource);
    Shader shader;
    shader.Load(dir / "a.vert", dir / "a.frag");
    shader.Bind();
    shader.SetUniform("u_Used", 0.25f);
    shader.SetUniform("u_Unit", 3);
    GLfloat used = 0.0f;
    GLint unit = 0;
    glGetUniformfv(shader.program, glGetUniformLocation(shader.program, "u_Used"), &used);
    glGetUniformiv(shader.program, glGetUniformLocation(shader.program, "u_Unit"), &unit);
    EXPECT_FLOAT_EQ(0.25f, used);
    EXPECT_EQ(3, unit);
    for (int form = 0; form < 2; ++form) {
        try {
            if (form == 0)
                shader.SetUniform("u_Unused", 1.0f);
            else
                shader.SetUniform("u_Unused", 1);
            FAIL() << "no throw for form " << form;
        } catch (const Exception& e) {
            EXPECT_EQ("Uniform variable not found: u_Unused", Message(e));
            EXPECT_EQ("<none>", Detail(e));
        }
    }
    shader.Unbind();
}

TEST_F(ShaderTest, BindMakesTheProgramCurrentAndClearsAPendingError)
{
    TempDir dir;
    WriteFile(dir / "a.vert", vertexSource);
    WriteFile(dir / "a.frag", fragmentSource);
    Shader shader;
    shader.Load(dir / "a.vert", dir / "a.frag");
    glEnable(0x7FFF); // leaves GL_INVALID_ENUM pending
    shader.Bind();
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLint(shader.program), current);
    shader.Unbind();
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(0, current);
}
