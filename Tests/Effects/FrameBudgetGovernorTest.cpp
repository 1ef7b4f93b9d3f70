#include "Effects/FrameBudgetGovernor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

int LevelAfter(FrameBudgetGovernor& governor, int frames, double milliseconds)
{
    for (int i = 0; i < frames; ++i)
        governor.FrameTook(milliseconds);
    return governor.Level();
}

/// The level play starts at and the levels tried, trial frames taking `frames` in turn.
std::pair<int, std::vector<int>> StartWith(const std::vector<double>& frames)
{
    std::vector<int> tried;
    const int level = FrameBudgetGovernor::StartingLevel([&frames, &tried](int level) {
        tried.push_back(level);
        return frames.at(tried.size() - 1); // throws, failing the test, on a trial too many
    });
    return {level, tried};
}

} // namespace

TEST(FrameBudgetGovernor, APinnedLevelIsClampedAndNeverMoves)
{
    for (const auto& [asked, kept] : {std::pair{-2, 0}, {2, 2}, {9, 7}}) {
        FrameBudgetGovernor governor(asked);
        EXPECT_EQ(kept, LevelAfter(governor, 100, 80.0)) << asked;
        EXPECT_EQ(kept, LevelAfter(governor, 2000, 1.0)) << asked;
    }
}

TEST(FrameBudgetGovernor, StepsCoarserQuicklyAndFinerOnlyAfterALongRunWithRoom)
{
    FrameBudgetGovernor governor;
    EXPECT_EQ(0, LevelAfter(governor, 3, 100.0)) << "a slow start alone is not enough";
    EXPECT_EQ(0, LevelAfter(governor, 5000, 8.5)) << "frames that meet the aim keep the exact picture";
    EXPECT_EQ(1, LevelAfter(governor, 4, 30.0));
    EXPECT_EQ(1, LevelAfter(governor, 3, 30.0)) << "frames of the old level count for the new one";
    EXPECT_EQ(7, LevelAfter(governor, 25, 30.0)) << "there is no level beyond 7";
    EXPECT_EQ(7, LevelAfter(governor, 55, 3.0));
    EXPECT_EQ(6, LevelAfter(governor, 1, 3.0)) << "the mean of the last 60 frames is now under 5.3 ms";
    EXPECT_EQ(6, LevelAfter(governor, 1000, 7.0)) << "meets the aim, but without the room a finer level needs";
}

TEST(FrameBudgetGovernor, FramesThatMostlyMissTheAimStepCoarserThoughNoneRunsFarOver)
{
    FrameBudgetGovernor governor;
    for (int frame = 0; frame < 19; ++frame)
        governor.FrameTook(frame % 3 ? 10.0 : 7.0);
    EXPECT_EQ(0, governor.Level()) << "too few frames to judge";
    governor.FrameTook(10.0);
    EXPECT_EQ(1, governor.Level()) << "14 of the last 20 frames over 9 ms";
    for (int frame = 0; frame < 200; ++frame)
        governor.FrameTook(frame % 2 ? 10.0 : 7.0);
    EXPECT_EQ(1, governor.Level()) << "half of them is not most";
}

TEST(FrameBudgetGovernor, AFinerStepThatAtOnceRunsOverWaitsTwiceAsLongNextTime)
{
    FrameBudgetGovernor governor;
    LevelAfter(governor, 4, 30.0);
    ASSERT_EQ(0, LevelAfter(governor, 60, 5.0));
    ASSERT_EQ(1, LevelAfter(governor, 4, 30.0));
    EXPECT_EQ(1, LevelAfter(governor, 119, 5.0));
    EXPECT_EQ(0, LevelAfter(governor, 1, 5.0));
}

