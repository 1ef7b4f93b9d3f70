#include "Gameplay/Paddle.h"

#include "Core/Game.h"
#include "Gameplay/Ball.h"
#include "Gameplay/EntityList.h"
#include "Gameplay/Extra.h"

#include <cmath>

namespace {

const float maxStep = 3.0f;          // world units per mouse event
const float minVerticalShare = 0.3f; // of a re-aimed ball's direction
const float speedGain = 0.333f;      // world units per second per contact

} // namespace

void Paddle::onMouse(float dx, float, MouseButtons buttons)
{
    velocity = Vec3(1.0f, 0.0f, 0.0f);
    if (dx > maxStep)
        dx = maxStep;
    if (dx < -maxStep)
        dx = -maxStep;
    // The motion stands in for the time step: all of it or nothing.
    entityList->moveWithCollision(this, dx);
    velocity = Vec3(1.0f, 0.0f, 0.0f);
    if (buttons.left && game->balls > 0 && entityList->findAll(isBall).empty())
        launchBall();
}

void Paddle::launchBall()
{
    Ball* ball = new Ball(Vec3(0.0f, 1.0f, 0.0f).normalize() * 5.0f);
    ball->setGame(game);
    ball->setPosition(position + Vec3(0.0f, 1.0f, 0.0f));
    if (entityList->add(ball, true)) {
        game->balls -= 1;
        game->sound->Play(SoundEffect::Launch, position + Vec3(0.0f, 1.0f, 0.0f), 1.0f);
    }
}

void Paddle::reaim(MoveableEntity* ball)
{
    const Vec3 v = ball->velocity;
    const float speed = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    Vec3 n = Vec3(v).normalize();
    n.x += 3.0f * (ball->position.x - position.x) / (collisionModel.max.x - collisionModel.min.x);
    n.normalize();
    // A zero vertical component counts as upward.
    if (n.y >= 0.0f && n.y < minVerticalShare) {
        n.y = minVerticalShare;
        n.normalize();
    }
    if (n.y > -minVerticalShare && n.y <= 0.0f) {
        n.y = -minVerticalShare;
        n.normalize();
    }
    ball->setVelocity(n * (speed + speedGain));
}

void Paddle::onCollision(Entity* other)
{
    if (isBall(other)) {
        reaim(static_cast<MoveableEntity*>(other));
        game->sound->Play(SoundEffect::PaddleBounce, other->position, 1.0f);
    }
    if (dynamic_cast<Extra*>(other)) {
        entityList->markForRemoval(other);
        game->AddScore(8);
        game->sound->Play(SoundEffect::ExtraCaught, other->position, 1.0f);
    }
}
