#pragma once

#include <GL/glew.h>

#include "Assets/MeshBuffers.h"
#include "Effects/ScreenBounds.h"
#include "Support/Vec3.h"

#include <deque>
#include <string>

/// One particle of a burst, stored by value.
struct Particle
{
    Vec3 position;   // offset from the system's position
    Vec3 velocity;   // units per second
    float size = 0;  // half the edge of its square billboard
    float age = 0;   // seconds since creation
};

/// A burst of camera-facing textured quads, all emitted at construction.
/// Kinds set the parameters, emit, and change each particle per tick.
/// Owners delete systems through this base once `particles` is empty.
class ParticleSystem
{
public:
    virtual ~ParticleSystem() = default;
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    /// Applies the kind's change, then moves every particle; afterwards removes
    /// particles from the front while the front one is older than `lifetime`.
    void Update(float seconds);
    /// Draws every particle as a billboard facing the camera of the current
    /// model-view matrix, blended, without depth writes; draws nothing when
    /// that matrix cannot be inverted. Never culled, so bursts show in the
    /// water's mirror pass too. Leaves lighting on and blending off.
    /// `plainFiltering` (when frames run over their budget) reads the sprite
    /// without mip levels, enlarged ones by their nearest texel. `intoLayer`
    /// blends colour as usual but adds each quad's coverage into the target's
    /// alpha, for a layer blended over the frame afterwards (ParticleLayer).
    void Draw(bool plainFiltering = false, bool intoLayer = false);
    /// Grows `bounds` by every quad Draw would draw now, through the current
    /// model-view and projection matrices; the whole view when a quad reaches
    /// the eye's plane or behind it, nothing when the camera cannot be inverted.
    void AddScreenBounds(ScreenBounds& bounds) const;
    /// Translucent bursts (smoke, fire) start below full opacity; sparks do not.
    bool Translucent() const { return startAlpha < 1.0f; }
    /// Opacity from startAlpha at age 0 to endAlpha at age == lifetime.
    float Alpha(const Particle& particle) const;

    float color[3] = {1.0f, 1.0f, 1.0f}; // red, green, blue
    float startAlpha = 1.0f;
    float endAlpha = 0.0f;
    Vec3 position;     // centre of the burst, world units
    Vec3 acceleration; // units per second squared, the same for every particle
    float lifetime = 8.0f; // seconds; a particle is removed once its age exceeds it
    std::deque<Particle> particles; // emitted at the back, removed at the front
    GLuint texture = 0;             // owned by the resources manager

protected:
    /// Looks up "Resources/" + textureName through the resources manager;
    /// its failure propagates.
    ParticleSystem(Vec3 position, std::string textureName);

    /// Appends `count` particles made by CreateParticle. Kinds call it at the end
    /// of their constructors, once their own parameters are set.
    void Emit(int count);

    virtual Particle CreateParticle() = 0;
    /// The kind's own change of one particle, before the common motion.
    virtual void UpdateParticle(Particle& particle, float seconds) = 0;

    /// Three draws of rand() for x, y, z, each in [-0.5, 0.499], normalized.
    static Vec3 RandomUnitVector();
    /// One draw of rand(): 0, 0.01, ... 0.99.
    static float RandomFraction();

private:
    friend class ParticleBatch; // draws bursts in a row under one state

    /// The camera's right and up axes in world units, from the current
    /// model-view matrix; false when it cannot be inverted.
    static bool CameraAxes(Vec3& right, Vec3& up);
    /// The corners of a particle's billboard, counter-clockwise from top right.
    void Corners(const Particle& particle, const Vec3& right, const Vec3& up, Vec3 (&corners)[4]) const;
    /// Every particle's billboard that reaches `shown` (as for ParticleBatch),
    /// inside glBegin(GL_QUADS); camera axes in world units. `every` above 1
    /// keeps only every so many of those, each as opaque as that many of it
    /// stacked.
    void AddQuads(const Vec3& right, const Vec3& up, MeshBuffers::Side shown, int every = 1) const;
    /// Whether a particle's billboard reaches `shown`; `reach`: its half height
    /// in world z per unit of size.
    bool Reaches(const Particle& particle, float reach, MeshBuffers::Side shown) const;
    /// The sampler that reads sprites without mip levels (made once per process).
    static GLuint PlainSampler();
};
