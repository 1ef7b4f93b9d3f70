#include <GL/glew.h>

#include "Effects/FireParticle.h"
#include "Effects/FramebufferObject.h"
#include "Effects/ParticleBatch.h"
#include "Effects/SmokeParticle.h"
#include "Effects/SparksParticle.h"
#include "Support/TestSupport.h"

#include <GL/glu.h>
#include <IL/il.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace TestSupport;

namespace {

/// An opaque white 8 x 8 RGBA PNG.
void WriteSprite(const std::string& path)
{
    WriteFile(path, ""); // creates the folders
    std::vector<unsigned char> white(8 * 8 * 4, 255);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(8, 8, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, white.data());
    ilEnable(IL_FILE_OVERWRITE);
    ilSave(IL_PNG, path.c_str());
    ilDeleteImages(1, &image);
}

/// Worked out from the description of the draws, independently of the classes.
Vec3 UnitVectorFromRand()
{
    float c[3];
    for (float& v : c)
        v = static_cast<float>((std::rand() % 1000) / 1000.0 - 0.5);
    const float length = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
    return Vec3(c[0] / length, c[1] / length, c[2] / length);
}

void ExpectNear(const Vec3& expected, const Vec3& actual)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-5f);
    EXPECT_NEAR(expected.y, actual.y, 1e-5f);
    EXPECT_NEAR(expected.z, actual.z, 1e-5f);
}

/// What `draw` leaves in a fresh 64 x 64 RGBA target seen from `eye` towards
/// the origin (up z).
std::vector<unsigned char> Drawn(const std::function<void()>& draw, float ex, float ey, float ez)
{
    GLuint colour = 0;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    FramebufferObject target;
    target.AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    target.Bind();
    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.0, 0.5, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(ex, ey, ez, 0, 0, 0, 0, 0, 1);
    draw();
    std::vector<unsigned char> rgba(64 * 64 * 4);
    glReadPixels(0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    FramebufferObject::Unbind();
    glDeleteTextures(1, &colour);
    return rgba;
}

/// Draws `system` into a fresh 64 x 64 target seen from `eye` towards the
/// origin (up z) and returns the number of lit pixels; `box`, when given,
/// grows to hold their columns and rows.
int LitPixels(ParticleSystem& system, float ex, float ey, float ez, int* box = nullptr)
{
    const std::vector<unsigned char> rgba = Drawn([&] { system.Draw(); }, ex, ey, ez);
    int lit = 0;
    for (int i = 0; i < 64 * 64; ++i) {
        if (rgba[i * 4] <= 20)
            continue;
        ++lit;
        if (box) { // grown to hold the pixel's column and row
            box[0] = std::min(box[0], i % 64);
            box[1] = std::min(box[1], i / 64);
            box[2] = std::max(box[2], i % 64);
            box[3] = std::max(box[3], i / 64);
        }
    }
    return lit;
}

class ParticleSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureGLContext();
        for (const char* name : {"Rauch.png", "Sparkle.png", "Fire.png"})
            WriteSprite(dir / ("Resources/Particles/" + std::string(name)));
    }

    TempDir dir;
    ScopedCwd cwd{dir.Path()};
};

} // namespace

TEST_F(ParticleSystemTest, EachKindEmitsItsParticlesWithItsParameters)
{
    const Vec3 at(1, 2, 3);
    SmokeParticle smoke(at);
    SparksParticle sparks(at, Vec3(0.5f, 0.25f, 1.0f));
    FireParticle fire(at, Vec3(1, 0, 0), 1.5f);
    ASSERT_EQ(80u, smoke.particles.size());
    ASSERT_EQ(20u, sparks.particles.size());
    ASSERT_EQ(20u, fire.particles.size());
    for (const Particle& p : smoke.particles) {
        EXPECT_FLOAT_EQ(0.8f, p.size);
        EXPECT_EQ(0.0f, p.age);
        EXPECT_NEAR(0.5f, std::sqrt(p.position.x * p.position.x + p.position.y * p.position.y +
                                    p.position.z * p.position.z), 1e-5f);
    }
    for (const Particle& p : sparks.particles) {
        EXPECT_FLOAT_EQ(0.1f, p.size);
        EXPECT_GE(p.position.z, 0.0f); // sparks start in the upper half
    }
    for (const Particle& p : fire.particles)
        EXPECT_EQ(0.0f, p.size);
    EXPECT_EQ(0.5f, sparks.color[0]);
    EXPECT_EQ(0.25f, sparks.color[1]);
    EXPECT_EQ(1.0f, sparks.color[2]);
    EXPECT_EQ(1.0f, smoke.color[2]);
    EXPECT_EQ(Vec3(0, 0, -8), sparks.acceleration);
    EXPECT_EQ(at, fire.position);
    EXPECT_NE(0u, smoke.texture);
    EXPECT_EQ(smoke.texture, SmokeParticle(at).texture); // one texture per file

    // Alpha at the start and at the end of the life.
    Particle late;
    late.age = 8.0f;
    EXPECT_FLOAT_EQ(0.2f, smoke.Alpha(smoke.particles.front()));
    EXPECT_NEAR(0.0f, smoke.Alpha(late), 1e-6f);
    late.age = 2.0f;
    EXPECT_FLOAT_EQ(0.6f, fire.Alpha(fire.particles.front()));
    EXPECT_NEAR(0.0f, fire.Alpha(late), 1e-6f);
    EXPECT_FLOAT_EQ(1.0f, sparks.Alpha(sparks.particles.front()));
    late.age = 4.0f;
    EXPECT_FLOAT_EQ(1.0f, sparks.Alpha(late));
}

