// The committed GLSL sources build on the driver, keep the uniforms the game sets, and the
// water shows the two scene images at each pixel's own screen position, mixed by angle.

#include <GL/glew.h>

#include "Effects/Shader.h"
#include "Resources/GlProbe.h"
#include "Support/TestSupport.h"

#include <GL/glu.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

std::string Source(const std::string& name)
{
    return TestSupport::ReadFile(std::string(MIRAGE_SOURCE_DIR) + "/Resources/" + name);
}

// A 2 x 1 texture: left texel `left`, right texel `right`, no filtering between them.
GLuint TwoColourTexture(const unsigned char left[3], const unsigned char right[3])
{
    const unsigned char texels[6] = {left[0], left[1], left[2], right[0], right[1], right[2]};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

// A 512 x 512 image like the water's two scene images: one colour in its `filled` x
// `filled` corner at the origin, black elsewhere. It clamps with a black border where
// the water clamps to the edge: the two read alike only while every lookup stays a
// texel inside, and the border shows one that does not.
GLuint SceneSizedTexture(unsigned char red, unsigned char green, unsigned char blue, int filled = 512)
{
    std::vector<unsigned char> texels(512 * 512 * 3);
    for (std::size_t i = 0; i < texels.size(); i += 3) {
        const int x = static_cast<int>(i / 3 % 512), y = static_cast<int>(i / 3 / 512);
        const bool inside = x < filled && y < filled;
        texels[i] = inside ? red : 0;
        texels[i + 1] = inside ? green : 0;
        texels[i + 2] = inside ? blue : 0;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 512, 512, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texture;
}

class ShaderAssets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::EnsureGLContext();
        ASSERT_EQ(GlProbe::BuildProgram(Source("Water.vert"), Source("Water.frag"), water), "");
        const unsigned char red[3] = {255, 0, 0}, blue[3] = {0, 0, 255}, green[3] = {0, 255, 0};
        reflection = TwoColourTexture(red, blue);
        refraction = TwoColourTexture(green, green);
    }

    void TearDown() override
    {
        glDeleteTextures(1, &reflection);
        glDeleteTextures(1, &refraction);
        glDeleteProgram(water);
    }

    // Draws a water grid at z = 0 as the game does (sampler units 0 and 1) and
    // returns the pixel, with the camera given by eye and centre (up is +z unless looking down).
    std::array<int, 4> WaterPixel(float time, const float eye[3], const float centre[3], int x, int y)
    {
        GlProbe::Target target(64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, 1, 0.1, 500);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const bool down = eye[0] == centre[0] && eye[1] == centre[1];
        gluLookAt(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], 0, down ? 1 : 0, down ? 0 : 1);
        glUseProgram(water);
        glUniform1i(glGetUniformLocation(water, "ReflectionTex"), 0);
        glUniform1i(glGetUniformLocation(water, "RefractionTex"), 1);
        glUniform1f(glGetUniformLocation(water, "u_WaveTime"), time);
        glUniform1f(glGetUniformLocation(water, "u_ImageCut"), imageCut);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, reflection);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, refraction);
        glActiveTexture(GL_TEXTURE0);
        // A grid like the game's, since the shader may work per vertex.
        glBegin(GL_QUADS);
        for (float x = -40; x < 40; x += 2)
            for (float y = -40; y < 200; y += 2) {
                glVertex3f(x, y, 0);
                glVertex3f(x + 2, y, 0);
                glVertex3f(x + 2, y + 2, 0);
                glVertex3f(x, y + 2, 0);
            }
        glEnd();
        glUseProgram(0);
        return target.Pixel(x, y);
    }

    GLuint water = 0, reflection = 0, refraction = 0;
    float imageCut = 0.0f; // share of each image's side left unfilled, as the game sets it
};

// Through the game's own program class, as the water and every ball build them.
TEST_F(ShaderAssets, BothProgramsBuildAndTheWaterKeepsTheUniformsTheGameSets)
{
    TestSupport::TempDir dir;
    TestSupport::CopyResources(dir.Path());
    TestSupport::ScopedCwd cwd(dir.Path());
    Shader ball;
    EXPECT_NO_THROW(ball.Load("Resources/Ball.vert", "Resources/Ball.frag"));
    Shader waterProgram;
    ASSERT_NO_THROW(waterProgram.Load("Resources/Water.vert", "Resources/Water.frag"));
    waterProgram.Bind();
    EXPECT_NO_THROW(waterProgram.SetUniform("ReflectionTex", 0));
    EXPECT_NO_THROW(waterProgram.SetUniform("RefractionTex", 1));
    EXPECT_NO_THROW(waterProgram.SetUniform("u_WaveTime", 1.5f));
    waterProgram.Unbind();
}

TEST_F(ShaderAssets, SeenFromAboveTheWaterShowsTheRefractionWithALittleMirroredSceneInPlace)
{
    const float eye[3] = {0, 0, 20}, centre[3] = {0, 0, 0};
    const std::array<int, 4> left = WaterPixel(0, eye, centre, 8, 32), right = WaterPixel(0, eye, centre, 56, 32);
    EXPECT_GT(left[1], 120);
    EXPECT_GT(left[1], 2 * left[0]);
    EXPECT_GT(left[0], left[2]) << "left of the screen must mirror the left of the reflection image";
    EXPECT_GT(right[2], right[0]) << "right of the screen must mirror the right of the reflection image";
}

TEST_F(ShaderAssets, AtGrazingAnglesTheReflectionDominatesAndRipplesWithTime)
{
    const float eye[3] = {0, -40, 1}, centre[3] = {0, 40, 0};
    const std::array<int, 4> far = WaterPixel(0, eye, centre, 16, 30);
    EXPECT_GT(far[0], far[1]) << "the mirrored scene should outweigh the ground at grazing angles";
    bool sawLeft = false, sawRight = false;
    for (float time = 0; time < 6.3f; time += 0.35f) {
        // One pixel either side of the reflection image's middle: the ripple moves it across.
        const std::array<int, 4> edge = WaterPixel(time, eye, centre, 32, 30);
        sawLeft |= edge[0] > edge[2];
        sawRight |= edge[2] > edge[0];
    }
    EXPECT_TRUE(sawLeft && sawRight) << "u_WaveTime does not move the ripples";
}

// The scene images clamp with a black border; rippled lookups past the window's edge must
// not pull it in as dark wavy bands along the sides.
// The same when frames run over budget and the passes fill only a corner of each image:
// the rest holds an older frame's picture, or nothing.
TEST_F(ShaderAssets, RipplesDoNotDarkenTheWindowEdges)
{
    for (const int filled : {512, 256, 128}) {
        glDeleteTextures(1, &reflection);
        glDeleteTextures(1, &refraction);
        reflection = SceneSizedTexture(0, 200, 0, filled);
        refraction = SceneSizedTexture(0, 200, 0, filled);
        imageCut = 1.0f - filled / 512.0f;
        const float eye[3] = {0, 0, 20}, centre[3] = {0, 0, 0};
        const int middle = WaterPixel(0, eye, centre, 32, 32)[1];
        EXPECT_GT(middle, 100);
        for (float time = 0; time < 6.3f; time += 0.35f)
            for (const int x : {0, 63}) {
                SCOPED_TRACE(testing::Message() << "filled " << filled << ", time " << time << ", column " << x);
                EXPECT_GE(WaterPixel(time, eye, centre, x, 32)[1], middle - 4);
                EXPECT_GE(WaterPixel(time, eye, centre, 32, x)[1], middle - 4);
            }
    }
}

} // namespace
