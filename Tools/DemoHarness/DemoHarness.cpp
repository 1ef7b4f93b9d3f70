// Drives the real game window under X (Xvfb when headless) with ticks it
// steps itself, scripted or autopilot mouse input sent as real Qt events, and
// reports start-up, per-frame tick and render times, the score trace and
// screenshots of chosen ticks.
#include <GL/glew.h>

#include "Autopilot.h"
#include "FrameStats.h"
#include "HarnessOptions.h"
#include "MemorySampler.h"
#include "StageProfile.h"

#include "Core/Game.h"
#include "Shell/GLView.h"
#include "Shell/MainWindow.h"
#include "Shell/QtPlatform.h"
#include "Support/MemoryPolicy.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <boost/filesystem.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

namespace fs = boost::filesystem;

/// A temporary working folder with its own Config.cfg and the data linked in,
/// so a level can be chosen without touching the user's settings.
fs::path EnterLevelFolder(int level)
{
    const fs::path data = fs::absolute("Resources");
    const fs::path folder = fs::temp_directory_path() / fs::unique_path("mirage-harness-%%%%-%%%%");
    fs::create_directories(folder);
    fs::create_directory_symlink(data, folder / "Resources");
    std::ofstream(folder.string() + "/Config.cfg") << "StartLevel=" << level << "\n";
    fs::current_path(folder);
    return folder;
}

