#pragma once

#include "Assets/PieceDetail.h"

/// What one frame draws: made once a frame from the frame budget's level and
/// passed to what draws. A default-made plan is the exact picture; each
/// coarser level gives up a little more of what the eye notices least.
struct FramePlan
{
    /// The plan of frame-budget level `level` (0 exact .. 7), clamped.
    static FramePlan ForLevel(int level);

    // The view
    int viewPixels = 0; // the most pixels the 3D view is drawn at, scaled up to it in one pass; 0: all its own
    // The water
    int waterImageSize = 512;          // side of its off-screen images, pixels
    bool coarseWaterGrid = false;      // a few large quads: the ripple is worked out per pixel anyway
    bool alternateWaterImages = false; // its two images rendered in turn while the camera holds still
    bool solidsBeforeWater = false;    // visible pieces and ground sent first; where ground meets water at an equal depth the ground wins
    // The scene
    bool skyClippedAtTheHorizon = false; // the sky left out below the eye where the ground hides it all: the same picture
    PieceDetail piecesOnScreen = PieceDetail::Exact;
    PieceDetail piecesInWaterImages = PieceDetail::Exact; // there each piece covers a few rippled pixels
    // The bursts
    int particleLayerDivisor = 1;      // translucent bursts on screen drawn into a layer of 1/n of the view's side
    int waterParticleLayerDivisor = 1; // the same in the water's images, of the image's side
    bool plainParticleFiltering = false; // sprites without mip levels, enlarged ones by their nearest texel
    bool burstsShareDraws = false;     // bursts that follow each other with the same sprite in one draw
    bool halfBurstsInWaterImages = false; // translucent bursts in the images with every second quad, each as opaque as two

    static constexpr int levels = 8;

    bool operator==(const FramePlan& other) const;
    bool operator!=(const FramePlan& other) const { return !(*this == other); }
};
