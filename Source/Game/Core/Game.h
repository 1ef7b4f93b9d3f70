#pragma once

#include <GL/glew.h>

#include "Assets/StaticModel.h"
#include "Assets/TerrainRim.h"
#include "Audio/SoundEvents.h"
#include "Audio/SoundSettings.h"
#include "Effects/FrameBudgetGovernor.h"
#include "Effects/ParticleBatch.h"
#include "Effects/ParticleLayer.h"
#include "Effects/ScaledFrame.h"
#include "Effects/Water.h"
#include "Gameplay/EntityList.h"
#include "Gameplay/LevelManager.h"
#include "Support/MouseButtons.h"

#include <functional>
#include <list>
#include <memory>

class Entity;
class ParticleSystem;

/// True for what must be gone before a level is complete: a required block
/// or an extra of any kind (marked ones still count).
bool isClearTarget(Entity* e);

/// The game world: the level's entities, the particle bursts, the numbers
/// the player sees and the fixed order of one tick and one frame.
class Game
{
public:
    /// Builds the water, loads the scenery, preloads the entity meshes and reads
    /// "StartLevel" from "Config.cfg". Needs a current GL context; throws the
    /// shader, mesh and configuration errors (members built so far are undone).
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    /// Builds level `level` and clears `gameOver` (once per process).
    void StartGame();
    /// Advances the world by dt seconds.
    void Update(float dt);
    /// Draws one frame; the view has cleared and applied its camera.
    void Render();
    /// Draws everything but the water with the current matrices.
    void DrawScene();
    /// Camera of mode 0: above and behind the paddle. Throws "No paddle found".
    void CameraSetup_Above();
    /// Camera of mode 1: behind the field, looking at the paddle. Throws "No paddle found".
    void CameraSetup_Behind();
    /// True when no block that must be cleared and no extra is left.
    bool IsLevelCleared() const;
    bool IsGameOver() const { return gameOver; }
    void AddScore(int points) { score += points; }
    /// Hands mouse motion (world units) and buttons to every entity.
    void HandleMouse(float dx, float dy, MouseButtons buttons);
    /// Takes `events` as what the world is heard through; null: silence.
    void UseSound(std::unique_ptr<SoundEvents> events);
    /// Told by the view how long the last frame took to draw, milliseconds;
    /// only how later frames are drawn depends on it, never the world.
    void FrameTook(double milliseconds) { governor.FrameTook(milliseconds); }
    /// Whether the next frame draws the 3D view at fewer pixels than the
    /// current viewport has and scales it up over all of them: the view's own
    /// buffers need no clearing then.
    bool ViewScaled() const;

    int cameraMode = 0;      // used modulo 3: above, behind, orbit; never reset
    EntityList entityList;   // every entity of the current level; owns them
    Water water;             // reflection, refraction and wave time
    std::list<ParticleSystem*> particleSystems; // owning; live bursts in insertion order
    int score = 0;           // points
    int level = 0;           // current level number
    int balls = 5;           // balls in reserve, not yet launched
    bool gameOver = true;    // set once lost, never cleared after the start
    LevelManager levelManager;
    /// How much of the picture to give up when frames run over the tick; pinned
    /// by the optional "FrameBudgetLevel" (0 exact .. 4) of "Config.cfg".
    FrameBudgetGovernor governor;
    /// What the frame being drawn gives up of the exact picture; made from
    /// `governor` at the start of each `Render`, exact before the first.
    FramePlan plan;
    /// Profiling hook, empty in the game: told the name of each stage of a frame
    /// as it ends. Per scene pass "set-up", "entities", "terrain", "sky", "trees",
    /// "particles"; "water" once per frame, between the off-screen and visible passes.
    std::function<void(const char* stage)> stageDone;
    // The world's own scenery, not shared through the model cache.
    StaticModel skySphere;   // unit sphere seen from inside, drawn scaled by 150
    StaticModel terrain;     // oasis ground
    TerrainRim terrainRim;   // what the ground hides from an eye inside it
    StaticModel trees;       // palms, alpha-tested
    /// Where entities report what can be heard; silent until the view hands
    /// the world a device through `UseSound`. Never null.
    std::unique_ptr<SoundEvents> sound;
    SoundSettings soundSettings; // the optional sound keys of "Config.cfg"

private:
    void LoadScenery();
    void ReadSkyWithoutMipLevels();
    bool ScaledSize(const FramePlan& framePlan, int& width, int& height) const; // of the scaled frame; false: not scaled
    bool BeginScaledView();  // binds and clears the scaled frame when the plan draws fewer pixels than the view has
    void ApplyCamera();      // of the current mode
    void SetUpLight();
    void DrawVisibleScene(); // the water and the scene over it, in the order the plan asks
    void DrawSolids();     // the pieces and the ground: opaque, and independent of the water's images
    void DrawOverSolids(); // the sky, the trees and the bursts, in that order
    void DrawSky();
    bool ClipHiddenSky(); // sets and enables clip plane 1 when the sky below the eye is hidden
    void DrawTrees();
    void DrawParticles();
    bool DrawCloudsInLayer(MeshBuffers::Side side); // the translucent bursts into the pass's layer, blended; false: not layered
    ParticleBatch::Draws BurstDraws() const;
    ScreenBounds CloudBounds() const; // of the translucent bursts, now
    void updateParticleSystems(float dt);
    void EndStage(const char* stage);
    void ListenFromCamera();
    bool Eye(Vec3& eye) const; // of the current model-view, world units; false when it cannot be inverted
    bool EyeWellAboveWater() const; // the current model-view's eye is over 0.2 units above z = 0
    MeshBuffers::Side TerrainSide() const; // for the pass being drawn
    MeshBuffers::Side ParticleSide() const; // for the pass being drawn
    void buildLevel();
    Entity* findPaddle() const; // first paddle in list order, or null

    ParticleLayer particleLayer; // the visible pass's bursts while frames run over budget
    ParticleLayer waterParticleLayer; // the same for the water's images, one after the other
    ScaledFrame scaledFrame; // the 3D view at fewer pixels, while a large view runs over budget
};
