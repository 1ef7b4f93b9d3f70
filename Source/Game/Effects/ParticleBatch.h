#pragma once

#include <GL/glew.h>

#include "Assets/MeshBuffers.h"
#include "Support/Vec3.h"

class ParticleSystem;

/// Draws bursts one after another under one setting of the state they share:
/// blending, depth writes off, lighting and culling off, the sprite's sampler.
/// Does nothing when the camera of the current model-view matrix cannot be
/// inverted. Leaves lighting on and blending off, as ParticleSystem::Draw does.
class ParticleBatch
{
public:
    enum class Draws
    {
        PerBurst,     // the exact picture
        PerSpriteRun, // bursts that follow each other with the same sprite share one draw
    };
    enum class Quads
    {
        All,         // the exact picture
        EverySecond, // each drawn quad as opaque as two of it stacked, standing for the one left out
    };

    /// `plainFiltering` and `intoLayer` as for ParticleSystem::Draw. Every draw
    /// has a fixed cost in the software renderer; a run of bursts with one sprite
    /// (two fires per explosion, sparks per hit) then pays it once. The order is
    /// kept, but the renderer may round a few edge pixels one step apart.
    /// `shown`: the side of the water plane (world z = 0) that can show in this
    /// picture; a quad that lies wholly on the other side, by more than depth
    /// and clipping could round, is left out. Whole: every quad.
    ParticleBatch(bool plainFiltering, bool intoLayer, Draws draws = Draws::PerBurst,
                  MeshBuffers::Side shown = MeshBuffers::Side::Whole, Quads quads = Quads::All);
    ~ParticleBatch();
    ParticleBatch(const ParticleBatch&) = delete;
    ParticleBatch& operator=(const ParticleBatch&) = delete;

    void Draw(const ParticleSystem& system);

private:
    void Close();

    Draws draws = Draws::PerBurst;
    MeshBuffers::Side shown = MeshBuffers::Side::Whole;
    Quads quads = Quads::All;
    bool facing = false;      // the camera's axes are known: anything is drawn
    bool plainSampler = false;
    GLboolean culling = GL_FALSE;
    GLuint sprite = 0;        // the texture of the open draw
    bool open = false;        // inside glBegin
    Vec3 right, up;           // the camera's axes, world units
};
