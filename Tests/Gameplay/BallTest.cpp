#include <GL/glew.h>

#include "Effects/FramebufferObject.h"
#include "Gameplay/Ball.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Support/IndexedTriangles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

TEST(BallShape, SphereAndStandInHaveTheirRingsOnTheirRadius)
{
    // Twenty rings of forty steps on screen; the water's coarse one must not gain
    // a ring from the summed steps falling short of the pole.
    for (const int rings : {20, Ball::standInRings}) {
        const std::vector<Vec3> points = Ball::SphereTriangles(0.2f, rings);
        EXPECT_EQ(std::size_t(rings) * 2 * rings * 2 * 3, points.size()) << rings;
        float lowest = 1.0f, highest = -1.0f;
        for (const Vec3& p : points) {
            EXPECT_NEAR(0.2f, std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 1e-6f);
            lowest = std::min(lowest, p.z);
            highest = std::max(highest, p.z);
        }
        EXPECT_FLOAT_EQ(0.2f, highest) << rings;      // the first ring starts at the pole
        EXPECT_NEAR(-0.2f, lowest, 1e-6f) << rings;   // the last ring closes the other pole
    }
}

TEST(IndexedTriangles, GiveBackEveryPointBitForBitFromFewerCorners)
{
    std::vector<Vec3> triangles = Ball::SphereTriangles(0.2f);
    triangles.insert(triangles.end(), {Vec3(0, 0, 0), Vec3(-0.0f, 0, 0), Vec3(0, 0, 0)});
    const IndexedTriangles indexed = IndexedTriangles::From(triangles);
    ASSERT_EQ(triangles.size(), indexed.indices.size());
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        ASSERT_LT(indexed.indices[i], indexed.corners.size());
        EXPECT_EQ(0, std::memcmp(&triangles[i], &indexed.corners[indexed.indices[i]], sizeof(Vec3))) << i;
    }
    // Each cell's six points hold at most three new corners.
    EXPECT_LE(indexed.corners.size(), triangles.size() / 2);
}

TEST(BallShape, BoxIsTheCubeOfItsRadiusAndDrawingRestoresTheState)
{
    GameplayTest::World world;
    Ball ball(Vec3(0, 5, 0));
    EXPECT_EQ(Vec3(0, 5, 0), ball.velocity);
    EXPECT_EQ(Vec3(-0.2f, -0.2f, -0.2f), ball.collisionModel.min);
    EXPECT_EQ(Vec3(0.2f, 0.2f, 0.2f), ball.collisionModel.max);
    EXPECT_NE(0u, ball.shader.program);

    while (glGetError() != GL_NO_ERROR) {
    }
    GLint modelViewDepth = 0, textureDepth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &textureDepth);
    ball.setPosition(Vec3(1, 2, 3));
    ball.draw();
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(modelViewDepth, depth);
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depth);
    EXPECT_EQ(textureDepth, depth);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    // Left on, the arrays would feed stale pointers to the next immediate-mode draw.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
}

TEST(BallShape, DrawnFromAboveTheBallCoversADiscOfItsRadius)
{
    GameplayTest::World world;
    Ball ball(Vec3(0, 5, 0));
    const int size = 64; // pixels for one world unit
    GLuint colour = 0;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    FramebufferObject target;
    target.AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    target.Bind();
    glPushAttrib(GL_VIEWPORT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, size, size);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-0.5, 0.5, -0.5, 0.5, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1, 1, 1); // the environment map modulates the current colour
    ball.draw();
    std::vector<unsigned char> rgba(size * size * 4);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    FramebufferObject::Unbind();
    glDeleteTextures(1, &colour);

    int covered = 0;
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4)
        covered += rgba[i] + rgba[i + 1] + rgba[i + 2] > 0;
    // A disc of radius 0.2 units: pi * 12.8^2, about 515 pixels.
    EXPECT_NEAR(515, covered, 60);
}

TEST(BallShape, EnvironmentMapHoldsEachSkyImageOnItsOwnFace)
{
    GameplayTest::World world;
    Ball ball(Vec3(0, 5, 0));
    const GLuint map = Ball::EnvironmentMap();
    ASSERT_NE(0u, map);
    EXPECT_EQ(map, Ball::EnvironmentMap()); // shared, not rebuilt
    glBindTexture(GL_TEXTURE_CUBE_MAP, map);
    GLint size = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &size);
    if (size != 8) { // CTest runs each test alone; a whole-binary run may have built it elsewhere
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
        GTEST_SKIP() << "the map was built earlier in this process from other images";
    }
    for (int face = 0; face < 6; ++face) {
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_TEXTURE_WIDTH, &size);
        ASSERT_EQ(8, size);
        std::vector<unsigned char> pixels(8 * 8 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        const Vec3 expected = GameplayTest::SkyFaceColour(face);
        EXPECT_EQ(Vec3(pixels[0], pixels[1], pixels[2]), expected) << "face " << face;
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

// A ball used to leave its cube map, depth buffer and program behind: about
// 7 MiB of ordinary memory per ball on the software renderer.
TEST(BallShape, DeletingABallReleasesEveryGlObjectItCreated)
{
    GameplayTest::World world;
    Ball* ball = new Ball(Vec3(0, 5, 0));
    const GLuint program = ball->shader.program, vertex = ball->shader.vertexShader.id,
                 fragment = ball->shader.fragmentShader.id, cube = ball->cubeMapTarget.texture,
                 depth = ball->cubeMapTarget.depthBuffer, framebuffer = ball->cubeMapTarget.framebuffer;
    ASSERT_TRUE(glIsProgram(program) && glIsShader(vertex) && glIsShader(fragment));
    ASSERT_TRUE(glIsTexture(cube) && glIsRenderbuffer(depth) && glIsFramebuffer(framebuffer));
    delete ball;
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
    EXPECT_FALSE(glIsTexture(cube));
    EXPECT_FALSE(glIsRenderbuffer(depth));
    EXPECT_FALSE(glIsFramebuffer(framebuffer));
    EXPECT_NE(0u, Ball::EnvironmentMap()); // the shared sky map stays for the next ball
}
