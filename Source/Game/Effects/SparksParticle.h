#pragma once

#include "Effects/ParticleSystem.h"

/// 20 opaque sparks of one colour thrown upwards and pulled down for 4 seconds.
class SparksParticle : public ParticleSystem
{
public:
    SparksParticle(Vec3 position, Vec3 colour);

protected:
    Particle CreateParticle() override;
    /// Sparks only move.
    void UpdateParticle(Particle& particle, float seconds) override;
};
