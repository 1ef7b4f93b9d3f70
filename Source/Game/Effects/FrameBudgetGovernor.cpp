#include "Effects/FrameBudgetGovernor.h"

#include <algorithm>
#include <numeric>

FrameBudgetGovernor::FrameBudgetGovernor(std::optional<int> pinnedLevel)
{
    if (pinnedLevel) {
        pinned = true;
        level = std::clamp(*pinnedLevel, exactLevel, coarsestLevel);
    }
}

void FrameBudgetGovernor::FrameTook(double milliseconds)
{
    if (pinned)
        return;
    recent.push_back(milliseconds);
    ++framesAtLevel;
    const int count = static_cast<int>(recent.size());
    const bool over = count >= overFrames && AllOfLastOver(overFrames, overMs);
    const bool missingTheAim = count >= aimFrames && MostOfLastOver(aimFrames, aimMs);
    if (level < coarsestLevel && (over || missingTheAim))
        Step(+1);
    else if (level > exactLevel && count >= finerWait && MeanOfLast(finerWait) < roomyMs)
        Step(-1);
    else if (count >= maxRoomyFrames)
        recent.erase(recent.begin(), recent.end() - finerWait); // keep what the next decision reads
}

int FrameBudgetGovernor::StartingLevel(const std::function<double(int level)>& trial)
{
    if (trial(exactLevel) <= aimMs || trial(exactLevel) <= aimMs)
        return exactLevel;
    for (int level = exactLevel + 1; level < coarsestLevel; ++level)
        if (trial(level) <= aimMs)
            return level;
    return coarsestLevel;
}

void FrameBudgetGovernor::StartAt(int startingLevel)
{
    if (pinned)
        return;
    *this = FrameBudgetGovernor();
    level = std::clamp(startingLevel, exactLevel, coarsestLevel);
}

void FrameBudgetGovernor::Step(int by)
{
    // A finer level that does not hold (a load that runs over now and then
    // there, though the coarser level has room on average) is tried again only
    // after twice as long a wait, so the picture does not flip between two
    // levels every few seconds.
    if (by > 0 && lastStepWasFiner && framesAtLevel < holdFrames)
        finerWait = std::min(finerWait * 2, maxRoomyFrames);
    else if (by > 0)
        finerWait = roomyFrames;
    lastStepWasFiner = by < 0;
    level += by;
    framesAtLevel = 0;
    recent.clear(); // frames drawn at the old level say nothing about the new one
}

double FrameBudgetGovernor::MeanOfLast(int frames) const
{
    const double sum = std::accumulate(recent.end() - frames, recent.end(), 0.0);
    return sum / frames;
}

bool FrameBudgetGovernor::AllOfLastOver(int frames, double milliseconds) const
{
    return std::all_of(recent.end() - frames, recent.end(), [milliseconds](double ms) { return ms > milliseconds; });
}

bool FrameBudgetGovernor::MostOfLastOver(int frames, double milliseconds) const
{
    const auto over =
        std::count_if(recent.end() - frames, recent.end(), [milliseconds](double ms) { return ms > milliseconds; });
    return 2 * over > frames;
}
