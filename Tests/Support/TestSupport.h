#pragma once

#include <string>

namespace TestSupport {

/// Makes one hidden GL widget's context current for the whole test binary
/// (created on first use, so tests without GL need no display).
void EnsureGLContext();

/// A fresh empty folder under the system temp dir, removed on destruction.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    /// Path + "/" + name.
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

/// Makes the current working directory `dir` until destruction.
class ScopedCwd
{
public:
    explicit ScopedCwd(const std::string& dir);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::string previous;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

/// Result of running the real game binary.
struct RunResult
{
    std::string out;
    std::string err;
    bool stillRunning = false; // true when it had to be stopped, a while after the awaited line
};

/// Starts the game binary in `dir`, waits until its standard output holds
/// `line` (or it ends, or a deadline for a loaded machine passes), lets it
/// tick a while on and stops it. Waiting for what the test looks at, not
/// for a time, keeps the outcome the same however busy the machine is.
RunResult RunGame(const std::string& dir, const std::string& line);

/// Copies the repository's Resources/ folder into `dir`.
void CopyResources(const std::string& dir);

} // namespace TestSupport
