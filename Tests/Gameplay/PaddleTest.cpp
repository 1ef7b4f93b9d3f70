#include "Gameplay/Ball.h"
#include "Gameplay/Extra.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/Paddle.h"

#include <gtest/gtest.h>

#include <cmath>

using GameplayTest::Count;

namespace {

const MouseButtons noButton;
const MouseButtons leftButton{true, false};

// The paddle of the built-in mesh: 3 wide, +-0.25 deep, standing at (x, y).
Paddle* addPaddle(Game& game, float x, float y)
{
    Paddle* paddle = new Paddle();
    paddle->setGame(&game);
    paddle->setPosition(Vec3(x, y, 0));
    paddle->setCollisionModel(CollisionModel(Vec3(-1.5f, -0.25f, -0.3f), Vec3(1.5f, 0.25f, 0.5f)));
    game.entityList.entities.push_back(paddle);
    return paddle;
}

Entity* addWall(Game& game, Vec3 min, Vec3 max)
{
    Entity* wall = new Entity(&game, Vec3(0, 0, 0));
    wall->setCollisionModel(CollisionModel(min, max));
    game.entityList.entities.push_back(wall);
    return wall;
}

template <typename T>
T* addMover(Game& game, T* mover, Vec3 at, Vec3 velocity)
{
    mover->setGame(&game);
    mover->setPosition(at);
    mover->setVelocity(velocity);
    game.entityList.add(mover, false);
    return mover;
}

float length(Vec3 v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

class PaddleTest : public ::testing::Test
{
protected:
    GameplayTest::World world;
    Game& game = world.game();
};

} // namespace

TEST_F(PaddleTest, MovesAtMostThreeAndNeverPartlyIntoAnObstacle)
{
    Paddle* paddle = addPaddle(game, 0, 1);
    addWall(game, Vec3(10, -4, -1), Vec3(18, 12, 1));
    paddle->onMouse(5.0f, 0, noButton); // 200 pixels
    EXPECT_EQ(Vec3(3, 1, 0), paddle->position);
    EXPECT_EQ(Vec3(1, 0, 0), paddle->velocity);
    paddle->onMouse(-5.0f, 0, noButton);
    EXPECT_EQ(Vec3(0, 1, 0), paddle->position);

    paddle->setPosition(Vec3(7, 1, 0)); // 1.5 short of the wall
    paddle->onMouse(3.0f, 0, noButton);
    EXPECT_EQ(Vec3(7, 1, 0), paddle->position);
    EXPECT_EQ(Vec3(1, 0, 0), paddle->velocity); // the wall's reflection is undone
    paddle->onMouse(1.0f, 0, noButton);
    EXPECT_EQ(Vec3(8, 1, 0), paddle->position);
}

TEST_F(PaddleTest, LaunchesOnlyWithAReserveAndNoBallInPlay)
{
    Paddle* paddle = addPaddle(game, 2, 1);
    paddle->onMouse(0, 0, noButton);
    EXPECT_EQ(0, Count<Ball>(game.entityList.entities));

    paddle->onMouse(0, 0, leftButton);
    ASSERT_EQ(1, Count<Ball>(game.entityList.entities));
    Ball* ball = dynamic_cast<Ball*>(game.entityList.entities.front());
    ASSERT_NE(nullptr, ball);
    EXPECT_EQ(Vec3(2, 2, 0), ball->position);
    EXPECT_EQ(Vec3(0, 5, 0), ball->velocity);
    EXPECT_EQ(4, game.balls);

    paddle->onMouse(0, 0, leftButton); // ball in play
    game.entityList.markForRemoval(ball);
    paddle->onMouse(0, 0, leftButton); // marked, not yet swept: still in play
    EXPECT_EQ(1, Count<Ball>(game.entityList.entities));
    EXPECT_EQ(4, game.balls);

    game.entityList.updateAll(0.02f);
    game.balls = 0;
    paddle->onMouse(0, 0, leftButton);
    EXPECT_EQ(0, Count<Ball>(game.entityList.entities));

    game.balls = 3;
    Entity* block = addWall(game, Vec3(2, 2.1f, 0), Vec3(3, 2.6f, 0.5f)); // touches the launch box
    paddle->onMouse(0, 0, leftButton);
    EXPECT_EQ(0, Count<Ball>(game.entityList.entities));
    EXPECT_EQ(3, game.balls);
    game.entityList.markForRemoval(block); // marked entities do not block a launch
    paddle->onMouse(0, 0, leftButton);
    EXPECT_EQ(1, Count<Ball>(game.entityList.entities));
    EXPECT_EQ(2, game.balls);
}

TEST_F(PaddleTest, TwoPaddlesFollowTheMouseButLaunchOneBall)
{
    Paddle* lower = addPaddle(game, 0, 1);
    Paddle* upper = addPaddle(game, 8, 11);
    addWall(game, Vec3(10, -4, -1), Vec3(18, 12, 1));
    game.HandleMouse(1.0f, 0, leftButton);
    EXPECT_EQ(Vec3(1, 1, 0), lower->position);
    EXPECT_EQ(Vec3(8, 11, 0), upper->position); // blocked by the wall on its own
    EXPECT_EQ(1, Count<Ball>(game.entityList.entities));
    EXPECT_EQ(Vec3(1, 2, 0), game.entityList.entities.front()->position);
    EXPECT_EQ(4, game.balls);
}

TEST_F(PaddleTest, ReaimsStruckBallsFasterWithAVerticalFloor)
{
    addPaddle(game, 0, 1);
    // Straight down onto the centre: straight back up, 0.333 faster.
    Ball* centre = addMover(game, new Ball(Vec3(0, -5, 0)), Vec3(0, 1.5f, 0), Vec3(0, -5, 0));
    centre->update(0.02f);
    EXPECT_EQ(Vec3(0, 1.5f, 0), centre->position);
    EXPECT_EQ(0.0f, centre->velocity.x);
    EXPECT_FLOAT_EQ(5.333f, centre->velocity.y);
    game.entityList.markForRemoval(centre);
    game.entityList.updateAll(0);

    // Nearly flat into the right side: reflected in x, still going down,
    // with the vertical share raised to the floor.
    Ball* side = addMover(game, new Ball(Vec3(0, 0, 0)), Vec3(1.71f, 1, 0), Vec3(-5, -1, 0));
    side->update(0.02f);
    const Vec3 v = side->velocity;
    EXPECT_GT(v.x, 0.0f);
    EXPECT_LT(v.y, 0.0f);
    EXPECT_NEAR(std::sqrt(26.0f) + 0.333f, length(v), 1e-4f);
    EXPECT_GE(-v.y / length(v), 0.28f);
    EXPECT_LE(-v.y / length(v), 0.3f);
}

TEST_F(PaddleTest, CatchesExtrasThatFlyIntoItButNotThoseItPushes)
{
    Paddle* paddle = addPaddle(game, 0, 1);
    Extra* pushed = new Extra();
    pushed->setCollisionModel(CollisionModel(Vec3(-0.1f, -0.1f, -0.1f), Vec3(0.1f, 0.1f, 0.1f)));
    addMover(game, pushed, Vec3(2.0f, 1, 0), Vec3(0, 0, 0));
    paddle->onMouse(1.0f, 0, noButton);
    EXPECT_EQ(Vec3(0, 1, 0), paddle->position);
    EXPECT_FALSE(pushed->removed);
    EXPECT_EQ(0, game.score);

    Extra* caught = new Extra();
    caught->setCollisionModel(CollisionModel(Vec3(-0.1f, -0.1f, -0.1f), Vec3(0.1f, 0.1f, 0.1f)));
    addMover(game, caught, Vec3(0, 1.4f, 0), Vec3(0, -16, 0));
    caught->update(0.02f);
    EXPECT_TRUE(caught->removed);
    EXPECT_EQ(8, game.score);
    EXPECT_EQ(Vec3(0, 16, 0), caught->velocity);
    game.entityList.updateAll(0.02f);
    EXPECT_EQ(0, Count<Extra>(game.entityList.findAll([](Entity* e) { return e->removed; })));
    EXPECT_EQ(1, Count<Extra>(game.entityList.entities));
}
