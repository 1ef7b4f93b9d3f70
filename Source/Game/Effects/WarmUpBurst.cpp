#include "Effects/WarmUpBurst.h"

WarmUpBurst::WarmUpBurst(Vec3 position, const std::string& textureName, float startAlpha)
    : ParticleSystem(position, textureName)
{
    this->startAlpha = startAlpha;
    endAlpha = startAlpha;
    Emit(3);
}

std::vector<std::unique_ptr<WarmUpBurst>> WarmUpBurst::OfEveryKind(Vec3 position)
{
    // The sprites and opacities of SparksParticle, FireParticle and SmokeParticle:
    // a kind with a sprite of its own belongs here too.
    std::vector<std::unique_ptr<WarmUpBurst>> bursts;
    bursts.push_back(std::make_unique<WarmUpBurst>(position, "Particles/Sparkle.png", 1.0f));
    bursts.push_back(std::make_unique<WarmUpBurst>(position, "Particles/Fire.png", 0.6f));
    bursts.push_back(std::make_unique<WarmUpBurst>(position, "Particles/Rauch.png", 0.2f));
    return bursts;
}

Particle WarmUpBurst::CreateParticle()
{
    // Small and large, so that sprites are read both shrunk and enlarged.
    const float sizes[] = {0.1f, 0.8f, 2.5f};
    Particle particle;
    particle.position = Vec3(0.6f * static_cast<float>(made - 1), 0.0f, 0.0f);
    particle.size = sizes[made % 3];
    ++made;
    return particle;
}
