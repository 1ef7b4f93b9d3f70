#include "Support/Exception.h"
#include "Support/Vec3.h"
#include "Support/invertMatrix.h"

#include <gtest/gtest.h>

TEST(ShaderSource, NumbersEveryLineAfterALeadingLineEnd)
{
    EXPECT_EQ("\n1: a\n2: b", ShaderSource("a\nb").Text());
    EXPECT_EQ("\n1: a\n2: ", ShaderSource("a\n").Text());
    EXPECT_EQ("\n1: ", ShaderSource("").Text());
    // The inserted numbers must not be searched again for line ends.
    EXPECT_EQ("\n1: \n2: \n3: x", ShaderSource("\n\nx").Text());
}

TEST(ExceptionReport, ListsEveryTagWithFileAndSourceTextForms)
{
    Exception e;
    e << tag_error_message("Vertexshader Compiling error!") << tag_error_detail("log")
      << tag_error_source(ShaderSource("x")) << tag_error_file(ex_file_class("a/b.vert"))
      << tag_error_model("Resources/m.obj");
    try {
        MIRAGE_THROW(e, "Sample.cpp", 77);
    } catch (const std::exception& caught) {
        const std::string report = DiagnosticReport(caught);
        EXPECT_EQ(0u, report.find("Sample.cpp(77): Throw in function ")) << report;
        EXPECT_NE(std::string::npos, report.find("\nDynamic exception type: ")) << report;
        EXPECT_NE(std::string::npos, report.find("] = Vertexshader Compiling error!\n")) << report;
        EXPECT_NE(std::string::npos, report.find("] = log\n")) << report;
        EXPECT_NE(std::string::npos, report.find("] = \n1: x\n")) << report;
        EXPECT_NE(std::string::npos, report.find("] = a/b.vert loaded at: /")) << report;
        EXPECT_NE(std::string::npos, report.find("] = Resources/m.obj\n")) << report;
    }
}

TEST(Vec3, NormalizeScalesToUnitLengthAndLeavesZeroAlone)
{
    Vec3 v(3, 0, 4);
    const Vec3 copy = v.normalize();
    EXPECT_FLOAT_EQ(0.6f, v.x);
    EXPECT_FLOAT_EQ(0.8f, v.z);
    EXPECT_EQ(v, copy);
    Vec3 zero;
    EXPECT_EQ(Vec3(0, 0, 0), zero.normalize());
}

TEST(invertMatrix, IdentityRotationTranslationAndSingular)
{
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float out[16];
    ASSERT_TRUE(invertMatrix(identity, out));
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(identity[i], out[i]);

    // 90 degrees about z, then a translation (1, 2, 3), column-major.
    const float m[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    const float expected[16] = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, -2, 1, -3, 1};
    ASSERT_TRUE(invertMatrix(m, out));
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected[i], out[i], 1e-6f) << i;

    const float singular[16] = {1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1};
    float untouched[16];
    for (int i = 0; i < 16; ++i)
        untouched[i] = 42.0f;
    EXPECT_FALSE(invertMatrix(singular, untouched));
    for (float v : untouched)
        EXPECT_EQ(42.0f, v);
}
