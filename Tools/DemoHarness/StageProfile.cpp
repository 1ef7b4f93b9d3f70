#include <GL/glew.h>

#include "StageProfile.h"

#include <cstdio>

namespace {

// Stages in frame order; the game's hook names them.
const std::vector<std::string> sceneStages = {"set-up", "entities", "terrain", "sky", "trees", "particles"};
const std::vector<std::string> passes = {"reflection", "refraction", "water", "visible", "end of frame"};

} // namespace

void StageProfile::BeginFrame()
{
    recording = true;
    ++frames;
    clock.start();
}

void StageProfile::EndStage(const std::string& stage, const std::string& pass)
{
    if (!recording)
        return;
    glFinish();
    const std::string row = stage == "water" ? "water" : pass;
    total[row][stage] += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.start();
}

void StageProfile::EndFrame()
{
    recording = false;
    glFinish();
    total["end of frame"]["swap"] += static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void StageProfile::Print() const
{
    if (frames == 0)
        return;
    std::printf("stage ms per frame (mean of %d frames, glFinish after each stage)\n%-13s", frames, "pass");
    for (const std::string& stage : sceneStages)
        std::printf(" %9s", stage.c_str());
    std::printf(" %9s\n", "total");
    double frameTotal = 0.0;
    for (const std::string& row : passes) {
        const auto found = total.find(row);
        if (found == total.end())
            continue;
        std::printf("%-13s", row.c_str());
        double sum = 0.0;
        for (const auto& stage : found->second)
            sum += stage.second / frames;
        for (const std::string& stage : sceneStages) {
            const auto cell = found->second.find(stage);
            if (cell == found->second.end())
                std::printf(" %9s", "");
            else
                std::printf(" %9.3f", cell->second / frames);
        }
        std::printf(" %9.3f\n", sum);
        frameTotal += sum;
    }
    std::printf("%-13s %69.3f\n", "all stages", frameTotal);
}
