#include "Support/TestSupport.h"

// GLEW must come before any other GL header.
#include <GL/glew.h>

#include "Reliability/GameProcess.h"
#include "Shell/OffscreenContext.h"
#include "Shell/QtPlatform.h"

#include <QApplication>

#include <boost/filesystem.hpp>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace TestSupport {

namespace fs = boost::filesystem;

void EnsureGLContext()
{
    static int argc = 1;
    static char name[] = "mirage_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = nullptr;
    static OffscreenContext* context = nullptr;
    if (!app) {
        PrepareQtApplication();
        app = new QApplication(argc, argv); // lives until exit, like the game's
        context = new OffscreenContext();
        context->MakeCurrent();
        glewInit();
    }
    context->MakeCurrent();
}

TempDir::TempDir()
{
    path = fs::unique_path(fs::temp_directory_path() / "mirage-test-%%%%-%%%%-%%%%").string();
    fs::create_directories(path);
}

TempDir::~TempDir()
{
    boost::system::error_code ec;
    fs::remove_all(path, ec);
}

ScopedCwd::ScopedCwd(const std::string& dir)
    : previous(fs::current_path().string())
{
    fs::current_path(dir);
}

ScopedCwd::~ScopedCwd()
{
    fs::current_path(previous);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path)
{
    return fs::exists(path);
}

RunResult RunGame(const std::string& dir, const std::string& line)
{
    Reliability::GameProcess game(dir);
    game.WaitForOutput(line);
    RunResult result;
    result.stillRunning = game.KeepsRunning();
    game.Stop();
    result.out = game.Out();
    result.err = game.Err();
    fs::remove(dir + "/.stdout");
    fs::remove(dir + "/.stderr");
    return result;
}

void CopyResources(const std::string& dir)
{
    const fs::path source = fs::path(MIRAGE_SOURCE_DIR) / "Resources";
    for (fs::recursive_directory_iterator it(source), end; it != end; ++it) {
        const fs::path relative = fs::relative(it->path(), source);
        const fs::path target = fs::path(dir) / "Resources" / relative;
        if (fs::is_directory(it->path()))
            fs::create_directories(target);
        else if (it->path().extension() != ".bin")
            fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing);
    }
}

} // namespace TestSupport
