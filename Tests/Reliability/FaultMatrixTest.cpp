// What a player's damaged installation does to the real game: every fault is
// reported on standard output and the game keeps running (or repairs itself).
#include "Reliability/GameProcess.h"
#include "Support/TestSupport.h"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

namespace fs = boost::filesystem;
using Reliability::GameProcess;
using TestSupport::TempDir;
using TestSupport::WriteFile;

namespace {

const char* const reportStart = "Throw in function ";

std::string MessageLine(const std::string& message)
{
    return "[tag_error_message_tag*] = " + message + "\n";
}

// A resource as the game names it in a report, with the full path it was looked for at.
std::string FileLine(const TempDir& dir, const std::string& path)
{
    return "[tag_error_file_tag*] = " + path + " loaded at: " + fs::canonical(dir.Path()).string() + "/" + path
        + "\n";
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class FaultMatrix : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::CopyResources(dir.Path());
        WriteFile(dir / "Config.cfg", "StartLevel=0\n");
    }

    // Starts the game, waits for `line` and checks that it goes on running.
    std::string RunUntil(const std::string& line)
    {
        GameProcess game(dir.Path());
        EXPECT_TRUE(game.WaitForOutput(line)) << "no \"" << line << "\" in:\n" << game.Out() << game.Err();
        EXPECT_TRUE(game.KeepsRunning()) << game.Out() << game.Err();
        EXPECT_TRUE(game.Stop());
        return game.Out();
    }

    // A start that must end in the report of `message`.
    std::string RunExpectingReport(const std::string& message)
    {
        const std::string out = RunUntil(MessageLine(message));
        EXPECT_TRUE(Contains(out, reportStart)) << out;
        return out;
    }

    TempDir dir;
};

TEST_F(FaultMatrix, ConfigurationFaultsAreReported)
{
    fs::remove(dir / "Config.cfg");
    std::string out = RunExpectingReport("ConfigFile not found");
    EXPECT_TRUE(Contains(out, FileLine(dir, "Config.cfg"))) << out;

    WriteFile(dir / "Config.cfg", "# start\nStart Level 3\n");
    out = RunExpectingReport("Could not parse ConfigFile Line");
    EXPECT_TRUE(Contains(out, "[tag_error_detail_tag*] = StartLevel3\n")) << out;

    WriteFile(dir / "Config.cfg", "Level=3\n");
    out = RunExpectingReport("Value not found");
    EXPECT_TRUE(Contains(out, "[tag_error_detail_tag*] = StartLevel\n")) << out;

    WriteFile(dir / "Config.cfg", "StartLevel=three\n");
    out = RunUntil("std::exception::what: bad lexical cast: source type value could not be interpreted as target\n");
    EXPECT_TRUE(Contains(out, "bad_lexical_cast")) << out;
}

} // namespace
