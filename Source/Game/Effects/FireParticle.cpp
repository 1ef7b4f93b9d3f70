#include "Effects/FireParticle.h"

FireParticle::FireParticle(Vec3 position, Vec3 colour, float maxSize)
    : ParticleSystem(position, "Particles/Fire.png")
    , maxSize(maxSize)
{
    color[0] = colour.x;
    color[1] = colour.y;
    color[2] = colour.z;
    startAlpha = 0.6f;
    endAlpha = 0.0f;
    lifetime = 2.0f;
    Emit(20);
}

Particle FireParticle::CreateParticle()
{
    const Vec3 offset = RandomUnitVector();
    const float speed = RandomFraction() * 0.5f;
    const Vec3 direction = RandomUnitVector();
    Particle particle;
    particle.position = offset * 0.5f;
    particle.velocity = direction * speed;
    particle.size = 0.0f;
    return particle;
}

void FireParticle::UpdateParticle(Particle& particle, float)
{
    particle.size = particle.age / lifetime * maxSize;
}
