#include "Effects/FrameBudgetGovernor.h"

#include <gtest/gtest.h>

namespace {

void Feed(FrameBudgetGovernor& governor, int frames, double milliseconds)
{
    for (int i = 0; i < frames; ++i)
        governor.FrameTook(milliseconds);
}

} // namespace

TEST(FrameBudgetGovernor, APinnedLevelIsClampedAndNeverMoves)
{
    for (const auto& [asked, kept] : {std::pair{-2, 0}, {2, 2}, {9, 3}}) {
        FrameBudgetGovernor governor(asked);
        Feed(governor, 100, 80.0);
        EXPECT_EQ(kept, governor.Level()) << asked;
        Feed(governor, 2000, 1.0);
        EXPECT_EQ(kept, governor.Level()) << asked;
    }
}

TEST(FrameBudgetGovernor, FramesThatFitNeverLeaveTheExactPicture)
{
    FrameBudgetGovernor governor;
    Feed(governor, 3, 100.0); // a slow start alone is not enough
    Feed(governor, 5000, 14.0);
    EXPECT_EQ(0, governor.Level());
}

TEST(FrameBudgetGovernor, StepsCoarserQuicklyAndFinerOnlyAfterALongRunWithRoom)
{
    FrameBudgetGovernor governor;
    Feed(governor, 4, 30.0);
    EXPECT_EQ(1, governor.Level());
    Feed(governor, 3, 30.0);
    EXPECT_EQ(1, governor.Level()) << "frames of the old level count for the new one";
    Feed(governor, 1, 30.0);
    EXPECT_EQ(2, governor.Level());
    Feed(governor, 4, 30.0);
    EXPECT_EQ(3, governor.Level());
    Feed(governor, 4, 30.0);
    EXPECT_EQ(3, governor.Level()) << "there is no coarser level";
    Feed(governor, 55, 5.0);
    EXPECT_EQ(3, governor.Level());
    Feed(governor, 1, 5.0); // the mean of the last 60 frames is now under 8.5 ms
    EXPECT_EQ(2, governor.Level());
    Feed(governor, 1000, 10.0); // fits, but without the room a finer level needs
    EXPECT_EQ(2, governor.Level());
}

TEST(FrameBudgetGovernor, AFinerStepThatAtOnceRunsOverWaitsTwiceAsLongNextTime)
{
    FrameBudgetGovernor governor;
    Feed(governor, 4, 30.0);
    Feed(governor, 60, 5.0);
    ASSERT_EQ(0, governor.Level());
    Feed(governor, 4, 30.0); // the exact picture does not fit after all
    ASSERT_EQ(1, governor.Level());
    Feed(governor, 119, 5.0);
    EXPECT_EQ(1, governor.Level());
    Feed(governor, 1, 5.0);
    EXPECT_EQ(0, governor.Level());
}

TEST(FrameBudgetGovernor, EachLevelGivesUpMoreAndLevelZeroIsTheExactPicture)
{
    FrameBudgetGovernor exact(0);
    EXPECT_EQ(512, exact.WaterImageSize());
    EXPECT_EQ(1, exact.WaterGridStep());
    EXPECT_EQ(1, exact.ParticleShare());
    EXPECT_FALSE(exact.PlainParticleFiltering());
    for (int level = 1; level <= FrameBudgetGovernor::coarsestLevel; ++level) {
        const FrameBudgetGovernor finer(level - 1), coarser(level);
        EXPECT_LE(coarser.WaterImageSize(), finer.WaterImageSize()) << level;
        EXPECT_GE(coarser.WaterGridStep(), finer.WaterGridStep()) << level;
        EXPECT_GE(coarser.ParticleShare(), finer.ParticleShare()) << level;
        EXPECT_TRUE(coarser.PlainParticleFiltering()) << level;
    }
}
