#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>

using TestSupport::TempDir;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The game's working directory as the game itself sees it (symbolic links resolved).
std::string RealPath(const std::string& dir)
{
    return boost::filesystem::canonical(dir).string();
}

// The game's assets, once the repository has them, so that only the configuration is wrong.
void AddResources(const TempDir& dir)
{
    if (TestSupport::FileExists(std::string(MIRAGE_SOURCE_DIR) + "/Resources"))
        TestSupport::CopyResources(dir.Path());
}

} // namespace

TEST(GameProcess, MissingConfigIsReportedAndTheGameKeepsRunning)
{
    TempDir dir;
    AddResources(dir);
    const TestSupport::RunResult run = TestSupport::RunGame(dir.Path(), "ConfigFile not found\n");
    EXPECT_TRUE(run.stillRunning) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "ConfigFile.cpp(16): Throw in function ")) << run.out;
    EXPECT_TRUE(Contains(run.out, "[tag_error_message_tag*] = ConfigFile not found\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "Config.cfg loaded at: " + RealPath(dir.Path()) + "/Config.cfg\n")) << run.out;
}

TEST(GameProcess, NonNumericStartLevelIsReportedAndTheGameKeepsRunning)
{
    TempDir dir;
    AddResources(dir);
    TestSupport::WriteFile(dir / "Config.cfg", "StartLevel=abc\n");
    const TestSupport::RunResult run = TestSupport::RunGame(dir.Path(), "bad lexical cast");
    EXPECT_TRUE(run.stillRunning) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "bad_lexical_cast")) << run.out;
    EXPECT_TRUE(Contains(run.out,
                         "std::exception::what: bad lexical cast: source type value could not be "
                         "interpreted as target\n"))
        << run.out;
}
