#include <GL/glew.h>

#include "Effects/GLRequirements.h"
#include "Reliability/GameProcess.h"
#include "Support/Exception.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// An entry point left null, as GLEW leaves one the driver lacks, until destruction.
template <typename Function>
class HiddenEntryPoint
{
public:
    explicit HiddenEntryPoint(Function& pointer)
        : pointer(pointer)
        , saved(pointer)
    {
        pointer = nullptr;
    }
    ~HiddenEntryPoint() { pointer = saved; }
    HiddenEntryPoint(const HiddenEntryPoint&) = delete;
    HiddenEntryPoint& operator=(const HiddenEntryPoint&) = delete;

private:
    Function& pointer;
    Function saved;
};

std::string ReportOf(const GLRequirements& requirements)
{
    try {
        requirements.ThrowIfMissing();
    } catch (const Exception& e) {
        return DiagnosticReport(e);
    }
    return "no report";
}

std::string Missing(const std::string& what)
{
    return "missing: " + what + "; GL_VERSION: " + reinterpret_cast<const char*>(glGetString(GL_VERSION));
}

} // namespace

TEST(GLRequirements, ThisMachinesContextHasAllTheGameNeeds)
{
    TestSupport::EnsureGLContext();
    const GLRequirements requirements(true, GLEW_OK);
    EXPECT_TRUE(requirements.Missing().empty());
    EXPECT_NO_THROW(requirements.ThrowIfMissing());
}

TEST(GLRequirements, AMissingEntryPointIsNamedUnlessTheOtherFramebufferSetStandsIn)
{
    TestSupport::EnsureGLContext();
    {
        HiddenEntryPoint<PFNGLCREATESHADERPROC> shaders(__glewCreateShader);
        const std::string report = ReportOf(GLRequirements(true, GLEW_OK));
        EXPECT_NE(std::string::npos, report.find(Missing("GLSL programs (OpenGL 2.0)"))) << report;
    }
    {
        HiddenEntryPoint<PFNGLGENFRAMEBUFFERSPROC> core(__glewGenFramebuffers);
        EXPECT_TRUE(GLRequirements(true, GLEW_OK).Missing().empty()) << "the extension's entry point stands in";
    }
    HiddenEntryPoint<PFNGLGENFRAMEBUFFERSPROC> core(__glewGenFramebuffers);
    HiddenEntryPoint<PFNGLGENFRAMEBUFFERSEXTPROC> extension(__glewGenFramebuffersEXT);
    const std::string report = ReportOf(GLRequirements(true, GLEW_OK));
    EXPECT_NE(std::string::npos,
              report.find(Missing("framebuffer objects (GL_EXT_framebuffer_object, OpenGL 3.0 or "
                                  "GL_ARB_framebuffer_object)")))
        << report;
}

// The real game on a driver that hides framebuffer objects: the report on
// standard output, and the window stays up.
TEST(GLRequirements, TheGameOnADriverWithoutFramebufferObjectsReportsAndKeepsRunning)
{
    TestSupport::TempDir dir;
    TestSupport::CopyResources(dir.Path());
    TestSupport::WriteFile(dir / "Config.cfg", "StartLevel=0\n");
    Reliability::GameProcess game(dir.Path(), false,
                                  {"MESA_GL_VERSION_OVERRIDE=2.1",
                                   "MESA_EXTENSION_OVERRIDE=-GL_EXT_framebuffer_object -GL_ARB_framebuffer_object"});
    ASSERT_TRUE(game.WaitForOutput("[tag_error_message_tag*] = OpenGL driver lacks what the game needs\n"))
        << game.Out() << game.Err();
    EXPECT_TRUE(game.KeepsRunning()) << game.Out() << game.Err();
    EXPECT_NE(std::string::npos,
              game.Out().find("[tag_error_detail_tag*] = missing: framebuffer objects (GL_EXT_framebuffer_object, "
                              "OpenGL 3.0 or GL_ARB_framebuffer_object); GL_VERSION: 2.1"))
        << game.Out();
}

TEST(GLRequirements, AContextThatCouldNotBeMadeIsReportedWithoutAskingTheDriver)
{
    TestSupport::EnsureGLContext(); // another context is current, and must not be read
    const GLRequirements requirements(false, GLEW_ERROR_NO_GL_VERSION);
    ASSERT_EQ(1u, requirements.Missing().size());
    try {
        requirements.ThrowIfMissing();
        FAIL() << "no report";
    } catch (const Exception& e) {
        const std::string report = DiagnosticReport(e);
        EXPECT_NE(std::string::npos, report.find("OpenGL driver lacks what the game needs")) << report;
        EXPECT_NE(std::string::npos, report.find("missing: a current OpenGL context; GL_VERSION: none; GL_RENDERER: none"))
            << report;
        EXPECT_NE(std::string::npos, report.find("GLRequirements.cpp(")) << report;
    }
}
