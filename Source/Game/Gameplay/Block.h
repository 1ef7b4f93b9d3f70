#pragma once

#include "Gameplay/Entity.h"

/// A target of the playing field: stands still, wobbles, and is hit when a ball flies into it.
class Block : public Entity
{
public:
    /// Draws the wobble phase from rand().
    explicit Block(bool required);

    /// The mesh, tilted by the wobble.
    void drawAs(PieceDetail detail) override;
    /// `hit` when a ball struck; extras and paddles are just stopped.
    void onCollision(Entity* other) override;
    /// Advances the wobble.
    void update(float dt) override;

    /// position + half the box size: where particles and payloads appear.
    Vec3 centre() const;

    bool required;     // must be destroyed to complete the level
    float phase;       // wobble phase, starts at 0.00 .. 9.99; advances 3 per second
};
