#pragma once

#include "Gameplay/Entity.h"

/// An invisible box that takes every ball and extra touching it out of play.
class LooseZone : public Entity
{
public:
    LooseZone(Game* game, CollisionModel box);

    void onCollision(Entity* other) override;
};
