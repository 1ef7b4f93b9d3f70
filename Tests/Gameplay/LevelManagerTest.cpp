#include "Gameplay/Ball.h"
#include "Gameplay/Block.h"
#include "Gameplay/Extra.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/LauncherBlock.h"
#include "Gameplay/LevelManager.h"
#include "Gameplay/LooseZone.h"
#include "Gameplay/NormalBlock.h"
#include "Gameplay/Paddle.h"
#include "Support/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <typeinfo>

using GameplayTest::Count;

namespace {

// Owns a built level for the length of a test.
struct Level
{
    explicit Level(std::list<Entity*> built) : entities(std::move(built)) {}
    ~Level()
    {
        for (Entity* e : entities)
            delete e;
    }
    std::list<Entity*> entities;
};

bool isPlainWall(Entity* e)
{
    return typeid(*e) == typeid(Entity);
}

class LevelManagerTest : public ::testing::Test
{
protected:
    GameplayTest::World world;
    Game& game = world.game();
    LevelManager& manager = game.levelManager;
};

template <typename Tag>
std::string Info(const Exception& e)
{
    const auto* value = boost::get_error_info<Tag>(e);
    return value ? *value : std::string("<absent>");
}

} // namespace

TEST_F(LevelManagerTest, LayoutsHoldTheirBlockCountsAndRepeatEveryFiveLevels)
{
    const int blocks[5] = {35, 42, 68, 35, 47};
    for (int layout = 0; layout < 5; ++layout) {
        Level level(manager.buildLevel(layout));
        EXPECT_EQ(blocks[layout], Count<Block>(level.entities)) << "layout " << layout;
    }
    EXPECT_EQ(68, Count<Block>(Level(manager.buildLevel(7)).entities));
    EXPECT_EQ(35, Count<Block>(Level(manager.buildLevel(-5)).entities));
    EXPECT_TRUE(Level(manager.buildLevel(-3)).entities.empty()); // no frame, no paddle
}

TEST_F(LevelManagerTest, LayoutZeroPlacesItsLaunchersAndEndsWithTheFrame)
{
    Level level(manager.buildLevel(0));
    std::list<float> launcherXs;
    for (Entity* e : level.entities) {
        if (dynamic_cast<LauncherBlock*>(e)) {
            launcherXs.push_back(e->position.x);
            EXPECT_EQ(8.5f, e->position.y);
            EXPECT_TRUE(isBall(static_cast<LauncherBlock*>(e)->payload));
        }
    }
    EXPECT_EQ((std::list<float>{-5, -1, 3}), launcherXs);
    EXPECT_EQ(Vec3(-7, 8.5f, 0), level.entities.front()->position); // first row, left to right

    auto it = level.entities.end();
    std::advance(it, -5);
    ASSERT_NE(nullptr, dynamic_cast<Paddle*>(*it));
    EXPECT_EQ(Vec3(0, 1, 0), (*it)->position);
    EXPECT_EQ(-1.5f, (*it)->collisionModel.min.x); // the mesh box
    EXPECT_EQ(Vec3(-18, 12, -1), (*++it)->collisionModel.min); // top wall
    EXPECT_EQ(Vec3(-10, 12, 1), (*++it)->collisionModel.max);  // left wall
    EXPECT_EQ(Vec3(10, -4, -1), (*++it)->collisionModel.min);  // right wall
    ASSERT_NE(nullptr, dynamic_cast<LooseZone*>(*++it));
    EXPECT_EQ(Vec3(18, -4, 1), (*it)->collisionModel.max);
}

TEST_F(LevelManagerTest, LevelThreeHasTwoPaddlesTwoLooseZonesAndNoTopWall)
{
    Level level(manager.buildLevel(3));
    EXPECT_EQ(2, Count<Paddle>(level.entities));
    EXPECT_EQ(2, Count<LooseZone>(level.entities));
    int walls = 0;
    for (Entity* e : level.entities) {
        if (isPlainWall(e)) {
            ++walls;
            EXPECT_NE(12.0f, e->collisionModel.min.y);
        }
        if (dynamic_cast<LooseZone*>(e)) {
            EXPECT_TRUE(e->collisionModel.min.y == 12.0f || e->collisionModel.max.y == -4.0f);
        }
    }
    EXPECT_EQ(2, walls);
}

TEST_F(LevelManagerTest, RowsAreAtMostTwentyLettersAndFailAtTheFirstBadOne)
{
    Level owner({});
    std::list<Entity*>& row = owner.entities;
    manager.addBlockRow(4, "1>1 ", row);
    ASSERT_EQ(2u, row.size());
    EXPECT_EQ(Vec3(-10, 9, 0), row.front()->position);
    EXPECT_EQ(Vec3(-8, 9, 0), row.back()->position);
    manager.addBlockRow(0, "11111111111111111111", row);
    EXPECT_EQ(22u, row.size());
    EXPECT_EQ(Vec3(9, 11, 0), row.back()->position);

    try {
        manager.addBlockRow(0, "111111111111111111111", row);
        ADD_FAILURE() << "21 letters accepted";
    } catch (const Exception& e) {
        EXPECT_EQ("Too long Block line", Info<tag_error_message>(e));
        EXPECT_EQ(125, *boost::get_error_info<boost::throw_line>(e));
    }
    EXPECT_EQ(22u, row.size());

    try {
        manager.addBlockRow(1, "12x", row);
        ADD_FAILURE() << "x accepted";
    } catch (const Exception& e) {
        EXPECT_EQ("Invalid Block qualifier", Info<tag_error_message>(e));
        EXPECT_EQ("12x", Info<tag_error_detail>(e));
        EXPECT_EQ(222, *boost::get_error_info<boost::throw_line>(e));
        EXPECT_STREQ("LevelManager.cpp", *boost::get_error_info<boost::throw_file>(e));
    }
    ASSERT_EQ(24u, row.size());
    EXPECT_EQ(2, dynamic_cast<NormalBlock*>(row.back())->hitPoints);
    EXPECT_THROW(manager.addBlockRow(1, "e", row), Exception); // letters are case-sensitive
}

TEST_F(LevelManagerTest, APayloadDirectionIsDrawnBeforeItsBlocksWobblePhase)
{
    std::srand(11);
    const int a = std::rand() % 100, b = std::rand() % 100, phase = std::rand() % 1000;
    std::srand(11);
    Level level({});
    manager.addBlockRow(0, "S", level.entities);
    auto* launcher = dynamic_cast<LauncherBlock*>(level.entities.front());
    ASSERT_NE(nullptr, launcher);
    EXPECT_FLOAT_EQ(phase / 100.0f, launcher->phase);

    auto* extra = dynamic_cast<Extra*>(launcher->payload);
    ASSERT_NE(nullptr, extra);
    const Vec3 v = extra->velocity;
    EXPECT_NEAR(16.0f, std::sqrt(v.x * v.x + v.y * v.y), 1e-4f);
    EXPECT_GE(std::abs(v.y), 2.2f - 1e-4f);
    EXPECT_EQ(Vec3(0.1f, 0.1f, 0.1f), extra->collisionModel.max); // replaces the mesh box
    const float ax = a / 50.0f - 1.0f, by = b / 50.0f - 1.0f;
    if (std::abs(by) * 16.0f / std::sqrt(ax * ax + by * by) >= 2.2f) { // not flattened: same direction
        EXPECT_NEAR(0.0f, v.x * by - v.y * ax, 1e-3f);
    }
}
