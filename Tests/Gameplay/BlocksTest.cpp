#include "Effects/FireParticle.h"
#include "Effects/SmokeParticle.h"
#include "Effects/SparksParticle.h"
#include "Gameplay/Ball.h"
#include "Gameplay/ExplosionBlock.h"
#include "Gameplay/Extra.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/LauncherBlock.h"
#include "Gameplay/NormalBlock.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const CollisionModel blockBox(Vec3(0, 0, 0), Vec3(1, 0.5f, 0.5f));

// An extra that counts its destruction.
class CountedExtra : public Extra
{
public:
    CountedExtra(Game& game, int& deaths) : deaths(deaths)
    {
        setGame(&game);
        collisionModel = CollisionModel(Vec3(-0.1f, -0.1f, -0.1f), Vec3(0.1f, 0.1f, 0.1f));
    }
    ~CountedExtra() override { ++deaths; }
    int& deaths;
};

class BlocksTest : public ::testing::Test
{
protected:
    template <typename T>
    T* add(T* block, Vec3 at)
    {
        block->setGame(&game);
        block->setPosition(at);
        block->setCollisionModel(blockBox);
        game.entityList.entities.push_back(block);
        return block;
    }

    bool contains(Entity* e) const
    {
        const auto& all = game.entityList.entities;
        return std::count(all.begin(), all.end(), e) == 1;
    }

    GameplayTest::World world;
    Game& game = world.game();
};

} // namespace

TEST_F(BlocksTest, NormalBlockTintsByHitsLeftAndScoresOnceWhenBroken)
{
    EXPECT_EQ(Vec3(1, 1, 1), NormalBlock::Tint(1));
    EXPECT_EQ(Vec3(0.5f, 1, 0.5f), NormalBlock::Tint(2));
    EXPECT_EQ(Vec3(1, 0.5f, 0.5f), NormalBlock::Tint(3));
    EXPECT_EQ(Vec3(0.5f, 0.5f, 1), NormalBlock::Tint(4));
    EXPECT_EQ(Vec3(1, 1, 0.5f), NormalBlock::Tint(5));
    EXPECT_EQ(Vec3(1.0f / 6, 1.0f / 6, 1.0f / 6), NormalBlock::Tint(6));
    EXPECT_EQ(Vec3(1.0f / 7, 1.0f / 7, 1.0f / 7), NormalBlock::Tint(7));

    // Sparks take the tint before the hit: red, green, white.
    NormalBlock* block = add(new NormalBlock(3), Vec3(2, 5, 0));
    const Vec3 sparks[3] = {Vec3(1, 0.5f, 0.5f), Vec3(0.5f, 1, 0.5f), Vec3(1, 1, 1)};
    for (int hit = 0; hit < 3; ++hit) {
        EXPECT_FALSE(block->removed);
        EXPECT_EQ(0, game.score);
        block->hit();
        EXPECT_EQ(2 - hit, block->hitPoints);
        ASSERT_EQ(hit + 1u, game.particleSystems.size());
        auto* burst = dynamic_cast<SparksParticle*>(game.particleSystems.back());
        ASSERT_NE(nullptr, burst);
        EXPECT_EQ(sparks[hit], Vec3(burst->color[0], burst->color[1], burst->color[2]));
        EXPECT_EQ(Vec3(2.5f, 5.25f, 0.25f), burst->position); // the block's centre
    }
    EXPECT_TRUE(block->removed);
    EXPECT_EQ(1, game.score);

    block->hit(); // a second ball in the same tick
    EXPECT_EQ(3u, game.particleSystems.size());
    EXPECT_EQ(1, game.score);
    EXPECT_EQ(1u, game.entityList.removals.size());
}

