#include "Gameplay/ExplosionBlock.h"

#include "Core/Game.h"
#include "Effects/FireParticle.h"
#include "Effects/SmokeParticle.h"
#include "Gameplay/EntityList.h"

ExplosionBlock::ExplosionBlock()
    : Block(true)
{
}

void ExplosionBlock::hit()
{
    std::set<Entity*> struck;
    explode(struck);
}

void ExplosionBlock::explode(std::set<Entity*>& struck)
{
    entityList->markForRemoval(this);
    struck.insert(this);
    const std::list<Entity*> inReach = entityList->findWithin(isWithinRadius, position, blastRadius);
    // Marked entities are skipped, and so is whatever this chain already
    // struck: a block with hits to spare in reach of two blasts loses one.
    for (Entity* e : inReach) {
        if (e->removed || !struck.insert(e).second)
            continue;
        if (ExplosionBlock* next = dynamic_cast<ExplosionBlock*>(e))
            next->explode(struck);
        else
            e->hit();
    }
    const Vec3 at = centre();
    game->particleSystems.push_back(new SmokeParticle(at));
    game->particleSystems.push_back(new FireParticle(at, Vec3(1.0f, 1.0f, 0.0f), 3.0f));
    game->particleSystems.push_back(new FireParticle(at, Vec3(1.0f, 0.0f, 0.0f), 1.5f));
    game->sound->Play(SoundEffect::Explosion, at, 1.0f);
}
