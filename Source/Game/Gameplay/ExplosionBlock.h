#pragma once

#include "Gameplay/Block.h"

#include <set>

/// Dynamite: breaks on the first hit and strikes every entity within `blastRadius`.
class ExplosionBlock : public Block
{
public:
    ExplosionBlock();

    /// Marks itself, strikes each unmarked entity within reach (other
    /// explosion blocks go off at once, depth first), then smoke and two fires.
    /// One chain strikes every entity at most once.
    void hit() override;

    float blastRadius = 2.5f; // world units, position to position, exclusive

private:
    void explode(std::set<Entity*>& struck);
};
