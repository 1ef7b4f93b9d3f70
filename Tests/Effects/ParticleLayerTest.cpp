#include <GL/glew.h>

#include "Effects/ParticleLayer.h"
#include "Resources/GlProbe.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

/// A quad across the whole view at depth `z` (-1 near .. 1 far), identity matrices.
void DrawAcross(float left, float z, float r, float g, float b, float a)
{
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex3f(left, -1, z);
    glVertex3f(1, -1, z);
    glVertex3f(1, 1, z);
    glVertex3f(left, 1, z);
    glEnd();
}

/// A grey sky, a solid red slab in front over the right half, then a translucent
/// white cloud behind the slab over everything: straight into the frame, or
/// through a layer of 1 / `divisor` of its size. In a mirror pass, as in the
/// water's reflection, front faces are culled and a clip plane that would cut
/// away a quad at z = 0 is on when the layer is blended over. Returns pixels
/// left and right.
std::array<std::array<int, 4>, 2> CloudBehindSlab(int divisor, GLenum depthFormat = GL_DEPTH_COMPONENT24,
                                                  bool mirrorPass = false)
{
    GlProbe::Target frame(64, 64, depthFormat);
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawAcross(0.0f, -0.5f, 1, 0, 0, 1);
    ParticleLayer layer;
    const bool layered = divisor > 0 && layer.Begin(divisor);
    EXPECT_EQ(divisor > 0, layered);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    if (layered)
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    else
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    DrawAcross(-1.0f, 0.0f, 1, 1, 1, 0.4f);
    DrawAcross(-1.0f, 0.0f, 0, 0, 1, 0.3f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    const GLdouble nearerThanTheLayer[4] = {0.0, 0.0, 1.0, -0.05};
    glClipPlane(GL_CLIP_PLANE0, nearerThanTheLayer);
    if (mirrorPass) {
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
    }
    if (layered)
        layer.End();
    EXPECT_EQ(mirrorPass, glIsEnabled(GL_CLIP_PLANE0) && glIsEnabled(GL_CULL_FACE)) << "as the pass had them";
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    // Left half: the cloud over the sky; right half: the slab in front.
    return {frame.Pixel(8, 32), frame.Pixel(56, 32)};
}

} // namespace

// Clouds drawn into a smaller layer and blended over the frame once must look
// as if blended straight into it: the same colour, and still behind solids.
TEST(ParticleLayer, BlendsLikeDrawingStraightIntoTheFrameAndStaysBehindSolids)
{
    TestSupport::EnsureGLContext();
    const auto straight = CloudBehindSlab(0);
    EXPECT_EQ(255, straight[1][0]);
    EXPECT_GT(straight[0][2], 128) << "the blue cloud over the grey sky";
    // The last as in the water's images: a depth buffer of unsized format, a mirror pass.
    const struct { int divisor; GLenum depth; bool mirror; } layers[] = {
        {1, GL_DEPTH_COMPONENT24, false}, {2, GL_DEPTH_COMPONENT24, false}, {4, GL_DEPTH_COMPONENT24, false},
        {2, GL_DEPTH_COMPONENT, true}};
    for (const auto& layer : layers) {
        const auto layered = CloudBehindSlab(layer.divisor, layer.depth, layer.mirror);
        for (int side = 0; side < 2; ++side)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(straight[side][c], layered[side][c], 2)
                    << "divisor " << layer.divisor << (layer.mirror ? " in a water image" : "") << " side " << side;
    }
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

// Only the part of the layer a frame's bursts cover is cleared and blended:
// what an earlier frame left elsewhere in the layer must never show.
TEST(ParticleLayer, BlendsOnlyThePartItIsToldOfAndNothingAnEarlierFrameLeft)
{
    TestSupport::EnsureGLContext();
    GlProbe::Target frame(64, 64);
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    ParticleLayer layer;
    const auto cloud = [&](float left, const ScreenBounds& drawn) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ASSERT_TRUE(layer.Begin(4, drawn));
        glDisable(GL_TEXTURE_2D); // End leaves both on
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        DrawAcross(left, 0.0f, 1, 1, 1, 0.6f);
        glDepthMask(GL_TRUE);
        layer.End();
    };
    cloud(-1.0f, ScreenBounds::Whole());
    EXPECT_GT(frame.Pixel(8, 32)[0], 180) << "the whole view clouded";
    cloud(0.5f, ScreenBounds{0.5f, -1.0f, 1.0f, 1.0f});
    const auto sky = frame.Pixel(8, 32), clouded = frame.Pixel(60, 32);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(128, sky[c], 2) << "nothing of the earlier frame's cloud";
    EXPECT_NEAR(204, clouded[0], 3);
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}
