#include "Effects/ParticleSystem.h"

#include "Assets/ResourcesManager.h"
#include "Effects/GLRequirements.h"
#include "Support/invertMatrix.h"

#include <cstdlib>

namespace {

// No mip levels: bilinear where a sprite is shrunk, the nearest texel where it is
// enlarged. The soft sprites are enlarged over most of the window in a burst,
// and their nearest texels differ from bilinear by about 55 dB at a quarter
// less cost. Shared by every burst; made once per process.
GLuint PlainSampler()
{
    static GLuint sampler = 0;
    if (sampler == 0) {
        glGenSamplers(1, &sampler);
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    return sampler;
}

float RandomComponent()
{
    return static_cast<float>((std::rand() % 1000) / 1000.0 - 0.5);
}

} // namespace

ParticleSystem::ParticleSystem(Vec3 position, std::string textureName)
    : position(position)
    , texture(resourcesManager.GetTexture("Resources/" + textureName))
{
}

void ParticleSystem::Emit(int count)
{
    for (int i = 0; i < count; ++i)
        particles.push_back(CreateParticle());
}

Vec3 ParticleSystem::RandomUnitVector()
{
    // Separate statements fix the order of the draws.
    Vec3 v;
    v.x = RandomComponent();
    v.y = RandomComponent();
    v.z = RandomComponent();
    return v.normalize();
}

float ParticleSystem::RandomFraction()
{
    return (std::rand() % 100) / 100.0f;
}

void ParticleSystem::Update(float seconds)
{
    for (Particle& particle : particles) {
        UpdateParticle(particle, seconds);
        particle.position += particle.velocity * seconds;
        particle.velocity += acceleration * seconds;
        particle.age += seconds;
    }
    // All particles of a burst share one age, so the front decides for all.
    while (!particles.empty() && particles.front().age > lifetime)
        particles.pop_front();
}

float ParticleSystem::Alpha(const Particle& particle) const
{
    return startAlpha + particle.age / lifetime * (endAlpha - startAlpha);
}

void ParticleSystem::Draw(bool plainFiltering, bool intoLayer)
{
    GLfloat modelView[16], inverse[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    if (!invertMatrix(modelView, inverse))
        return; // no camera to face
    const Vec3 right(inverse[0], inverse[1], inverse[2]);
    const Vec3 up(inverse[4], inverse[5], inverse[6]);

    glEnable(GL_BLEND);
    if (intoLayer)
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    else
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE); // hidden behind solids, but particles never hide each other
    // The mirror pass culls front faces, and a billboard always faces the camera.
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Without sampler objects (before OpenGL 3.3) the sprite keeps its own filtering.
    const bool plainSampler = plainFiltering && GLRequirements::HasSamplerObjects();
    if (plainSampler)
        glBindSampler(0, PlainSampler());
    DrawQuads(right, up);
    if (plainSampler)
        glBindSampler(0, 0);
    if (culling)
        glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

void ParticleSystem::DrawQuads(const Vec3& right, const Vec3& up)
{
    glBegin(GL_QUADS);
    for (const Particle& particle : particles) {
        glColor4f(color[0], color[1], color[2], Alpha(particle));
        const Vec3 centre = position + particle.position;
        const float s = particle.size;
        const Vec3 a = centre + (up + right) * s, b = centre + (up - right) * s;
        const Vec3 c = centre + (right * -1.0f - up) * s, d = centre + (right - up) * s;
        glTexCoord2f(1, 1); glVertex3f(a.x, a.y, a.z);
        glTexCoord2f(0, 1); glVertex3f(b.x, b.y, b.z);
        glTexCoord2f(0, 0); glVertex3f(c.x, c.y, c.z);
        glTexCoord2f(1, 0); glVertex3f(d.x, d.y, d.z);
    }
    glEnd();
}
