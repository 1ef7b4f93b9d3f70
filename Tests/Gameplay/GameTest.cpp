#include "Effects/SparksParticle.h"
#include "Gameplay/Ball.h"
#include "Gameplay/Block.h"
#include "Gameplay/Extra.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/LooseZone.h"
#include "Gameplay/NormalBlock.h"
#include "Support/Exception.h"

#include <gtest/gtest.h>

using GameplayTest::Count;

namespace {

template <typename T>
T* addEntity(Game& game, T* e, Vec3 at)
{
    e->setGame(&game);
    e->setPosition(at);
    game.entityList.entities.push_back(e);
    return e;
}

// The catalogued line of the "No paddle found" report of this frame, 0 when none.
int NoPaddleLine(Game& game)
{
    try {
        game.Render();
    } catch (const Exception& e) {
        EXPECT_EQ("No paddle found", *boost::get_error_info<tag_error_message>(e));
        return *boost::get_error_info<boost::throw_line>(e);
    }
    return 0;
}

} // namespace

TEST(GameTick, AFlyingExtraHoldsTheLevelOpenUntilItIsSwept)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(35, Count<Block>(game.entityList.entities));

    game.entityList.deleteAll();
    Extra* extra = addEntity(game, new Extra(), Vec3(0, 5, 0));
    addEntity(game, new NormalBlock(1), Vec3(5, 5, 0))->hit();
    game.Update(0.02f); // the block is swept, the extra still flies
    EXPECT_EQ(0, game.level);
    game.entityList.markForRemoval(extra);
    EXPECT_FALSE(game.IsLevelCleared()); // marked still counts
    game.Update(0.02f);
    EXPECT_EQ(1, game.level);
    EXPECT_EQ(7, game.balls);
    EXPECT_EQ(42, Count<Block>(game.entityList.entities));
    EXPECT_EQ(1, game.score);
}

TEST(GameTick, AnEmptyLevelAdvancesOneLevelPerTick)
{
    GameplayTest::World world(-3);
    Game& game = world.game();
    game.StartGame();
    EXPECT_TRUE(game.entityList.entities.empty());
    game.Update(0.02f);
    EXPECT_EQ(-2, game.level);
    game.Update(0.02f);
    game.Update(0.02f);
    EXPECT_EQ(0, game.level);
    EXPECT_EQ(11, game.balls);
    EXPECT_EQ(35, Count<Block>(game.entityList.entities));
    EXPECT_FALSE(game.gameOver);
}

TEST(GameTick, TheGameIsLostOnceTheLastBallInPlayIsSwept)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    game.balls = 0;
    Ball* ball = new Ball(Vec3(0, 0, 0));
    ball->setGame(&game);
    ball->setPosition(Vec3(0, -2, 0));
    ASSERT_TRUE(game.entityList.add(ball, true));
    game.Update(0.02f);
    EXPECT_FALSE(game.gameOver);
    game.entityList.markForRemoval(ball);
    game.Update(0.02f);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(0, Count<Ball>(game.entityList.entities));
}

TEST(GameTick, ABallLostInTheTickThatCompletesTheLevelIsDeletedOnce)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    addEntity(game, new Ball(Vec3(0, -5, 0)), Vec3(0, -3.75f, 0));
    game.entityList.entities.push_back(
        new LooseZone(&game, CollisionModel(Vec3(-18, -12, -1), Vec3(18, -4, 1))));
    addEntity(game, new NormalBlock(1), Vec3(0, 5, 0))->hit();
    game.Update(0.02f); // block swept, ball marked by the zone, level completed
    EXPECT_EQ(1, game.level);
    EXPECT_TRUE(game.entityList.removals.empty());
    EXPECT_EQ(0, Count<Ball>(game.entityList.entities));
    game.Update(0.02f);
    EXPECT_EQ(1, game.level);
}

TEST(GameFrame, CamerasAboveAndBehindNeedAPaddle)
{
    GameplayTest::World world(-1);
    Game& game = world.game();
    game.StartGame();
    EXPECT_EQ(248, NoPaddleLine(game));
    game.cameraMode = 1;
    EXPECT_EQ(278, NoPaddleLine(game));
    game.cameraMode = 2;
    EXPECT_EQ(0, NoPaddleLine(game));
    game.cameraMode = 3;
    EXPECT_EQ(248, NoPaddleLine(game));
}

TEST(GameTick, AParticleSystemGoesInTheTickItsLastParticleExpires)
{
    GameplayTest::World world(0);
    Game& game = world.game();
    game.StartGame();
    game.particleSystems.push_back(new SparksParticle(Vec3(0, 5, 0), Vec3(1, 1, 1))); // 4 s of sparks
    game.particleSystems.push_back(new SparksParticle(Vec3(0, 5, 0), Vec3(1, 1, 1)));
    game.Update(3.9f);
    EXPECT_EQ(2u, game.particleSystems.size());
    game.particleSystems.push_back(new SparksParticle(Vec3(0, 5, 0), Vec3(1, 1, 1)));
    game.Update(0.2f);
    ASSERT_EQ(1u, game.particleSystems.size()); // the two old ones, one after the other
    EXPECT_FALSE(game.particleSystems.front()->particles.empty());
}
