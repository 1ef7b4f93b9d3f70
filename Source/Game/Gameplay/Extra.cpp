#include "Gameplay/Extra.h"

#include "Gameplay/EntityList.h"

void Extra::update(float dt)
{
    entityList->moveWithCollision(this, dt);
}
