#include "Reliability/GameProcess.h"

#include "Support/TestSupport.h"

#include <boost/filesystem.hpp>

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

// The build may lie where nobody cannot reach it (a checkout in a home of
// mode 0700): nobody runs a copy in the folder it plays in.
std::string BinaryFor(const std::string& dir, bool unprivileged)
{
    if (!unprivileged)
        return MIRAGE_BINARY;
    namespace fs = boost::filesystem;
    const std::string copy = dir + "/.mirage";
    fs::copy_file(MIRAGE_BINARY, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms(0755));
    return copy;
}

void SetEnvironment(const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        const std::size_t equals = entry.find('=');
        setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
    }
}

[[noreturn]] void StartChild(const std::string& dir, const std::string& binary, int out, int err, bool unprivileged)
{
    if (dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0 || chdir(dir.c_str()) != 0)
        _exit(126);
    if (unprivileged) {
        ShareXAuthority(dir);
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
        if (!DropPrivileges())
            _exit(126);
    }
    execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// What user nobody lacks to play in `dir`, as an exit status: 0 nothing, 1
// the switch of user, 2 entering `dir`, 3 its Config.cfg, 4 its Resources/.
int ProbeAsNobody(const std::string& dir)
{
    if (!DropPrivileges())
        return 1;
    if (access(dir.c_str(), R_OK | X_OK) != 0)
        return 2;
    if (access((dir + "/Config.cfg").c_str(), R_OK) != 0)
        return 3;
    return access((dir + "/Resources").c_str(), R_OK | X_OK) == 0 ? 0 : 4;
}

} // namespace

GameProcess::GameProcess(const std::string& dir, bool unprivileged, const std::vector<std::string>& environment)
    : dir(dir)
    , unprivileged(unprivileged)
    , environment(environment)
    , outPath(dir + "/.stdout")
    , errPath(dir + "/.stderr")
{
    Launch();
}

void GameProcess::Launch()
{
    const std::string binary = BinaryFor(dir, unprivileged);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid = fork();
    if (pid == 0) {
        SetEnvironment(environment);
        StartChild(dir, binary, out, err, unprivileged);
    }
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

bool GameProcess::CanRunUnprivileged(const std::string& dir, std::string& why)
{
    if (geteuid() != 0) {
        why = "not running as root";
        return false;
    }
    const pid_t probe = fork();
    if (probe == 0)
        _exit(ProbeAsNobody(dir));
    int status = 0;
    waitpid(probe, &status, 0);
    const int lack = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    const std::string reasons[] = {"", "root here cannot switch to user nobody",
                                   "user nobody cannot enter " + dir,
                                   "user nobody cannot read " + dir + "/Config.cfg",
                                   "user nobody cannot read " + dir + "/Resources"};
    why = reasons[lack >= 0 && lack <= 4 ? lack : 1];
    return lack == 0;
}

} // namespace Reliability
