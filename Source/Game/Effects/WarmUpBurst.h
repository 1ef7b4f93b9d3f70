#pragma once

#include "Effects/ParticleSystem.h"

#include <memory>
#include <string>
#include <vector>

/// A still burst of one sprite, made without rand(): drawn in the frames that
/// warm the renderer up before play, so that every way a burst is drawn has
/// been built before the first hit or explosion. Never part of the world.
class WarmUpBurst : public ParticleSystem
{
public:
    /// A few particles around `position`, across the water plane when it lies
    /// on it, so that every pass of a frame draws some.
    WarmUpBurst(Vec3 position, const std::string& textureName, float startAlpha);

    /// One of each kind the world makes: the opaque sparks and the translucent
    /// fire and smoke, each with its own sprite.
    static std::vector<std::unique_ptr<WarmUpBurst>> OfEveryKind(Vec3 position);

protected:
    Particle CreateParticle() override;
    /// Still: the burst is never updated.
    void UpdateParticle(Particle&, float) override {}

private:
    int made = 0; // particles made so far
};
