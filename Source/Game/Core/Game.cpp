#include <GL/glew.h>

#include "Core/Game.h"

#include "Effects/ParticleSystem.h"
#include "Gameplay/Block.h"
#include "Gameplay/Entity.h"
#include "Gameplay/Extra.h"
#include "Gameplay/Paddle.h"
#include "Support/ConfigFile.h"
#include "Support/Exception.h"

#include <GL/glu.h>

bool isClearTarget(Entity* e)
{
    if (Block* block = dynamic_cast<Block*>(e))
        return block->required;
    return dynamic_cast<Extra*>(e) != nullptr;
}

Game::Game()
    : levelManager(this)
{
    ConfigFile config("Config.cfg");
    level = config.GetValue<int>("StartLevel");
}

Game::~Game()
{
    entityList.deleteAll();
    for (ParticleSystem* system : particleSystems)
        delete system;
    particleSystems.clear();
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
    updateParticleSystems(dt);
    // The sweep of last tick's marks comes first, then every entity moves.
    entityList.updateAll(dt);
    if (IsLevelCleared()) {
        level += 1;
        balls += 2;
        buildLevel();
    }
    if (balls == 0 && entityList.findAll(isBall).empty())
        gameOver = true;
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

void Game::Render()
{
    switch (cameraMode % 3) {
    case 0: CameraSetup_Above(); break;
    case 1: CameraSetup_Behind(); break;
    default: glTranslatef(0.0f, -6.0f, 0.0f); break;
    }
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    const float ambient[4] = {0.125f, 0.117647f, 0.117647f, 1.0f};
    const float diffuse[4] = {1.0f, 0.941176f, 0.941176f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    // Set after the camera, so the direction stays fixed in the world.
    const float direction[4] = {0.4f, -0.8f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glPushMatrix();
    DrawScene();
    glPopMatrix();
}

void Game::DrawScene()
{
    entityList.drawAll();
    for (ParticleSystem* system : particleSystems)
        system->Draw();
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
