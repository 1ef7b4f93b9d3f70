#include <GL/glew.h>

#include "Effects/GLRequirements.h"
#include "Support/Exception.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

TEST(GLRequirements, ThisMachinesContextHasAllTheGameNeeds)
{
    TestSupport::EnsureGLContext();
    const GLRequirements requirements(true, GLEW_OK);
    EXPECT_TRUE(requirements.Missing().empty());
    EXPECT_NO_THROW(requirements.ThrowIfMissing());
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