TEST_F(ParticleSystemTest, RandomDrawsFollowEachKindsOrder)
{
    std::srand(11);
    const Vec3 u1 = UnitVectorFromRand();
    const float r = (std::rand() % 100) / 100.0f;
    const Vec3 u2 = UnitVectorFromRand();
    std::srand(11);
    SmokeParticle smoke(Vec3(0, 0, 0));
    ExpectNear(u1 * 0.5f, smoke.particles.front().position);
    ExpectNear(u2 * (r * 2.0f), smoke.particles.front().velocity);

    std::srand(12);
    const Vec3 s1 = UnitVectorFromRand();
    const Vec3 s2 = UnitVectorFromRand();
    const float sr = (std::rand() % 100) / 100.0f;
    for (int i = 7; i < 20 * 7; ++i)
        std::rand();
    const int afterBurst = std::rand(); // 7 draws per spark
    std::srand(12);
    SparksParticle sparks(Vec3(0, 0, 0), Vec3(1, 1, 1));
    ExpectNear(Vec3(s1.x, s1.y, (s1.z + 1) * 0.5f), sparks.particles.front().position);
    ExpectNear(Vec3(s2.x * (sr * 4 + 1), s2.y * (sr * 4 + 1), s2.z * (sr * 4 + 1) + 3),
               sparks.particles.front().velocity);
    EXPECT_EQ(afterBurst, std::rand());
}

TEST_F(ParticleSystemTest, SameSeedGivesIdenticalBursts)
{
    std::srand(99);
    FireParticle first(Vec3(0, 0, 0), Vec3(1, 1, 0), 3.0f);
    std::srand(99);
    FireParticle second(Vec3(0, 0, 0), Vec3(1, 1, 0), 3.0f);
    std::srand(100);
    FireParticle other(Vec3(0, 0, 0), Vec3(1, 1, 0), 3.0f);
    bool differs = false;
    for (size_t i = 0; i < first.particles.size(); ++i) {
        EXPECT_EQ(first.particles[i].position, second.particles[i].position) << i;
        EXPECT_EQ(first.particles[i].velocity, second.particles[i].velocity) << i;
        differs = differs || first.particles[i].position != other.particles[i].position;
    }
    EXPECT_TRUE(differs);
}

TEST_F(ParticleSystemTest, UpdateAppliesTheKindChangeThenMotion)
{
    SparksParticle sparks(Vec3(0, 0, 0), Vec3(1, 1, 1));
    const Particle before = sparks.particles.front();
    sparks.Update(0.5f);
    const Particle& after = sparks.particles.front();
    ExpectNear(before.position + before.velocity * 0.5f, after.position); // old velocity moves it
    ExpectNear(before.velocity + Vec3(0, 0, -4), after.velocity);
    EXPECT_FLOAT_EQ(0.5f, after.age);
    EXPECT_FLOAT_EQ(0.1f, after.size);

    SmokeParticle smoke(Vec3(0, 0, 0));
    smoke.Update(1.0f);
    smoke.Update(1.0f);
    EXPECT_FLOAT_EQ(1.8f, smoke.particles.back().size); // swells 0.5 per second

    FireParticle fire(Vec3(0, 0, 0), Vec3(1, 0, 0), 3.0f);
    const float expected[4] = {0.0f, 0.75f, 1.5f, 2.25f}; // from the age before each tick
    for (float size : expected) {
        fire.Update(0.5f);
        EXPECT_FLOAT_EQ(size, fire.particles.front().size);
    }
}

