#include "Effects/FramePlan.h"

#include <algorithm>
#include <tuple>

namespace {

const int windowViewPixels = 782 * 517; // the 3D view of an 800 x 600 window, below the menu and above the head-up bar

auto Fields(const FramePlan& p)
{
    return std::tie(p.viewPixels, p.waterImageSize, p.coarseWaterGrid, p.alternateWaterImages, p.solidsBeforeWater,
                    p.skyClippedAtTheHorizon, p.piecesOnScreen, p.piecesInWaterImages, p.particleLayerDivisor,
                    p.waterParticleLayerDivisor, p.plainParticleFiltering, p.burstsShareDraws,
                    p.halfBurstsInWaterImages);
}

} // namespace

FramePlan FramePlan::ForLevel(int level)
{
    // Each level keeps what the one before gave up and gives up more: first
    // what costs a software renderer most and shows least.
    level = std::clamp(level, 0, levels - 1);
    FramePlan plan;
    if (level >= 1) {
        // The same picture for less work, or differences a few pixels wide.
        plan.waterImageSize = 384;
        plan.coarseWaterGrid = true;
        plan.solidsBeforeWater = true;
        plan.skyClippedAtTheHorizon = true;
        plan.piecesOnScreen = PieceDetail::FewerBallRings;
        plan.piecesInWaterImages = PieceDetail::BoxStandIns;
        // The soft sprites lose little at half the size.
        plan.particleLayerDivisor = 2;
        plan.waterParticleLayerDivisor = 2;
        plan.plainParticleFiltering = true;
        plan.burstsShareDraws = true;
    }
    if (level >= 2)
        plan.waterImageSize = 256;
    if (level >= 3) {
        plan.waterImageSize = 128;
        plan.alternateWaterImages = true;
        plan.particleLayerDivisor = 4; // a sixteenth of the pixels
    }
    if (level >= 4) {
        // Late in a chain, hundreds of wide, faint puffs of old smoke cover the
        // view many times over, and their haze is smooth.
        plan.particleLayerDivisor = 8;
        plan.waterParticleLayerDivisor = 4;
        plan.halfBurstsInWaterImages = true;
    }
    // Almost all of a frame's cost is per pixel, so a large window costs what
    // its area does. Past this, the 3D view is drawn at fewer pixels and scaled
    // up, down to the pixels of the view in the game's own 800 x 600 window
    // and never below: a view that size or smaller is never scaled. Large windows lose
    // least by it, since there the eye sees each pixel least.
    const int viewPixels[levels] = {0, 0, 0, 0, 0, 1000000, 700000, windowViewPixels};
    plan.viewPixels = viewPixels[level];
    return plan;
}

bool FramePlan::operator==(const FramePlan& other) const
{
    return Fields(*this) == Fields(other);
}
