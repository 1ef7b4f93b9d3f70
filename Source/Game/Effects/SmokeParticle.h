#pragma once

#include "Effects/ParticleSystem.h"

/// 80 white puffs that swell and fade over 8 seconds.
class SmokeParticle : public ParticleSystem
{
public:
    explicit SmokeParticle(Vec3 position);

protected:
    Particle CreateParticle() override;
    /// Grows by 0.5 units per second.
    void UpdateParticle(Particle& particle, float seconds) override;
};
