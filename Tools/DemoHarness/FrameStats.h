#pragma once

#include <string>
#include <vector>

/// Per-frame figures of a harness run and their summary.
class FrameStats
{
public:
    struct Frame
    {
        int tick;
        double tickMs;   // Game::Update alone
        double renderMs; // repaint + glFinish
        int score, balls, level;
        int budgetLevel; // the frame-budget governor's level after this frame
    };

    /// Takes and touches room for `expected` frames at once, so that the
    /// harness's own records (40 bytes a tick) do not show in a soak's memory.
    explicit FrameStats(std::size_t expected)
    {
        frames.resize(expected);
        frames.clear(); // keeps the capacity
    }

    void Add(const Frame& frame) { frames.push_back(frame); }

    /// Median and 95th percentile of tick, render and whole frame (tick + render),
    /// and how many frames each frame-budget level followed.
    void PrintSummary() const;
    /// One line per frame: tick,tick_ms,render_ms,frame_ms,score,balls,level,budget_level.
    bool WriteCsv(const std::string& path) const;

private:
    std::vector<Frame> frames;
};
