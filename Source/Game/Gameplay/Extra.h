#pragma once

#include "Gameplay/Entity.h"

/// A bonus that flies straight and bounces off everything; caught by the paddle for 8 points.
class Extra : public MoveableEntity
{
public:
    Extra() = default;

    void update(float dt) override;
};
