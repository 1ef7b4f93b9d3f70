#pragma once

#include "Gameplay/Block.h"

/// A block that takes `hitPoints` hits, tinted by the hits it has left; 1 point when it breaks.
class NormalBlock : public Block
{
public:
    explicit NormalBlock(int hitPoints);

    void drawAs(PieceDetail detail) override;
    /// Sparks in the current tint, one hit point less; at 0 marked and scored.
    /// A block already broken ignores further hits until it is swept.
    void hit() override;

    /// Colour of a block with n hit points left: white, green, red, blue,
    /// yellow for 1 to 5, grey 1/n otherwise.
    static Vec3 Tint(int n);

    int hitPoints; // hits left, 1 to 7 at construction
};