TEST_F(ParticleSystemTest, ParticlesLeaveOnlyOnceOlderThanTheLifetime)
{
    FireParticle fire(Vec3(0, 0, 0), Vec3(1, 0, 0), 1.5f);
    fire.Update(1.0f);
    fire.Update(1.0f); // age exactly 2: stays
    EXPECT_EQ(20u, fire.particles.size());
    fire.Update(0.01f);
    EXPECT_TRUE(fire.particles.empty());
    fire.Update(1.0f); // an empty system updates harmlessly
    EXPECT_TRUE(fire.particles.empty());

    SmokeParticle smoke(Vec3(0, 0, 0));
    for (int i = 0; i < 4; ++i)
        smoke.Update(2.0f);
    EXPECT_EQ(80u, smoke.particles.size());
    smoke.Update(0.5f);
    EXPECT_TRUE(smoke.particles.empty());

    // Only the front is examined: a younger particle there keeps the rest.
    SparksParticle sparks(Vec3(0, 0, 0), Vec3(1, 1, 1));
    sparks.Update(3.0f);
    sparks.particles.push_front(Particle());
    sparks.Update(2.0f);
    EXPECT_EQ(21u, sparks.particles.size());
}

TEST_F(ParticleSystemTest, DrawFacesTheCameraAndRestoresTheState)
{
    SparksParticle sparks(Vec3(0, 0, 0), Vec3(1, 1, 1));
    for (Particle& p : sparks.particles) {
        p.position = Vec3(0, 0, 0);
        p.size = 1.0f;
    }
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    // Billboards built from fixed world axes would be edge-on from one of these.
    EXPECT_GT(LitPixels(sparks, 0, -1, 10), 200);
    EXPECT_GT(LitPixels(sparks, 10, 0, 0.5f), 200);
    EXPECT_GT(LitPixels(sparks, 0, -10, 0.5f), 200);
    // The water's mirror pass culls front faces; bursts must still show in the reflection.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    EXPECT_GT(LitPixels(sparks, 0, -10, 0.5f), 200);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);

    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    GLfloat current[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(1.0f, current[0] * current[1] * current[2] * current[3]);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

// Sharing a draw must keep the bursts' order and switch sprites between them.
TEST_F(ParticleSystemTest, BurstsSharingDrawsGiveThePictureOfOneDrawEach)
{
    SparksParticle red(Vec3(0, 0, 0), Vec3(1, 0, 0)), green(Vec3(0, 0, 0), Vec3(0, 1, 0));
    SmokeParticle smoke(Vec3(0, 0, 0));
    for (Particle& p : red.particles)
        p = Particle{Vec3(0, 0, 0), Vec3(0, 0, 0), 0.3f, 0.0f};
    ParticleSystem* const bursts[] = {&red, &green, &smoke, &red};
    glEnable(GL_TEXTURE_2D);
    std::vector<unsigned char> pictures[2];
    for (const auto draws : {ParticleBatch::Draws::PerBurst, ParticleBatch::Draws::PerSpriteRun})
        pictures[draws == ParticleBatch::Draws::PerSpriteRun] = Drawn([&] {
            ParticleBatch batch(false, false, draws);
            for (ParticleSystem* burst : bursts)
                batch.Draw(*burst);
        }, 0, -3, 1);
    glDisable(GL_TEXTURE_2D);
    EXPECT_TRUE(std::equal(pictures[0].begin(), pictures[0].end(), pictures[1].begin(),
                           [](int a, int b) { return std::abs(a - b) <= 1; }));
    const unsigned char* centre = &pictures[1][(32 * 64 + 32) * 4];
    EXPECT_GT(centre[0], 200); // the opaque red sparks, drawn last, over the smoke and the green
    EXPECT_LT(centre[1], 10);
}

// A quad that stands for the one left out must cover as the two stacked do.
TEST_F(ParticleSystemTest, EverySecondQuadCoversAsTwoStackedDo)
{
    SmokeParticle smoke(Vec3(0, 0, 0));
    smoke.particles.assign(4, Particle{Vec3(0, 0, 0), Vec3(0, 0, 0), 1.0f, 0.0f}); // alike, each 0.2 opaque
    glEnable(GL_TEXTURE_2D);
    const auto picture = Drawn([&] {
        ParticleBatch(false, true, ParticleBatch::Draws::PerBurst, MeshBuffers::Side::Whole,
                      ParticleBatch::Quads::EverySecond).Draw(smoke);
    }, 0, -3, 0);
    glDisable(GL_TEXTURE_2D);
    EXPECT_NEAR(255 * (1 - std::pow(0.8, 4)), picture[(32 * 64 + 32) * 4], 2); // doubled alpha: 163, its own: 92
}

// A pass may leave out quads wholly on the side of the water that it cannot
// show; one that reaches across must stay, or its part on the shown side is lost.
TEST_F(ParticleSystemTest, QuadsLeftOutForTheWaterSideAreThoseItsClipPlaneRemoves)
{
    SparksParticle sparks(Vec3(0, 0, 0), Vec3(1, 1, 1));
    // Seen side-on: across the water, wholly below it, wholly above it.
    sparks.particles = {{Vec3(0, 0, -0.2f), {}, 0.5f, 0}, {Vec3(1.5f, 0, -1.2f), {}, 0.5f, 0},
                        {Vec3(-1.5f, 0, 1.2f), {}, 0.5f, 0}};
    glEnable(GL_TEXTURE_2D);
    for (const auto side : {MeshBuffers::Side::ReachingAbove, MeshBuffers::Side::ReachingBelow}) {
        const GLdouble kept[4] = {0, 0, side == MeshBuffers::Side::ReachingAbove ? 1.0 : -1.0, 0};
        const auto picture = [&](MeshBuffers::Side shown, bool clipped) {
            return Drawn([&] {
                glClipPlane(GL_CLIP_PLANE0, kept);
                if (clipped)
                    glEnable(GL_CLIP_PLANE0);
                ParticleBatch(false, false, ParticleBatch::Draws::PerBurst, shown).Draw(sparks);
                glDisable(GL_CLIP_PLANE0);
            }, 0, -6, 0);
        };
        const auto whole = MeshBuffers::Side::Whole;
        EXPECT_EQ(picture(whole, true), picture(side, true)) << "a quad that could show was left out";
        EXPECT_NE(picture(whole, false), picture(side, false)) << "the quad on the other side was drawn";
    }
    glDisable(GL_TEXTURE_2D);
}

// The particle layer clears and blends only what these bounds cover: a lit
// pixel outside them would be lost, and loose bounds would save nothing.
TEST_F(ParticleSystemTest, ScreenBoundsHoldEveryDrawnPixelAndLittleMore)
{
    SparksParticle sparks(Vec3(2, 0, 1), Vec3(1, 1, 1));
    sparks.particles.resize(2);
    sparks.particles[0].position = Vec3(0, 0, 0);
    sparks.particles[1].position = Vec3(-1, 0, -1);
    for (Particle& p : sparks.particles)
        p.size = 0.5f;
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    int lit[4] = {64, 64, -1, -1}; // pixel columns and rows, first to last
    EXPECT_GT(LitPixels(sparks, 0, -10, 0.5f, lit), 20);
    ScreenBounds bounds; // LitPixels leaves its camera and projection set
    sparks.AddScreenBounds(bounds);
    const auto pixel = [](float ndc) { return (ndc + 1.0f) * 32.0f; };
    // A pixel is drawn when its centre lies inside a quad.
    EXPECT_LE(pixel(bounds.left), lit[0] + 0.5f);
    EXPECT_LE(pixel(bounds.bottom), lit[1] + 0.5f);
    EXPECT_GE(pixel(bounds.right), lit[2] + 0.5f);
    EXPECT_GE(pixel(bounds.top), lit[3] + 0.5f);
    EXPECT_GT(pixel(bounds.left), lit[0] - 1.0f);
    EXPECT_LT(pixel(bounds.top), lit[3] + 2.0f);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(2, 0.5, 1, 2, 10, 1, 0, 0, 1); // the first quad behind the eye
    ScreenBounds across;
    sparks.AddScreenBounds(across);
    EXPECT_EQ(-1.0f, across.left);
    EXPECT_EQ(1.0f, across.top);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(ParticleSystemTest, NonInvertibleModelViewSkipsTheFrame)
{
    SmokeParticle smoke(Vec3(0, 0, 0));
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
    const GLfloat flat[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}; // squashes z
    glLoadMatrixf(flat);
    smoke.Draw();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)); // nothing was touched
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    glLoadIdentity();
}
