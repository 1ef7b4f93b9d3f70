#include <GL/glew.h>

#include "Core/Game.h"

#include "Assets/ResourcesManager.h"
#include "Audio/SilentSound.h"
#include "Effects/ParticleBatch.h"
#include "Effects/ParticleSystem.h"
#include "Gameplay/Ball.h"
#include "Gameplay/Block.h"
#include "Gameplay/Entity.h"
#include "Gameplay/Extra.h"
#include "Gameplay/Paddle.h"
#include "Support/ConfigFile.h"
#include "Support/Exception.h"
#include "Support/invertMatrix.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

bool isClearTarget(Entity* e)
{
    if (Block* block = dynamic_cast<Block*>(e))
        return block->required;
    return dynamic_cast<Extra*>(e) != nullptr;
}

namespace {

const std::string resourcesRoot = "Resources/";

/// Scales a frame drawn at fewer pixels up to the view when it leaves, however
/// the frame ends: the next one starts in the view's own framebuffer.
class ScaledViewScope
{
public:
    explicit ScaledViewScope(ScaledFrame* frame) : frame(frame) {}
    ~ScaledViewScope()
    {
        if (frame)
            frame->End();
    }
    ScaledViewScope(const ScaledViewScope&) = delete;
    ScaledViewScope& operator=(const ScaledViewScope&) = delete;

private:
    ScaledFrame* frame; // not owned; null: drawn straight into the view
};

} // namespace

Game::Game()
    : water(this)
    , levelManager(this)
    , sound(std::make_unique<SilentSound>())
{
    LoadScenery();
    ConfigFile config("Config.cfg");
    level = config.GetValue<int>("StartLevel");
    soundSettings = SoundSettings::Read(config);
    // Absent, or not a number: the governor chooses by itself.
    governor = FrameBudgetGovernor(config.FindValue<int>("FrameBudgetLevel"));
}

void Game::LoadScenery()
{
    skySphere.Load(resourcesRoot + "SkySphere/SkySphere.obj");
    ReadSkyWithoutMipLevels();
    terrain.Load(resourcesRoot + "Oasis/terrain.obj");
    terrainRim = TerrainRim(terrain.Arrays().positions);
    trees.Load(resourcesRoot + "Oasis/trees.obj");
    // Loaded now so the first level appears without a pause.
    for (const char* name : {"Block/Block.obj", "ExplosionBlock/Dynamite.obj", "Extra01/Extra.obj",
                             "ExtraBlock/Barrel.obj", "LauncherBlock/LauncherBlock.obj", "Paddle/Paddle.obj"})
        resourcesManager.GetModel(resourcesRoot + name);
}

