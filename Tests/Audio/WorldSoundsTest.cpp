// Which acts of the world are heard, where, and how often.
#include "Audio/SilentSound.h"
#include "Gameplay/Ball.h"
#include "Gameplay/ExplosionBlock.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/LooseZone.h"
#include "Gameplay/NormalBlock.h"
#include "Support/ConfigFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Heard
{
    SoundEffect effect;
    Vec3 where;
    float pitch;
};

// Keeps what the world reports.
struct Recorder : SilentSound
{
    explicit Recorder(std::vector<Heard>& heard) : heard(heard) {}
    void Play(SoundEffect effect, Vec3 where, float pitch) override { heard.push_back({effect, where, pitch}); }
    std::vector<Heard>& heard;
};

class WorldSounds : public ::testing::Test
{
protected:
    void SetUp() override { game.UseSound(std::make_unique<Recorder>(heard)); }

    template <typename T>
    T* Add(T* e, Vec3 at)
    {
        e->setGame(&game);
        e->setPosition(at);
        e->setCollisionModel(CollisionModel(Vec3(0, 0, 0), Vec3(1, 0.5f, 0.5f)));
        game.entityList.entities.push_back(e);
        return e;
    }

    GameplayTest::World world;
    Game& game = world.game();
    std::vector<Heard> heard;
};

} // namespace

TEST_F(WorldSounds, BlocksRingHigherWithMoreHitsLeftAndEachStickOfAChainExplodesWhereItLies)
{
    Add(new NormalBlock(2), Vec3(-8, 0, 0))->hit();
    Add(new NormalBlock(4), Vec3(-6, 0, 0))->hit();
    ExplosionBlock* first = Add(new ExplosionBlock(), Vec3(4, 0, 0));
    Add(new ExplosionBlock(), Vec3(5, 0, 0));
    Add(new NormalBlock(1), Vec3(4, 1, 0));
    first->hit();
    ASSERT_EQ(5u, heard.size());
    EXPECT_EQ(SoundEffect::BlockHit, heard[0].effect);
    EXPECT_LT(heard[0].pitch, heard[1].pitch) << "one hit left against three";
    EXPECT_EQ(Vec3(-7.5f, 0.25f, 0.25f), heard[0].where) << "the block's centre";
    // The first blast sets off the second stick, whose own blast breaks the
    // block; each stick is heard where it lies once its blast is done.
    EXPECT_EQ(SoundEffect::BlockBreak, heard[2].effect);
    EXPECT_EQ(SoundEffect::Explosion, heard[3].effect);
    EXPECT_EQ(Vec3(5.5f, 0.25f, 0.25f), heard[3].where);
    EXPECT_EQ(SoundEffect::Explosion, heard[4].effect);
    EXPECT_EQ(Vec3(4.5f, 0.25f, 0.25f), heard[4].where);
}

TEST_F(WorldSounds, ALostBallAndTheLossAreEachHeardOnce)
{
    game.StartGame();
    game.balls = 0;
    Ball* ball = new Ball(Vec3(0, 0, 0));
    ball->setGame(&game);
    game.entityList.entities.push_back(ball);
    LooseZone zone(&game, CollisionModel(Vec3(-1, -1, -1), Vec3(1, 1, 1)));
    zone.onCollision(ball);
    zone.onCollision(ball); // still there until the sweep
    for (int tick = 0; tick < 3; ++tick)
        game.Update(0.02f);
    ASSERT_EQ(2u, heard.size());
    EXPECT_EQ(SoundEffect::BallLost, heard[0].effect);
    EXPECT_EQ(SoundEffect::GameOver, heard[1].effect);
}


TEST(SoundSettings, AbsentOrUnreadableKeysKeepTheDefaultAndVolumesAreClamped)
{
    TestSupport::TempDir dir;
    const auto gain = [&dir](const std::string& text) {
        TestSupport::WriteFile(dir / "Config.cfg", "StartLevel=0\n" + text);
        return SoundSettings::Read(ConfigFile(dir / "Config.cfg")).Gain();
    };
    EXPECT_FLOAT_EQ(0.7f, gain(""));
    EXPECT_FLOAT_EQ(0.7f, gain("SoundVolume=loud\nSoundMute=yes\n"));
    EXPECT_FLOAT_EQ(0.25f, gain("SoundVolume=25\n"));
    EXPECT_FLOAT_EQ(1.0f, gain("SoundVolume=250\nSoundMute=0\n"));
    EXPECT_FLOAT_EQ(0.0f, gain("SoundVolume=25\nSoundMute=1\n"));
}
