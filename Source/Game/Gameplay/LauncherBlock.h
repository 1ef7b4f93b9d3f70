#pragma once

#include "Gameplay/Block.h"

/// A block that releases the ball or extra it holds when it is struck.
class LauncherBlock : public Block
{
public:
    /// Takes ownership of `payload`.
    explicit LauncherBlock(Entity* payload);
    /// Deletes a payload that was never released.
    ~LauncherBlock() override;

    /// Marks itself and releases the payload at its centre, once; a payload
    /// whose box would overlap a live entity there is discarded.
    void hit() override;

    Entity* payload; // owning until released, then null (the entity list owns it)
};
