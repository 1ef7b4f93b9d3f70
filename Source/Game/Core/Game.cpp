#include "Core/Game.h"

#include "Support/ConfigFile.h"

Game::Game()
{
    ConfigFile config("Config.cfg");
    level = config.GetValue<int>("StartLevel");
}

void Game::StartGame()
{
    gameOver = false;
}

void Game::Update(float)
{
}

void Game::Render()
{
}

void Game::DrawScene()
{
}

void Game::HandleMouse(float, float, MouseButtons)
{
}
