#include "Gameplay/LooseZone.h"

#include "Core/Game.h"
#include "Gameplay/EntityList.h"
#include "Gameplay/Extra.h"

LooseZone::LooseZone(Game* game, CollisionModel box)
    : Entity(game, Vec3(0.0f, 0.0f, 0.0f))
{
    collisionModel = box;
}

void LooseZone::onCollision(Entity* other)
{
    if (isBall(other) && !other->removed)
        game->sound->Play(SoundEffect::BallLost, other->position, 1.0f);
    if (isBall(other) || dynamic_cast<Extra*>(other))
        entityList->markForRemoval(other);
}
