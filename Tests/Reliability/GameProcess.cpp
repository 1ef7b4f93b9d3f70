#include "Reliability/GameProcess.h"

#include "Support/TestSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace Reliability {

namespace {

const uid_t nobody = 65534;
const int deadlineSeconds = 90; // start-up under the sanitizers on a loaded machine
const int tickingMillis = 1500; // about 75 ticks after the awaited line

bool DropPrivileges()
{
    return setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0;
}

// The X server's cookie, readable by the unprivileged player.
void ShareXAuthority(const std::string& dir)
{
    const char* cookie = std::getenv("XAUTHORITY");
    if (cookie == nullptr)
        return;
    const std::string copy = dir + "/.Xauthority";
    TestSupport::WriteFile(copy, TestSupport::ReadFile(cookie));
    if (chown(copy.c_str(), nobody, nobody) != 0 || chmod(copy.c_str(), 0600) != 0)
        return;
    setenv("XAUTHORITY", copy.c_str(), 1);
}

[[noreturn]] void StartChild(const std::string& dir, int out, int err, bool unprivileged)
{
    if (dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0 || chdir(dir.c_str()) != 0)
        _exit(126);
    if (unprivileged) {
        ShareXAuthority(dir);
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
        if (!DropPrivileges())
            _exit(126);
    }
    execl(MIRAGE_BINARY, MIRAGE_BINARY, static_cast<char*>(nullptr));
    _exit(127);
}

} // namespace

GameProcess::GameProcess(const std::string& dir, bool unprivileged)
    : dir(dir)
    , unprivileged(unprivileged)
    , outPath(dir + "/.stdout")
    , errPath(dir + "/.stderr")
{
    Launch();
}

void GameProcess::Launch()
{
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid = fork();
    if (pid == 0)
        StartChild(dir, out, err, unprivileged);
    close(out);
    close(err);
}

GameProcess::~GameProcess()
{
    Stop();
}

bool GameProcess::WaitForOutput(const std::string& text)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(deadlineSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Out().find(text) != std::string::npos)
            return true;
        if (!Running())
            return Out().find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

bool GameProcess::KeepsRunning()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(tickingMillis));
    return Running();
}

bool GameProcess::Stop()
{
    if (!Running())
        return false;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
    return true;
}

bool GameProcess::Running()
{
    if (pid <= 0)
        return false;
    if (waitpid(pid, nullptr, WNOHANG) == 0)
        return true;
    pid = -1;
    return false;
}

std::string GameProcess::Out() const
{
    return TestSupport::ReadFile(outPath);
}

std::string GameProcess::Err() const
{
    return TestSupport::ReadFile(errPath);
}

bool GameProcess::CanRunUnprivileged(std::string& why)
{
    if (geteuid() != 0) {
        why = "not running as root";
        return false;
    }
    const pid_t probe = fork();
    if (probe == 0)
        _exit(DropPrivileges() ? 0 : 1);
    int status = 0;
    waitpid(probe, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        why = "root here cannot switch to user nobody";
        return false;
    }
    return true;
}

} // namespace Reliability
