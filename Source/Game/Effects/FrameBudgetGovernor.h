#pragma once

#include "Effects/FramePlan.h"

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
    static constexpr int coarsestLevel = FramePlan::levels - 1;

    /// Automatic when `pinned` is empty; otherwise always that level, clamped to 0..7.
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

    /// What a frame draws at the current level; level 0's is the exact picture.
    FramePlan Plan() const { return FramePlan::ForLevel(level); }

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
