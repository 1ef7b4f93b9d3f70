#pragma once

#include "Gameplay/Entity.h"

/// The player's bat: moves sideways with the mouse, launches balls, re-aims
/// balls that strike it and catches extras.
class Paddle : public MoveableEntity
{
public:
    Paddle() = default;

    /// Moves by dx (clamped to +-3) unless the moved box would overlap
    /// anything; then launches a ball on a held left button when one is in
    /// reserve and none is in play. dy is not used.
    void onMouse(float dx, float dy, MouseButtons buttons) override;
    /// Re-aims a ball by where it struck (+0.333 speed); catches an extra for 8.
    void onCollision(Entity* other) override;

private:
    void launchBall();
    void reaim(MoveableEntity* ball);
};
