#pragma once

class Game;

/// Plays like a patient player: launches when no ball is in play and one is in
/// reserve, and keeps the paddle under the lowest ball, hitting it slightly off
/// centre in a slow cycle so the ball sweeps the whole field.
class Autopilot
{
public:
    struct Action
    {
        int pixels = 0;     // mouse motion to the right this tick (40 pixels = 1 world unit)
        bool press = false; // press the left button
    };

    Action Decide(const Game& game, int tick);

private:
    float lastPaddleX = 0.0f;
    int lastPixels = 0;
    int limit = 120; // largest move in pixels; halved after a blocked move
};