void SendMouse(GLView* view, QEvent::Type type, int pixels, Qt::MouseButton button)
{
    const QPointF at(300 + pixels, 300);
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, view->mapToGlobal(at.toPoint()), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void ApplyScript(const HarnessOptions& options, std::size_t& next, int tick, MainWindow* window)
{
    for (; next < options.script.size() && options.script[next].tick <= tick; ++next) {
        const ScriptedInput& input = options.script[next];
        if (input.kind == ScriptedInput::Move)
            SendMouse(window->View(), QEvent::MouseMove, input.pixels, Qt::NoButton);
        else if (input.kind == ScriptedInput::Press)
            SendMouse(window->View(), QEvent::MouseButtonPress, 0, Qt::LeftButton);
        else
            window->on_CameraSwitch();
    }
}

void ApplyAutopilot(Autopilot& pilot, const Game& game, int tick, GLView* view)
{
    const Autopilot::Action action = pilot.Decide(game, tick);
    if (action.press)
        SendMouse(view, QEvent::MouseButtonPress, 0, Qt::LeftButton);
    if (action.pixels != 0)
        SendMouse(view, QEvent::MouseMove, action.pixels, Qt::NoButton);
}

/// The whole window as a player sees it: the head-up labels are set from the
/// world (the harness steps ticks without the window's own tick) and the GL
/// view's frame is painted over its place.
bool SaveWindowShot(MainWindow* window, const Game& game, const std::string& path)
{
    window->findChild<QLabel*>("score")->setText(QString::number(game.score));
    window->findChild<QLabel*>("balls")->setText(QString::number(game.balls));
    window->findChild<QLabel*>("level")->setText(QString::number(game.level));
    QApplication::processEvents();
    GLView* view = window->View();
    QImage image = window->grab().toImage();
    QPainter painter(&image);
    painter.drawImage(window->ViewContainer()->mapTo(window, QPoint(0, 0)), view->GrabFrame());
    painter.end();
    return image.save(QString::fromStdString(path));
}

/// The scene pass being drawn, as the stage profile names it.
const char* PassName(const Water& water)
{
    switch (water.Rendering()) {
    case Water::Image::Reflection: return "reflection";
    case Water::Image::Refraction: return "refraction";
    default: return "visible";
    }
}

/// Repaints at once and waits for the renderer; milliseconds. `stages`, when
/// given, is told where the frame begins and ends.
double RenderFrame(GLView* view, StageProfile* stages = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    if (stages)
        stages->BeginFrame();
    view->RenderNow();
    if (stages)
        stages->EndFrame();
    glFinish();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void TraceIfChanged(const Game& game, int tick, int (&last)[3], bool quiet)
{
    const int now[3] = {game.score, game.balls, game.level};
    if (now[0] == last[0] && now[1] == last[1] && now[2] == last[2])
        return;
    if (!quiet)
        std::printf("trace tick %d: score %d balls %d level %d%s\n", tick, now[0], now[1], now[2],
                    game.IsGameOver() ? " (game over)" : "");
    std::copy(now, now + 3, last);
}

int Run(const HarnessOptions& options, MainWindow* window, qint64 startupMs)
{
    GLView* view = window->View();
    Game* game = view->GetGame();
    if (!game) {
        std::fprintf(stderr, "demo_harness: the game world could not be built (see the report above)\n");
        return 1;
    }
    game->cameraMode = options.cameraMode;
    if (!options.sound)
        game->UseSound(nullptr); // the view opened the device; closing it silences the world
    if (options.budgetLevel)
        game->governor = FrameBudgetGovernor(*options.budgetLevel);
    FrameStats stats(static_cast<std::size_t>(std::max(options.ticks, 0)));
    StageProfile stages;
    MemorySampler memory(options.memoryCsvPath.empty() ? 0 : options.memoryEvery);
    if (options.stageTimes)
        game->stageDone = [&stages, game](const char* stage) { stages.EndStage(stage, PassName(game->water)); };
    Autopilot pilot;
    std::size_t nextInput = 0;
    int last[3] = {-1, -1, -1};
    for (int tick = 1; tick <= options.ticks; ++tick) {
        if (options.autopilot)
            ApplyAutopilot(pilot, *game, tick, view);
        else
            ApplyScript(options, nextInput, tick, window);
        QElapsedTimer clock;
        clock.start();
        game->Update(0.02f);
        const double tickMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        // The frame before a shot is drawn too: a level that renders the water's
        // images in turn then shows them as a player would see them.
        const bool shotDue = options.shots.count(tick) != 0 || options.windowShots.count(tick) != 0 ||
                             options.shots.count(tick + 1) != 0 || options.windowShots.count(tick + 1) != 0;
        const bool renderDue = options.renderEvery > 0 && tick % options.renderEvery == 0;
        const double renderMs = renderDue || shotDue ? RenderFrame(view, options.stageTimes && tick >= options.stageFrom ? &stages : nullptr) : 0.0;
        QApplication::processEvents();
        stats.Add({tick, tickMs, renderMs, game->score, game->balls, game->level, game->governor.Level()});
        TraceIfChanged(*game, tick, last, options.quiet);
        memory.Tick(tick, game->level);
        auto shot = options.shots.find(tick);
        if (shot != options.shots.end() && !view->GrabFrame().save(QString::fromStdString(shot->second)))
            std::fprintf(stderr, "demo_harness: could not save %s\n", shot->second.c_str());
        shot = options.windowShots.find(tick);
        if (shot != options.windowShots.end() && !SaveWindowShot(window, *game, shot->second))
            std::fprintf(stderr, "demo_harness: could not save %s\n", shot->second.c_str());
    }
    std::printf("startup ms (process start to first frame): %lld\n", static_cast<long long>(startupMs));
    stats.PrintSummary();
    stages.Print();
    if (!options.csvPath.empty() && !stats.WriteCsv(options.csvPath))
        std::fprintf(stderr, "demo_harness: could not write %s\n", options.csvPath.c_str());
    if (!options.memoryCsvPath.empty() && !memory.WriteCsv(options.memoryCsvPath))
        std::fprintf(stderr, "demo_harness: could not write %s\n", options.memoryCsvPath.c_str());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    UseReturnableLargeBlocks(); // memory behaves as in the game
    const HarnessOptions options = HarnessOptions::Parse(argc, argv);
    fs::path levelFolder;
    if (options.level)
        levelFolder = EnterLevelFolder(*options.level);

    int qtArgc = 1;
    PrepareQtApplication();
    QApplication application(qtArgc, argv);
    MainWindow* window = new MainWindow();
    window->Clock().stop(); // the harness steps the ticks itself
    window->View()->SetScriptedInput(true); // its moves steer whichever window is in front
    QApplication::setActiveWindow(window);
    window->resize(options.width, options.height);
    window->show();
    QApplication::processEvents();
    RenderFrame(window->View());
    const qint64 startupMs = sinceStart.elapsed();

    const int result = Run(options, window, startupMs);
    delete window; // tears the world down while its GL context still exists
    if (!levelFolder.empty())
        fs::remove_all(levelFolder); // removes the link, not the data
    return result;
}
