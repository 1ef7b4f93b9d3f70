#include "FrameStats.h"

#include "Effects/FrameBudgetGovernor.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

/// Nearest-rank percentile, p in (0, 100].
double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    std::size_t rank = static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size()) + 0.999999);
    rank = std::min(std::max<std::size_t>(rank, 1), values.size());
    return values[rank - 1];
}

} // namespace

void FrameStats::PrintSummary() const
{
    std::vector<double> tick, render, frame;
    for (const Frame& f : frames) {
        tick.push_back(f.tickMs);
        render.push_back(f.renderMs);
        frame.push_back(f.tickMs + f.renderMs);
    }
    std::printf("frames: %zu\n", frames.size());
    std::printf("tick   ms: median %.4f  p95 %.4f  max %.4f\n", Percentile(tick, 50), Percentile(tick, 95),
                Percentile(tick, 100));
    std::printf("render ms: median %.3f  p95 %.3f  max %.3f\n", Percentile(render, 50), Percentile(render, 95),
                Percentile(render, 100));
    std::printf("frame  ms: median %.3f  p95 %.3f  max %.3f\n", Percentile(frame, 50), Percentile(frame, 95),
                Percentile(frame, 100));
    const int levels = FrameBudgetGovernor::coarsestLevel + 1;
    std::vector<int> atLevel(levels, 0);
    for (const Frame& f : frames)
        ++atLevel[std::clamp(f.budgetLevel, 0, levels - 1)];
    std::printf("frames at budget level 0..%d:", levels - 1);
    for (int count : atLevel)
        std::printf(" %d", count);
    std::printf("\n");
}

bool FrameStats::WriteCsv(const std::string& path) const
{
    std::ofstream file(path);
    if (!file)
        return false;
    file << "tick,tick_ms,render_ms,frame_ms,score,balls,level,budget_level\n";
    for (const Frame& f : frames)
        file << f.tick << ',' << f.tickMs << ',' << f.renderMs << ',' << f.tickMs + f.renderMs << ',' << f.score
             << ',' << f.balls << ',' << f.level << ',' << f.budgetLevel << '\n';
    return true;
}
