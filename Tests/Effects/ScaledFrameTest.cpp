#include <GL/glew.h>

#include "Effects/ScaledFrame.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ScaledFrame, AViewIsDrawnAtNoMoreThanItsPixelsAndNeverEnlarged)
{
    EXPECT_EQ(1.0, ScaledFrame::Scale(800, 600, 0)) << "no limit";
    EXPECT_EQ(1.0, ScaledFrame::Scale(800, 600, 800 * 600));
    EXPECT_DOUBLE_EQ(0.5, ScaledFrame::Scale(1600, 1200, 800 * 600));
    EXPECT_NEAR(0.4811, ScaledFrame::Scale(1920, 1080, 800 * 600), 1e-4);
}

TEST(ScaledFrame, WhatIsDrawnIntoItFillsTheViewItWasBegunIn)
{
    TestSupport::EnsureGLContext();
    // The view: a 64 x 32 frame of its own, at a viewport that is not at its corner.
    GLuint view = 0, colour = 0;
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 80, 40);
    glGenFramebuffers(1, &view);
    glBindFramebuffer(GL_FRAMEBUFFER, view);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(16, 8, 64, 32);
    {
        ScaledFrame scaled;
        ASSERT_TRUE(scaled.Begin(32, 16));
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(32, viewport[2]);
        EXPECT_EQ(16, viewport[3]);
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        scaled.End();
        GLint bound = 0;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(GLint(view), bound);
        EXPECT_EQ(16, viewport[0]);
        EXPECT_EQ(64, viewport[2]);
    }
    std::vector<unsigned char> pixels(80 * 40 * 4);
    glReadPixels(0, 0, 80, 40, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    const auto red = [&pixels](int x, int y) { return pixels[(y * 80 + x) * 4] == 255; };
    EXPECT_TRUE(red(16, 8) && red(79, 39) && red(47, 23)) << "the view's whole viewport";
    EXPECT_FALSE(red(15, 8) || red(16, 7)) << "nothing outside it";
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &view);
    glDeleteRenderbuffers(1, &colour);
    glClearColor(0, 0, 0, 1);
}
