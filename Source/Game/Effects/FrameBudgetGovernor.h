#pragma once

#include <functional>
#include <optional>
#include <vector>

/// Chooses how much of the picture to give up so that frames fit the 20 ms
/// tick, from the frame times it is told. Level 0 is the exact picture; each
/// level above gives up a little more of what the eye notices least. It only
/// ever changes how things are drawn, never the world. No GL, no clock.
class FrameBudgetGovernor
{
public:
    static constexpr int exactLevel = 0;
    static constexpr int coarsestLevel = 4;

    /// Automatic when `pinned` is empty; otherwise always that level, clamped to 0..4.
    explicit FrameBudgetGovernor(std::optional<int> pinned = std::nullopt);

    /// Told after each frame how long it took to draw, in milliseconds.
    /// Frames aim at under half the tick, so that a load that doubles at once
    /// (a chain's first explosions) still fits while the level catches up.
    /// Steps one level coarser as soon as each of the last few frames ran well
    /// over (a lone slow frame is not enough) or most of a run of frames missed
    /// the aim (a few hitches are not enough), one level finer only after a
    /// long run of frames with room to spare on average.
    void FrameTook(double milliseconds);
    /// Where play starts: from the exact level on, the first level whose trial
    /// frame meets the aim (`trial` draws one at the level given and says how
    /// many milliseconds it took); the coarsest if none does. The exact level
    /// has a second try, so that one hitch does not give up the exact picture.
    static int StartingLevel(const std::function<double(int level)>& trial);
    /// An automatic governor continues from `level` (clamped) as if it had
    /// just stepped there; a pinned one stays where it is.
    void StartAt(int level);
    int Level() const { return level; }
    bool Pinned() const { return pinned; }

    /// What the current level draws. Side of the water's off-screen images, pixels (512: exact).
    int WaterImageSize() const;
    /// The water grid drawn as a few large quads; the ripple is worked out per
    /// pixel, so only the exact picture needs the fine grid.
    bool CoarseWaterGrid() const { return level > exactLevel; }
    /// Side of the on-screen layer the translucent bursts are drawn into, as
    /// a fraction of the view's (1: straight into the frame).
    int ParticleLayerDivisor() const;
    /// The same for the water's off-screen images, as a fraction of their side.
    int WaterParticleLayerDivisor() const;
    /// Particle sprites read without mip levels, enlarged ones by their nearest texel.
    bool PlainParticleFiltering() const { return level > exactLevel; }
    /// Bursts that follow each other with the same sprite drawn in one draw.
    bool BurstsShareDraws() const { return level > exactLevel; }
    /// Game pieces drawn as their box stand-ins in the water's images, where
    /// each covers a few pixels and is rippled.
    bool WaterStandIns() const { return level > exactLevel; }
    /// Balls on screen drawn as spheres of fewer rings; at a few dozen
    /// pixels across they look the same.
    bool FewerBallRings() const { return level > exactLevel; }
    /// The sky left out below the eye's height where the ground hides it all;
    /// the same picture.
    bool SkyClippedAtTheHorizon() const { return level > exactLevel; }
    /// The visible pieces and ground drawn before the water instead of after
    /// it; where the ground meets the water at an equal depth the ground wins.
    bool SolidsBeforeWater() const { return level > exactLevel; }
    /// The water's two images rendered in turn, one per frame, while the
    /// camera holds still: the nine shots do not tell the difference.
    bool AlternateWaterImages() const { return level >= 3; }
    /// The translucent bursts in the water's images drawn with every second
    /// quad: there each covers a few of a small layer's pixels, softened and
    /// rippled, and late in a chain their hundreds of quads cost the image more
    /// than its pixels do.
    bool HalfBurstsInWaterImages() const { return level >= coarsestLevel; }

    static constexpr double overMs = 12.0;   // frames all above this step coarser
    static constexpr double aimMs = 9.0;     // most of a long run above this steps coarser
    static constexpr double roomyMs = 5.3;   // a long mean below this steps finer: 1.7 times it still meets the aim
    static constexpr int overFrames = 4;     // frames the quick coarser step looks back on
    static constexpr int aimFrames = 20;     // frames the aim's coarser step looks back on
    static constexpr int roomyFrames = 60;   // frames the finer step looks back on
    static constexpr int maxRoomyFrames = 3000; // longest wait after repeated failed steps finer (a minute)
    static constexpr int holdFrames = 1500;     // frames a finer level must last to count as holding

private:
    void Step(int by);
    double MeanOfLast(int frames) const;
    bool AllOfLastOver(int frames, double milliseconds) const;
    bool MostOfLastOver(int frames, double milliseconds) const;

    int level = exactLevel;
    bool pinned = false;
    std::vector<double> recent;      // frame times since the last step, milliseconds, oldest first
    int finerWait = roomyFrames;     // frames of room needed before stepping finer; doubles after a step back
    bool lastStepWasFiner = false;   // a coarser step that undoes a finer one doubles finerWait
    int framesAtLevel = 0;           // frames drawn since the last step
};