TEST(FrameBudgetGovernor, ALoadThatRunsOverNowAndThenAtTheFinerLevelDoesNotMakeItFlip)
{
    // Exact frames take 4 ms but 20 ms four frames in every 80; level 1 has
    // room throughout. Each return to the exact picture fails within 80 frames.
    FrameBudgetGovernor governor;
    int changes = 0, changesInLastHalf = 0;
    const int frames = 30000; // ten minutes of ticks
    for (int frame = 0; frame < frames; ++frame) {
        const int before = governor.Level();
        governor.FrameTook(before == 0 && frame % 80 < 4 ? 20.0 : 4.0);
        const bool changed = governor.Level() != before;
        changes += changed;
        changesInLastHalf += changed && frame >= frames / 2;
    }
    EXPECT_LE(changes, 32) << "every 80 frames was 750 changes";
    EXPECT_LE(changesInLastHalf, 10) << "at most a try a minute once the wait is longest";
}

TEST(FrameBudgetGovernor, PlayStartsAtTheFirstLevelWhoseTrialFrameMeetsTheAim)
{
    using Tried = std::vector<int>;
    EXPECT_EQ(std::make_pair(0, Tried{0}), StartWith({2.0})) << "a fast renderer keeps the exact picture";
    EXPECT_EQ(std::make_pair(0, Tried{0, 0}), StartWith({30.0, 8.9})) << "one hitch is not enough";
    EXPECT_EQ(std::make_pair(2, Tried{0, 0, 1, 2}), StartWith({24.0, 23.0, 12.0, 8.5}));
    EXPECT_EQ(std::make_pair(7, Tried{0, 0, 1, 2, 3, 4, 5, 6}), StartWith({50, 50, 40, 30, 20, 15, 12, 10}))
        << "the coarsest needs no trial";
}

TEST(FramePlan, LevelZeroIsTheExactPictureAndEachLevelKeepsWhatTheFinerGaveUpAndGivesUpMore)
{
    EXPECT_EQ(FramePlan(), FramePlan::ForLevel(0));
    EXPECT_EQ(FramePlan(), FrameBudgetGovernor(0).Plan());
    EXPECT_EQ(FramePlan::ForLevel(7), FrameBudgetGovernor(9).Plan()) << "a pinned level is clamped";
    const auto atLeast = [](PieceDetail coarser, PieceDetail finer) { return coarser >= finer; };
    for (int level = 1; level <= FrameBudgetGovernor::coarsestLevel; ++level) {
        const FramePlan finer = FramePlan::ForLevel(level - 1), coarser = FramePlan::ForLevel(level);
        EXPECT_NE(finer, coarser) << "level " << level << " gives up nothing more";
        const auto pixels = [](const FramePlan& plan) { return plan.viewPixels ? plan.viewPixels : INT_MAX; };
        EXPECT_LE(pixels(coarser), pixels(finer)) << level;
        EXPECT_LE(coarser.waterImageSize, finer.waterImageSize) << level;
        EXPECT_GE(coarser.particleLayerDivisor, finer.particleLayerDivisor) << level;
        EXPECT_GE(coarser.waterParticleLayerDivisor, finer.waterParticleLayerDivisor) << level;
        for (const auto& [c, f] : {std::pair{coarser.coarseWaterGrid, finer.coarseWaterGrid},
                                   {coarser.alternateWaterImages, finer.alternateWaterImages},
                                   {coarser.solidsBeforeWater, finer.solidsBeforeWater},
                                   {coarser.skyClippedAtTheHorizon, finer.skyClippedAtTheHorizon},
                                   {coarser.plainParticleFiltering, finer.plainParticleFiltering},
                                   {coarser.burstsShareDraws, finer.burstsShareDraws},
                                   {coarser.halfBurstsInWaterImages, finer.halfBurstsInWaterImages}})
            EXPECT_GE(c, f) << "level " << level << " draws again what a finer one gave up";
        EXPECT_TRUE(atLeast(coarser.piecesOnScreen, finer.piecesOnScreen)) << level;
        EXPECT_TRUE(atLeast(coarser.piecesInWaterImages, finer.piecesInWaterImages)) << level;
    }
}
