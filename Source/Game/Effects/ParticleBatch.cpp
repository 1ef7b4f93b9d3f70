#include "Effects/ParticleBatch.h"

#include "Effects/GLRequirements.h"
#include "Effects/ParticleSystem.h"

ParticleBatch::ParticleBatch(bool plainFiltering, bool intoLayer, Draws draws, MeshBuffers::Side shown, Quads quads)
    : draws(draws)
    , shown(shown)
    , quads(quads)
{
    facing = ParticleSystem::CameraAxes(right, up);
    if (!facing)
        return; // no camera to face
    glEnable(GL_BLEND);
    if (intoLayer)
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    else
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE); // hidden behind solids, but particles never hide each other
    // The mirror pass culls front faces, and a billboard always faces the camera.
    culling = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    // Without sampler objects (before OpenGL 3.3) the sprite keeps its own filtering.
    plainSampler = plainFiltering && GLRequirements::HasSamplerObjects();
    if (plainSampler)
        glBindSampler(0, ParticleSystem::PlainSampler());
}

ParticleBatch::~ParticleBatch()
{
    if (!facing)
        return;
    Close();
    if (plainSampler)
        glBindSampler(0, 0);
    if (culling)
        glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

void ParticleBatch::Draw(const ParticleSystem& system)
{
    if (!facing || system.particles.empty())
        return;
    if (open && (draws == Draws::PerBurst || system.texture != sprite))
        Close();
    if (!open) {
        sprite = system.texture;
        glBindTexture(GL_TEXTURE_2D, sprite);
        glBegin(GL_QUADS);
        open = true;
    }
    system.AddQuads(right, up, shown, quads == Quads::EverySecond ? 2 : 1);
}

void ParticleBatch::Close()
{
    if (open)
        glEnd();
    open = false;
}
