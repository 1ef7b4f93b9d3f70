#include "Effects/ParticleSystem.h"

#include "Assets/ResourcesManager.h"
#include "Effects/ParticleBatch.h"
#include "Support/invertMatrix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Clip coordinates of a world point: projection * modelView * (point, 1),
// both matrices column-major as OpenGL returns them.
void ToClip(const GLfloat* modelView, const GLfloat* projection, const Vec3& point, float (&clip)[4])
{
    float eye[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = modelView[r] * point.x + modelView[4 + r] * point.y + modelView[8 + r] * point.z + modelView[12 + r];
    for (int r = 0; r < 4; ++r)
        clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] + projection[8 + r] * eye[2] +
                  projection[12 + r] * eye[3];
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

// No mip levels: bilinear where a sprite is shrunk, the nearest texel where it is
// enlarged. The soft sprites are enlarged over most of the window in a burst,
// and their nearest texels differ from bilinear by about 55 dB at a quarter
// less cost. Shared by every burst; made once per process.
GLuint ParticleSystem::PlainSampler()
{
    static GLuint sampler = 0;
    if (sampler == 0) {
        glGenSamplers(1, &sampler);
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    return sampler;
}

bool ParticleSystem::CameraAxes(Vec3& right, Vec3& up)
{
    GLfloat modelView[16], inverse[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    if (!invertMatrix(modelView, inverse))
        return false;
    right = Vec3(inverse[0], inverse[1], inverse[2]);
    up = Vec3(inverse[4], inverse[5], inverse[6]);
    return true;
}

void ParticleSystem::Corners(const Particle& particle, const Vec3& right, const Vec3& up, Vec3 (&corners)[4]) const
{
    const Vec3 centre = position + particle.position;
    const float s = particle.size;
    corners[0] = centre + (up + right) * s;
    corners[1] = centre + (up - right) * s;
    corners[2] = centre + (right * -1.0f - up) * s;
    corners[3] = centre + (right - up) * s;
}

void ParticleSystem::AddScreenBounds(ScreenBounds& bounds) const
{
    Vec3 right, up;
    if (!CameraAxes(right, up))
        return; // Draw draws nothing either
    GLfloat modelView[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (const Particle& particle : particles) {
        Vec3 corners[4];
        Corners(particle, right, up, corners);
        for (const Vec3& corner : corners) {
            float clip[4];
            ToClip(modelView, projection, corner, clip);
            if (clip[3] < 1e-4f) {
                bounds = ScreenBounds::Whole(); // a quad across the eye's plane can cover any part of the view
                return;
            }
            bounds.Add(clip[0] / clip[3], clip[1] / clip[3]);
        }
    }
}

void ParticleSystem::Draw(bool plainFiltering, bool intoLayer)
{
    ParticleBatch batch(plainFiltering, intoLayer);
    batch.Draw(*this);
}

bool ParticleSystem::Reaches(const Particle& particle, float reach, MeshBuffers::Side shown) const
{
    // World units: far more than clipping and the depth test round by, far less than a quad.
    const float margin = 0.05f;
    const float z = position.z + particle.position.z, halfHeight = particle.size * reach;
    switch (shown) {
    case MeshBuffers::Side::ReachingAbove: return z + halfHeight >= -margin;
    case MeshBuffers::Side::ReachingBelow: return z - halfHeight <= margin;
    default: return true;
    }
}

void ParticleSystem::AddQuads(const Vec3& right, const Vec3& up, MeshBuffers::Side shown, int every) const
{
    static const float texCoords[4][2] = {{1, 1}, {0, 1}, {0, 0}, {1, 0}};
    // Half a billboard's height in world z per unit of its size.
    const float reach = std::fabs(right.z) + std::fabs(up.z);
    every = std::max(every, 1);
    int reaching = 0;
    // The particles keep their order, so the same ones stand for the rest every frame.
    for (const Particle& particle : particles) {
        if (!Reaches(particle, reach, shown) || reaching++ % every != 0)
            continue;
        const float alpha = Alpha(particle);
        glColor4f(color[0], color[1], color[2], every == 1 ? alpha : 1.0f - std::pow(1.0f - alpha, float(every)));
        Vec3 corners[4];
        Corners(particle, right, up, corners);
        for (int k = 0; k < 4; ++k) {
            glTexCoord2f(texCoords[k][0], texCoords[k][1]);
            glVertex3f(corners[k].x, corners[k].y, corners[k].z);
        }
    }
}
