#include "Core/RendererWarmUp.h"

#include "Core/Game.h"
#include "Effects/WarmUpBurst.h"
#include "Gameplay/Ball.h"

#include <list>

namespace {

/// The middle of the level's pieces on the water, where bursts happen.
Vec3 FieldCentre(const Game& game)
{
    Vec3 sum;
    int count = 0;
    for (const Entity* entity : game.entityList.entities) {
        sum = sum + entity->position;
        ++count;
    }
    const Vec3 centre = count > 0 ? sum * (1.0f / static_cast<float>(count)) : Vec3();
    return Vec3(centre.x, centre.y, 0.0f);
}

/// A ball's look without a ball: a real one builds a render target, and says so
/// on the console.
class StillBall : public Entity
{
public:
    explicit StillBall(Vec3 at) { position = at; }
    void drawAs(PieceDetail detail) override { Ball::DrawAt(position, Ball::everyRadius, detail); }
};

/// Puts the world's bursts aside for the warm-up's own and adds its ball to
/// the pieces; afterwards takes both out again and puts back the world's
/// bursts and governor.
class WorldAside
{
public:
    WorldAside(Game& game, const std::vector<std::unique_ptr<WarmUpBurst>>& warmUpBursts, Entity& ball)
        : game(game)
        , governor(game.governor)
        , ball(&ball)
    {
        bursts.swap(game.particleSystems);
        for (const auto& burst : warmUpBursts)
            game.particleSystems.push_back(burst.get());
        game.entityList.entities.push_front(&ball);
    }
    ~WorldAside()
    {
        game.entityList.entities.remove(ball);
        game.particleSystems.swap(bursts);
        game.governor = governor;
        game.water.ForgetImages();
    }
    WorldAside(const WorldAside&) = delete;
    WorldAside& operator=(const WorldAside&) = delete;

private:
    Game& game;
    const FrameBudgetGovernor governor;
    Entity* ball;                      // the warm-up's, not owned
    std::list<ParticleSystem*> bursts; // the world's, while aside
};

} // namespace

void WarmUpRenderer(Game& game, const std::function<void()>& drawFrame)
{
    // No ball is in play before the first launch: the first one drawn builds
    // the mirror map and the way a reflecting piece is drawn.
    const Vec3 centre = FieldCentre(game);
    StillBall ball(centre);
    const auto bursts = WarmUpBurst::OfEveryKind(centre);
    const WorldAside aside(game, bursts, ball);
    // The exact level last: the frame after it needs its large images anyway.
    for (int level = FrameBudgetGovernor::coarsestLevel; level >= FrameBudgetGovernor::exactLevel; --level) {
        game.governor = FrameBudgetGovernor(level);
        drawFrame();
    }
}
