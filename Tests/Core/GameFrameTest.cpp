// Camera transforms and GL state left by a whole frame of the world.
#include <GL/glew.h>

#include "Core/RendererWarmUp.h"
#include "Effects/SparksParticle.h"
#include "Gameplay/Entity.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/Paddle.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Matrix
{
    float m[16];
};

Matrix ModelView()
{
    Matrix r;
    glGetFloatv(GL_MODELVIEW_MATRIX, r.m);
    return r;
}

void ExpectNear(const Matrix& expected, const Matrix& actual)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected.m[i], actual.m[i], 1e-4f) << "element " << i;
}

Entity* FirstPaddle(Game& game)
{
    for (Entity* e : game.entityList.entities)
        if (dynamic_cast<Paddle*>(e))
            return e;
    return nullptr;
}

} // namespace

TEST(GameFrame, EachCameraModeLeavesItsViewMatrix)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    Entity* paddle = FirstPaddle(game);
    ASSERT_NE(nullptr, paddle);
    paddle->position.x = 2.5f;
    const Vec3 p = paddle->position;

    // Mode 0: the shift comes before the look-at, so it moves the picture in eye space.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, -6.0f, 0.0f);
    gluLookAt(-0.8f * p.x, p.y - 16.0f, p.z + 8.0f, 0, 12, -12, 0, 0, 1);
    const Matrix above = ModelView();
    glLoadIdentity();
    gluLookAt(0, -12, 10, p.x, 12, p.z, 0, 0, 1);
    const Matrix behind = ModelView();
    // Mode 2: the view's own camera (here a plain look-at) shifted along world y.
    glLoadIdentity();
    gluLookAt(3, -20, 15, 0, 0, 0, 0, 0, 1);
    glTranslatef(0.0f, -6.0f, 0.0f);
    const Matrix orbit = ModelView();

    const Matrix expected[3] = {above, behind, orbit};
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        game.cameraMode = mode + 3; // used modulo 3
        glLoadIdentity();
        gluLookAt(3, -20, 15, 0, 0, 0, 0, 0, 1);
        game.Render();
        ExpectNear(expected[mode], ModelView());
        EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    }
}

TEST(GameFrame, TheFrameLeavesFramebufferZeroAndTheLightSetAfterTheCamera)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    glLoadIdentity();
    game.Render();
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(0, framebuffer);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    float diffuse[4], ambient[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(240.0f / 255.0f, diffuse[1]);
    EXPECT_FLOAT_EQ(240.0f / 255.0f / 8.0f, ambient[2]);
    // The position is stored in eye space: a directional light keeps w = 0.
    float position[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_EQ(0.0f, position[3]);
}

// The harness's stage profile relies on this order to name the passes.
TEST(GameFrame, TheProfilingHookHearsEveryStageOfAFrameInOrder)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    std::vector<std::string> stages;
    game.stageDone = [&stages](const char* stage) { stages.push_back(stage); };
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    game.Render();

    const std::vector<std::string> pass = {"set-up", "entities", "terrain", "sky", "trees", "particles"};
    std::vector<std::string> expected = pass; // reflection
    expected.insert(expected.end(), pass.begin(), pass.end()); // refraction
    expected.push_back("water");
    expected.insert(expected.end(), pass.begin(), pass.end()); // the visible scene
    EXPECT_EQ(expected, stages);
}

// An optional key: absent or not a number leaves the governor to choose (level 3
// after slow frames); a pinned level reaches the water however slow the frames are.
TEST(GameFrame, FrameBudgetLevelInTheConfigPinsTheGovernor)
{
    for (const auto& [key, waterImage] : {std::pair{"", 128}, {"FrameBudgetLevel=fast\n", 128}, {"FrameBudgetLevel=2\n", 256}}) {
        GameplayTest::World world(0);
        std::ofstream("Config.cfg") << "StartLevel=0\n" << key; // the world's folder is current
        Game& game = world.game();
        game.StartGame();
        for (int frame = 0; frame < 20; ++frame)
            game.FrameTook(100.0);
        glLoadIdentity();
        game.Render();
        EXPECT_EQ(waterImage, game.water.ImageSize()) << key;
    }
}

// The warm-up draws with bursts and a ball of its own at every level; play must
// not notice: the same pieces, bursts, governor and draws of rand(), also when
// a frame throws.
TEST(GameFrame, WarmingTheRendererUpLeavesTheWorldAsItWas)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    game.particleSystems.push_back(new SparksParticle(Vec3(), Vec3(1, 1, 1)));
    const auto entities = game.entityList.entities;
    const auto bursts = game.particleSystems;
    for (int frame = 0; frame < 20; ++frame)
        game.FrameTook(100.0); // a coarser level than any warm-up frame ends with
    const int level = game.governor.Level();
    std::srand(7);
    const int firstDraw = std::rand();
    std::srand(7);

    std::vector<int> levels;
    std::size_t drawnBursts = 0;
    WarmUpRenderer(game, [&] {
        levels.push_back(game.governor.Level());
        drawnBursts = game.particleSystems.size();
        EXPECT_EQ(entities.size() + 1, game.entityList.entities.size()) << "a ball of its own";
        glLoadIdentity();
        game.Render();
    });
    EXPECT_EQ((std::vector<int>{7, 6, 5, 4, 3, 2, 1, 0}), levels);
    EXPECT_EQ(3u, drawnBursts) << "one of each sprite, none of the world's";
    EXPECT_EQ(firstDraw, std::rand());
    EXPECT_EQ(entities, game.entityList.entities);
    EXPECT_EQ(bursts, game.particleSystems);
    EXPECT_EQ(level, game.governor.Level());
    EXPECT_FALSE(game.governor.Pinned());

    EXPECT_THROW(WarmUpRenderer(game, [] { throw std::runtime_error("lost context"); }), std::runtime_error);
    EXPECT_EQ(entities, game.entityList.entities);
    EXPECT_EQ(bursts, game.particleSystems);
    EXPECT_EQ(level, game.governor.Level());
}
