#include "Autopilot.h"

#include "Core/Game.h"
#include "Gameplay/Ball.h"
#include "Gameplay/Paddle.h"

#include <algorithm>
#include <cmath>

namespace {

const Entity* FirstPaddle(const Game& game)
{
    for (const Entity* e : game.entityList.entities)
        if (dynamic_cast<const Paddle*>(e))
            return e;
    return nullptr;
}

const Entity* LowestBall(const Game& game)
{
    const Entity* lowest = nullptr;
    for (const Entity* e : game.entityList.entities)
        if (!e->removed && dynamic_cast<const Ball*>(e) && (!lowest || e->position.y < lowest->position.y))
            lowest = e;
    return lowest;
}

} // namespace

Autopilot::Action Autopilot::Decide(const Game& game, int tick)
{
    Action action;
    const Entity* paddle = FirstPaddle(game);
    if (!paddle)
        return action;
    const Entity* ball = LowestBall(game);
    if (!ball) {
        action.press = game.balls > 0;
        return action;
    }
    // A move that changed nothing was blocked by a wall: try smaller steps.
    if (lastPixels != 0 && paddle->position.x == lastPaddleX)
        limit = std::max(limit / 2, 4);
    else if (paddle->position.x != lastPaddleX)
        limit = 120;
    const float aim = 0.45f * static_cast<float>(((tick / 200) % 5) - 2);
    const float wanted = (ball->position.x - aim - paddle->position.x) * 40.0f;
    action.pixels = std::clamp(static_cast<int>(std::lround(wanted)), -limit, limit);
    lastPaddleX = paddle->position.x;
    lastPixels = action.pixels;
    return action;
}
