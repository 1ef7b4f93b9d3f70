#include "Effects/SmokeParticle.h"

SmokeParticle::SmokeParticle(Vec3 position)
    : ParticleSystem(position, "Particles/Rauch.png")
{
    startAlpha = 0.2f;
    endAlpha = 0.0f;
    lifetime = 8.0f;
    Emit(80);
}

Particle SmokeParticle::CreateParticle()
{
    const Vec3 offset = RandomUnitVector();
    const float speed = RandomFraction() * 2.0f;
    const Vec3 direction = RandomUnitVector();
    Particle particle;
    particle.position = offset * 0.5f;
    particle.velocity = direction * speed;
    particle.size = 0.8f;
    return particle;
}

void SmokeParticle::UpdateParticle(Particle& particle, float seconds)
{
    particle.size += seconds * 0.5f;
}