TEST_F(BlocksTest, OnlyBallsStrikeABlock)
{
    NormalBlock* block = add(new NormalBlock(2), Vec3(0, 5, 0));
    Extra* extra = new Extra();
    extra->setGame(&game);
    extra->setCollisionModel(CollisionModel(Vec3(-0.1f, -0.1f, -0.1f), Vec3(0.1f, 0.1f, 0.1f)));
    extra->setPosition(Vec3(0.5f, 4.85f, 0));
    extra->setVelocity(Vec3(0, 5, 0));
    game.entityList.add(extra, false);
    extra->update(0.02f);
    EXPECT_EQ(2, block->hitPoints);
    EXPECT_EQ(Vec3(0, -5, 0), extra->velocity);

    Ball* ball = new Ball(Vec3(0, 5, 0));
    ball->setGame(&game);
    ball->setPosition(Vec3(0.1f, 4.75f, 0));
    game.entityList.add(ball, false);
    ball->update(0.02f);
    EXPECT_EQ(1, block->hitPoints);
}

TEST_F(BlocksTest, ABlastReachesStrictlyLessThanTwoAndAHalf)
{
    ExplosionBlock* first = add(new ExplosionBlock(), Vec3(0, 5, 0));
    ExplosionBlock* near = add(new ExplosionBlock(), Vec3(2.4f, 5, 0));
    ExplosionBlock* far = add(new ExplosionBlock(), Vec3(-2.5f, 5, 0));
    first->hit();
    EXPECT_TRUE(first->removed);
    EXPECT_TRUE(near->removed);
    EXPECT_FALSE(far->removed);
    EXPECT_EQ(6u, game.particleSystems.size());
    EXPECT_EQ(0, game.score);
}

TEST_F(BlocksTest, AChainExplodesEachBlockOnceWithinOneHit)
{
    ExplosionBlock* chain[4];
    for (int i = 0; i < 4; ++i)
        chain[i] = add(new ExplosionBlock(), Vec3(2.0f * i, 5, 0));
    NormalBlock* between = add(new NormalBlock(3), Vec3(3, 5, 0)); // within reach of three of them
    Ball* ball = new Ball(Vec3(1, 2, 0));
    ball->setGame(&game);
    ball->setPosition(Vec3(1, 4, 0));
    game.entityList.add(ball, false);

    chain[0]->hit();
    for (ExplosionBlock* block : chain)
        EXPECT_TRUE(block->removed);
    EXPECT_EQ(2, between->hitPoints);
    EXPECT_EQ(4u * 3u + 1u, game.particleSystems.size());
    int smokes = 0, fires = 0;
    for (ParticleSystem* system : game.particleSystems) {
        smokes += dynamic_cast<SmokeParticle*>(system) ? 1 : 0;
        fires += dynamic_cast<FireParticle*>(system) ? 1 : 0;
    }
    EXPECT_EQ(4, smokes);
    EXPECT_EQ(8, fires);
    EXPECT_FALSE(ball->removed);
    EXPECT_EQ(Vec3(1, 2, 0), ball->velocity);
    EXPECT_EQ(4u, game.entityList.removals.size());
}

TEST_F(BlocksTest, ALauncherReleasesItsPayloadOnceAtItsCentre)
{
    int deaths = 0;
    CountedExtra* payload = new CountedExtra(game, deaths);
    LauncherBlock* launcher = add(new LauncherBlock(payload), Vec3(-5, 8.5f, 0));
    launcher->hit();
    launcher->hit();
    EXPECT_TRUE(launcher->removed);
    EXPECT_TRUE(contains(payload));
    EXPECT_EQ(payload, game.entityList.entities.front());
    EXPECT_EQ(Vec3(-4.5f, 8.75f, 0.25f), payload->position);
    EXPECT_EQ(1u, game.entityList.removals.size());
    game.entityList.updateAll(0); // the launcher goes, the payload stays
    EXPECT_TRUE(contains(payload));
    game.entityList.deleteAll();
    EXPECT_EQ(1, deaths);

    // Blocked at its centre: the payload is discarded, the block goes all the same.
    CountedExtra* blocked = new CountedExtra(game, deaths);
    LauncherBlock* walled = add(new LauncherBlock(blocked), Vec3(0, 5, 0));
    add(new NormalBlock(1), Vec3(0.5f, 5.2f, 0));
    walled->hit();
    EXPECT_EQ(2, deaths);
    EXPECT_TRUE(walled->removed);

    // Never struck: deleted with its block.
    add(new LauncherBlock(new CountedExtra(game, deaths)), Vec3(5, 5, 0));
    game.entityList.deleteAll();
    EXPECT_EQ(3, deaths);
}
