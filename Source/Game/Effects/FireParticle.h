#pragma once

#include "Effects/ParticleSystem.h"

/// 20 flames of one colour that grow from 0 to `maxSize` and fade over 2 seconds.
class FireParticle : public ParticleSystem
{
public:
    FireParticle(Vec3 position, Vec3 colour, float maxSize);

    float maxSize; // half-edge reached at the end of the life

protected:
    Particle CreateParticle() override;
    /// Size follows the age before this tick: age / lifetime * maxSize.
    void UpdateParticle(Particle& particle, float seconds) override;
};
