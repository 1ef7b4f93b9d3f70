#pragma once

#include "Support/Vec3.h"

/// Axis-aligned box relative to its owner's position (world units).
class CollisionModel
{
public:
    CollisionModel() = default;
    CollisionModel(Vec3 min, Vec3 max) : min(min), max(max) {}
    virtual ~CollisionModel() = default;

    /// Debug outline of the box at `position`: blue edges, depth test off
    /// while drawing. Nothing in the game calls it.
    virtual void draw(Vec3 position);

    Vec3 min; // lower corner
    Vec3 max; // upper corner
};
