#pragma once

#include "Support/MouseButtons.h"

/// The game world. For now it holds only what the window and the view use;
/// the entities, water, particles and scenery join it later.
class Game
{
public:
    /// Reads "StartLevel" from "Config.cfg"; throws the configuration errors.
    Game();

    /// Starts the configured level (once per process).
    void StartGame();
    /// Advances the world by dt seconds.
    void Update(float dt);
    /// Draws one frame; the view has cleared and applied its camera.
    void Render();
    /// Draws everything but the water with the current matrices.
    void DrawScene();
    void HandleMouse(float dx, float dy, MouseButtons buttons);
    bool IsGameOver() const { return gameOver; }
    void AddScore(int points) { score += points; }

    int cameraMode = 0; // used modulo 3: above, behind, orbit; never reset
    int score = 0;      // points
    int level = 0;      // current level number
    int balls = 5;      // balls in reserve, not yet launched
    bool gameOver = true;
};