void Game::ReadSkyWithoutMipLevels()
{
    // 1024 texels around the whole horizon are always magnified on screen, so
    // the mip levels are never read; choosing between them per pixel is what
    // costs a software renderer, about a fifth of the sky's time in each pass.
    for (const Submesh& run : skySphere.Arrays().submeshes) {
        if (run.material.texture == 0)
            continue;
        glBindTexture(GL_TEXTURE_2D, run.material.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

Game::~Game()
{
    entityList.deleteAll();
    for (ParticleSystem* system : particleSystems)
        delete system;
    particleSystems.clear();
    // The scenery, the water and the list's storage go with the members, in
    // reverse order of declaration: sound, trees, terrain, sky, water, entity list.
}

void Game::StartGame()
{
    gameOver = false;
    buildLevel();
}

void Game::buildLevel()
{
    entityList.deleteAll();
    entityList.entities = levelManager.buildLevel(level);
}

void Game::Update(float dt)
{
    // Systems that blocks add during this tick are first updated in the next.
    updateParticleSystems(dt);
    water.Update(dt);
    // The sweep of last tick's marks comes first, then every entity moves.
    entityList.updateAll(dt);
    if (IsLevelCleared()) {
        level += 1;
        balls += 2;
        buildLevel();
        sound->Play(SoundEffect::LevelCleared, Vec3(), 1.0f);
    }
    // Balls in flight keep the game alive even with an empty reserve.
    if (balls == 0 && entityList.findAll(isBall).empty()) {
        if (!gameOver)
            sound->Play(SoundEffect::GameOver, Vec3(), 1.0f);
        gameOver = true;
    }
    sound->EndTick();
}

void Game::updateParticleSystems(float dt)
{
    for (auto it = particleSystems.begin(); it != particleSystems.end();) {
        (*it)->Update(dt);
        if ((*it)->particles.size() == 0) {
            delete *it;
            it = particleSystems.erase(it);
        } else {
            ++it;
        }
    }
}

bool Game::IsLevelCleared() const
{
    return entityList.findAll(isClearTarget).empty();
}

void Game::HandleMouse(float dx, float dy, MouseButtons buttons)
{
    entityList.broadcastMouse(dx, dy, buttons);
}

void Game::UseSound(std::unique_ptr<SoundEvents> events)
{
    sound = events ? std::move(events) : std::make_unique<SilentSound>();
}

void Game::Render()
{
    // One plan for the whole frame: each of its passes gives up the same.
    plan = governor.Plan();
    const ScaledViewScope scaled(BeginScaledView() ? &scaledFrame : nullptr);
    water.UsePlan(plan);
    ApplyCamera();
    ListenFromCamera();
    SetUpLight();
    // The off-screen passes (one a frame while alternating) draw the scene.
    water.RenderTextures();
    glPushMatrix();
    DrawVisibleScene();
    glPopMatrix();
}

bool Game::ViewScaled() const
{
    int width = 0, height = 0;
    return ScaledSize(governor.Plan(), width, height);
}

bool Game::ScaledSize(const FramePlan& framePlan, int& width, int& height) const
{
    GLint view[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, view);
    const double scale = ScaledFrame::Scale(view[2], view[3], framePlan.viewPixels);
    width = static_cast<int>(std::lround(view[2] * scale));
    height = static_cast<int>(std::lround(view[3] * scale));
    return scale < 1.0 && ScaledFrame::Supported();
}

bool Game::BeginScaledView()
{
    int width = 0, height = 0;
    if (!ScaledSize(plan, width, height) || !scaledFrame.Begin(width, height))
        return false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return true;
}

void Game::ApplyCamera()
{
    switch (cameraMode % 3) {
    case 0: CameraSetup_Above(); break;
    case 1: CameraSetup_Behind(); break;
    default: glTranslatef(0.0f, -6.0f, 0.0f); break; // the view's orbit camera, shifted in world space
    }
}

void Game::DrawVisibleScene()
{
    // The exact picture draws the water first and depth-tests the visible scene
    // against it. When frames run over their budget the solids come first: they
    // need neither of the water's images, so they are sent while the renderer
    // still draws those, and the water's pixels under them fail the depth test.
    // Only where the ground meets the water at an equal depth does the other
    // one win.
    if (plan.solidsBeforeWater) {
        EndStage("set-up");
        DrawSolids();
        glFlush();
    }
    water.Draw();
    // The renderer starts on the water, which covers most of the view, while
    // the rest of the scene is sent.
    glFlush();
    EndStage("water");
    if (!plan.solidsBeforeWater) {
        EndStage("set-up");
        DrawSolids();
    }
    DrawOverSolids();
}

void Game::ListenFromCamera()
{
    float modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    sound->FollowCamera(modelView);
}

void Game::SetUpLight()
{
    const float colour[3] = {255.0f / 255.0f, 240.0f / 255.0f, 240.0f / 255.0f};
    const float ambient[4] = {colour[0] / 8.0f, colour[1] / 8.0f, colour[2] / 8.0f, 1.0f};
    const float diffuse[4] = {colour[0], colour[1], colour[2], 1.0f};
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    // Set after the camera, so the direction stays fixed in the world.
    const float direction[4] = {0.4f, -0.8f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
}

void Game::DrawScene()
{
    EndStage("set-up");
    DrawSolids();
    DrawOverSolids();
}

void Game::DrawSolids()
{
    const bool inImage = water.Rendering() != Water::Image::None;
    entityList.drawAll(inImage ? plan.piecesInWaterImages : plan.piecesOnScreen);
    EndStage("entities");
    terrain.Draw(TerrainSide());
    EndStage("terrain");
}

void Game::DrawOverSolids()
{
    // The sky lies behind everything else in the scene (the terrain stays inside
    // its sphere), so drawn after the opaque pieces its hidden pixels fail the
    // depth test before they are shaded: the same picture for less work. The
    // trees blend their edges over the sky, so they still come after it.
    DrawSky();
    EndStage("sky");
    DrawTrees();
    EndStage("trees");
    DrawParticles();
    EndStage("particles");
}

void Game::DrawParticles()
{
    // A cloud covers much of the window, and of each of the water's images,
    // many times over. Each burst keeps every quad either way. Sparks are small
    // and sharp: they stay at full size, over the clouds.
    const MeshBuffers::Side side = ParticleSide();
    const bool layered = DrawCloudsInLayer(side);
    ParticleBatch batch(plan.plainParticleFiltering, false, BurstDraws(), side);
    for (ParticleSystem* system : particleSystems)
        if (!layered || !system->Translucent())
            batch.Draw(*system);
}

bool Game::DrawCloudsInLayer(MeshBuffers::Side side)
{
    const bool onScreen = water.Rendering() == Water::Image::None;
    const int divisor = onScreen ? plan.particleLayerDivisor : plan.waterParticleLayerDivisor;
    ParticleLayer& layer = onScreen ? particleLayer : waterParticleLayer;
    const bool clouds = std::any_of(particleSystems.begin(), particleSystems.end(),
                                    [](const ParticleSystem* system) { return system->Translucent(); });
    if (!clouds || divisor <= 1 || !layer.Begin(divisor, CloudBounds()))
        return false;
    {
        const bool half = !onScreen && plan.halfBurstsInWaterImages;
        const auto quads = half ? ParticleBatch::Quads::EverySecond : ParticleBatch::Quads::All;
        ParticleBatch batch(plan.plainParticleFiltering, true, BurstDraws(), side, quads);
        for (ParticleSystem* system : particleSystems)
            if (system->Translucent())
                batch.Draw(*system);
    }
    layer.End();
    return true;
}

ParticleBatch::Draws Game::BurstDraws() const
{
    return plan.burstsShareDraws ? ParticleBatch::Draws::PerSpriteRun : ParticleBatch::Draws::PerBurst;
}

ScreenBounds Game::CloudBounds() const
{
    // Clouds often cover only part of the view: the layer is cleared, given
    // depth and blended over the frame only there.
    ScreenBounds bounds;
    for (const ParticleSystem* system : particleSystems)
        if (system->Translucent())
            system->AddScreenBounds(bounds);
    return bounds;
}

bool Game::Eye(Vec3& eye) const
{
    GLfloat modelView[16], inverse[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    if (!invertMatrix(modelView, inverse))
        return false;
    eye = Vec3(inverse[12], inverse[13], inverse[14]);
    return true;
}

bool Game::EyeWellAboveWater() const
{
    Vec3 eye;
    // Twice the near plane's 0.1: the water in front of the eye is never cut off by it.
    return Eye(eye) && eye.z > 0.2f;
}

MeshBuffers::Side Game::TerrainSide() const
{
    // Each pass draws only what can show in it. The water's clip planes leave out
    // the other side of z = 0; seen from above, the lake floor lies wholly under
    // the water, which is drawn first and hides it, and the ground outside the
    // lake rises above z = 0.
    switch (water.Rendering()) {
    case Water::Image::Reflection: return MeshBuffers::Side::ReachingAbove;
    case Water::Image::Refraction: return MeshBuffers::Side::ReachingBelow;
    default: return EyeWellAboveWater() ? MeshBuffers::Side::ReachingAbove : MeshBuffers::Side::Whole;
    }
}

MeshBuffers::Side Game::ParticleSide() const
{
    // Bursts spread below the water as well as above it. On screen, those below
    // are hidden only when every line of sight down through z = 0 meets the
    // water or the ground: from an eye above both, inside the ground's ring.
    if (water.Rendering() != Water::Image::None)
        return TerrainSide();
    Vec3 eye;
    const bool hidden = EyeWellAboveWater() && Eye(eye) && terrainRim.HidesBelowHorizon(eye);
    return hidden ? MeshBuffers::Side::ReachingAbove : MeshBuffers::Side::Whole;
}

void Game::EndStage(const char* stage)
{
    if (stageDone)
        stageDone(stage);
}

void Game::DrawSky()
{
    const bool clipped = ClipHiddenSky();
    // Centred on the world origin: the sky does not follow the camera.
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glScalef(150.0f, 150.0f, 150.0f);
    skySphere.Draw();
    glEnable(GL_LIGHTING);
    glPopMatrix();
    if (clipped)
        glDisable(GL_CLIP_PLANE1);
}

bool Game::ClipHiddenSky()
{
    // Behind the water and the dunes the whole sphere still costs every pixel
    // of the view its depth test. Below the eye's height it is hidden whenever
    // the ground rings the eye, so it is cut off before it reaches the pixels.
    Vec3 eye;
    if (water.Rendering() != Water::Image::None || !plan.skyClippedAtTheHorizon || !Eye(eye) ||
        !terrainRim.HidesBelowHorizon(eye))
        return false;
    const GLdouble aboveEye[4] = {0.0, 0.0, 1.0, -(eye.z - 0.5)}; // world z >= a little under the eye
    glClipPlane(GL_CLIP_PLANE1, aboveEye);
    glEnable(GL_CLIP_PLANE1);
    return true;
}

void Game::DrawTrees()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_ALPHA_TEST);
    trees.Draw();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

Entity* Game::findPaddle() const
{
    for (Entity* e : entityList.entities) {
        if (dynamic_cast<Paddle*>(e))
            return e;
    }
    return nullptr;
}

void Game::CameraSetup_Above()
{
    const Entity* paddle = findPaddle();
    if (!paddle) {
        Exception e;
        e << tag_error_message("No paddle found");
        MIRAGE_THROW(e, "Game.cpp", 248);
    }
    const Vec3 p = paddle->position;
    glLoadIdentity();
    glTranslatef(0.0f, -6.0f, 0.0f);
    gluLookAt(-0.8f * p.x, p.y - 16.0f, p.z + 8.0f, 0.0, 12.0, -12.0, 0.0, 0.0, 1.0);
}

void Game::CameraSetup_Behind()
{
    const Entity* paddle = findPaddle();
    if (!paddle) {
        Exception e;
        e << tag_error_message("No paddle found");
        MIRAGE_THROW(e, "Game.cpp", 278);
    }
    const Vec3 p = paddle->position;
    glLoadIdentity();
    gluLookAt(0.0, -12.0, 10.0, p.x, 12.0, p.z, 0.0, 0.0, 1.0);
}
