#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace Reliability {

/// The real game binary started in a folder, with its output going to files
/// there. Stopped (SIGTERM) on destruction if it still runs.
class GameProcess
{
public:
    /// `unprivileged`: run as user "nobody" (only possible for root), so that
    /// file permissions bind as they do for a player; the binary then runs
    /// from a copy in `dir`, since the build may lie where nobody cannot reach
    /// (a checkout in a home of mode 0700). `environment`: "NAME=value"
    /// entries set for the game alone.
    explicit GameProcess(const std::string& dir, bool unprivileged = false,
                         const std::vector<std::string>& environment = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    /// Waits until standard output holds `text` (false when the process ends
    /// first or after a generous deadline for slow sanitizer builds).
    bool WaitForOutput(const std::string& text);

    /// Lets it tick a while longer, then tells whether it is still running.
    bool KeepsRunning();

    /// Ends it; true when it was still running until then.
    bool Stop();

    std::string Out() const;
    std::string Err() const;

    /// Whether this process may start games in `dir` as "nobody": root that
    /// can drop its privileges, and nobody may enter `dir` and read its
    /// Config.cfg and Resources/; the reason when not.
    static bool CanRunUnprivileged(const std::string& dir, std::string& why);

private:
    void Launch();
    bool Running();

    std::string dir;
    bool unprivileged = false;
    std::vector<std::string> environment; // "NAME=value", the game's alone
    std::string outPath; // the game's standard output
    std::string errPath; // the game's standard error
    pid_t pid = -1;      // -1 once reaped
};

} // namespace Reliability
