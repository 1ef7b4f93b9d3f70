#pragma once

#include "Support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>

namespace ShellTest {

/// A temporary working folder for a game world: the given Config.cfg text (none when
/// empty) and, once the repository has them, the game's resources.
class WorldFolder
{
public:
    explicit WorldFolder(const std::string& config)
        : cwd(dir.Path())
    {
        if (!config.empty())
            TestSupport::WriteFile(dir / "Config.cfg", config);
        if (TestSupport::FileExists(std::string(MIRAGE_SOURCE_DIR) + "/Resources"))
            TestSupport::CopyResources(dir.Path());
    }

    const std::string& Path() const { return dir.Path(); }

private:
    TestSupport::TempDir dir;
    TestSupport::ScopedCwd cwd;
};

/// Collects what is written to std::cout while it lives.
class CapturedStdout
{
public:
    CapturedStdout() : previous(std::cout.rdbuf(text.rdbuf())) {}
    ~CapturedStdout() { std::cout.rdbuf(previous); }
    std::string Text() const { return text.str(); }

private:
    std::ostringstream text;
    std::streambuf* previous;
};

/// Runs the event loop until `done` holds; false when it still does not after five seconds.
inline bool RunEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

} // namespace ShellTest
