#include <GL/glew.h>

#include "Gameplay/NormalBlock.h"

#include "Core/Game.h"
#include "Effects/SparksParticle.h"
#include "Gameplay/EntityList.h"

NormalBlock::NormalBlock(int hitPoints)
    : Block(true)
    , hitPoints(hitPoints)
{
}

Vec3 NormalBlock::Tint(int n)
{
    switch (n) {
    case 1: return Vec3(1.0f, 1.0f, 1.0f);
    case 2: return Vec3(0.5f, 1.0f, 0.5f);
    case 3: return Vec3(1.0f, 0.5f, 0.5f);
    case 4: return Vec3(0.5f, 0.5f, 1.0f);
    case 5: return Vec3(1.0f, 1.0f, 0.5f);
    default: {
        const float grey = 1.0f / static_cast<float>(n);
        return Vec3(grey, grey, grey);
    }
    }
}

void NormalBlock::drawAs(PieceDetail detail)
{
    // A broken block is still drawn until the next sweep; 0 hit points would
    // give the infinite grey 1/0, so it keeps the tint of its last hit point.
    const Vec3 tint = Tint(hitPoints > 0 ? hitPoints : 1);
    glColor3f(tint.x, tint.y, tint.z);
    Block::drawAs(detail);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void NormalBlock::hit()
{
    // A second ball in the same tick must not score it again or throw sparks
    // of a tint that 0 hit points do not have.
    if (hitPoints <= 0)
        return;
    game->particleSystems.push_back(new SparksParticle(centre(), Tint(hitPoints)));
    hitPoints -= 1;
    if (hitPoints == 0) {
        entityList->markForRemoval(this);
        game->AddScore(1);
        game->sound->Play(SoundEffect::BlockBreak, centre(), 1.0f);
    } else {
        // The more hits a block has left, the higher it rings.
        game->sound->Play(SoundEffect::BlockHit, centre(), 0.8f + 0.1f * static_cast<float>(hitPoints));
    }
}
