#include "Effects/SparksParticle.h"

SparksParticle::SparksParticle(Vec3 position, Vec3 colour)
    : ParticleSystem(position, "Particles/Sparkle.png")
{
    color[0] = colour.x;
    color[1] = colour.y;
    color[2] = colour.z;
    startAlpha = 1.0f;
    endAlpha = 1.0f;
    acceleration = Vec3(0.0f, 0.0f, -8.0f);
    lifetime = 4.0f;
    Emit(20);
}

Particle SparksParticle::CreateParticle()
{
    const Vec3 offset = RandomUnitVector();
    Vec3 direction = RandomUnitVector();
    const float speed = RandomFraction() * 4.0f + 1.0f;
    Particle particle;
    particle.position = Vec3(offset.x, offset.y, (offset.z + 1.0f) * 0.5f); // upper half only
    particle.velocity = direction.normalize() * speed;
    particle.velocity.z += 3.0f; // thrown upwards
    particle.size = 0.1f;
    return particle;
}

void SparksParticle::UpdateParticle(Particle&, float)
{
}
