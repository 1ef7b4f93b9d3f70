// The game world's tick without drawing: layout 2 (the largest) with three
// balls in flight. Balls need a GL context (their shader and cube map), so a
// hidden GL widget provides one. Run from the folder holding Resources/ and
// Config.cfg.
#include <GL/glew.h>

#include "Core/Game.h"
#include "Effects/ParticleSystem.h"
#include "Gameplay/Ball.h"
#include "Gameplay/EntityList.h"
#include "Gameplay/Paddle.h"
#include "Shell/OffscreenContext.h"
#include "Shell/QtPlatform.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

const int ballsInFlight = 3;
const int ticksPerRun = 100; // 2 s of play
const float tickSeconds = 0.02f;

Vec3 PaddlePosition(const Game& game)
{
    for (Entity* e : game.entityList.entities)
        if (dynamic_cast<Paddle*>(e))
            return e->position;
    return Vec3();
}

int BallsInFlight(const Game& game)
{
    return static_cast<int>(game.entityList.findAll(isBall).size());
}

// Layout 2 rebuilt from scratch, with three balls leaving the paddle at different angles.
void FreshWorld(Game& game)
{
    game.level = 2;
    game.balls = 100;
    for (ParticleSystem* system : game.particleSystems)
        delete system;
    game.particleSystems.clear();
    game.StartGame();
    const Vec3 paddle = PaddlePosition(game);
    const float sideways[ballsInFlight] = {-0.6f, 0.2f, 0.7f};
    for (int k = 0; k < ballsInFlight; ++k) {
        Ball* ball = new Ball(Vec3(sideways[k], 1.0f, 0.0f).normalize() * 5.0f);
        ball->setGame(&game);
        ball->setPosition(paddle + Vec3(-3.0f + 3.0f * k, 1.5f, 0.0f));
        game.entityList.add(ball, true);
    }
}

// One iteration is a run of ticks from a fresh world, short enough that no ball
// reaches the bottom: the paddle stands still, and a lost ball would end the count.
void BM_TickLayout2ThreeBalls(benchmark::State& state)
{
    Game game;
    long ticks = 0;
    int fewestBalls = ballsInFlight;
    for (auto _ : state) {
        state.PauseTiming();
        FreshWorld(game);
        state.ResumeTiming();
        for (int k = 0; k < ticksPerRun; ++k)
            game.Update(tickSeconds);
        state.PauseTiming();
        fewestBalls = std::min(fewestBalls, BallsInFlight(game));
        state.ResumeTiming();
        ticks += ticksPerRun;
    }
    if (fewestBalls < ballsInFlight)
        state.SkipWithError("a ball left the field during a run");
    // Seconds per tick, shown in the time unit chosen below.
    state.counters["per_tick"] = benchmark::Counter(static_cast<double>(ticks),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TickLayout2ThreeBalls)->Unit(benchmark::kMicrosecond)->Iterations(40);

} // namespace

int main(int argc, char** argv)
{
    PrepareQtApplication();
    QApplication app(argc, argv);
    OffscreenContext context;
    if (!context.MakeCurrent())
        return 1;
    glewInit();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
