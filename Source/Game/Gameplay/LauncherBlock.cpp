#include "Gameplay/LauncherBlock.h"

#include "Core/Game.h"
#include "Gameplay/EntityList.h"

LauncherBlock::LauncherBlock(Entity* payload)
    : Block(true)
    , payload(payload)
{
}

LauncherBlock::~LauncherBlock()
{
    delete payload;
}

void LauncherBlock::hit()
{
    entityList->markForRemoval(this);
    if (!payload)
        return;
    Entity* released = payload;
    payload = nullptr; // from here on the entity list owns it (or has deleted it)
    released->setPosition(centre());
    entityList->add(released, true);
    game->sound->Play(SoundEffect::Release, centre(), 1.0f);
}
