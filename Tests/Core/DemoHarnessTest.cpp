// End to end through the demo harness: the autopilot plays the real window
// with real mouse events; rendering is skipped so thousands of ticks stay fast.
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

struct Trace
{
    std::vector<std::string> lines; // "trace tick ..." lines in order
    int lastScore = 0;
    int lastLevel = 0;
};

Trace Play(const TestSupport::TempDir& dir, int ticks)
{
    std::ostringstream cmd;
    cmd << "cd '" << dir.Path() << "' && '" << MIRAGE_HARNESS << "' --ticks " << ticks
        << " --render-every 0 >'" << (dir / "harness.out") << "' 2>&1";
    EXPECT_EQ(0, std::system(cmd.str().c_str()));
    Trace trace;
    std::istringstream out(TestSupport::ReadFile(dir / "harness.out"));
    for (std::string line; std::getline(out, line);) {
        int tick, score, balls, level;
        if (std::sscanf(line.c_str(), "trace tick %d: score %d balls %d level %d", &tick, &score, &balls, &level) == 4) {
            trace.lines.push_back(line);
            trace.lastScore = score;
            trace.lastLevel = level;
        }
    }
    return trace;
}

} // namespace

TEST(DemoHarness, AutopilotClearsLayoutZeroAndTheSameRunGivesTheSameTrace)
{
    TestSupport::TempDir first, second;
    for (const TestSupport::TempDir* dir : {&first, &second}) {
        TestSupport::CopyResources(dir->Path());
        TestSupport::WriteFile(*dir / "Config.cfg", "StartLevel=0\n");
    }
    const Trace a = Play(first, 6000);
    EXPECT_GE(a.lastLevel, 1) << "the autopilot did not clear layout 0";
    EXPECT_GE(a.lastScore, 30);
    // The generator is never seeded: a second process replays the same game.
    const Trace b = Play(second, 6000);
    EXPECT_EQ(a.lines, b.lines);
}

TEST(DemoHarness, RelativeCsvPathIsWrittenBesideTheCallerEvenForAChosenLevel)
{
    // A chosen level runs in a temporary folder of its own, removed at the end.
    TestSupport::TempDir dir;
    TestSupport::CopyResources(dir.Path());
    TestSupport::WriteFile(dir / "Config.cfg", "StartLevel=0\n");
    std::ostringstream cmd;
    cmd << "cd '" << dir.Path() << "' && '" << MIRAGE_HARNESS << "' --ticks 3 --level 2 --render-every 0"
        << " --csv frames.csv --quiet >'" << (dir / "harness.out") << "' 2>&1";
    ASSERT_EQ(0, std::system(cmd.str().c_str()));
    ASSERT_TRUE(TestSupport::FileExists(dir / "frames.csv"));
    std::istringstream csv(TestSupport::ReadFile(dir / "frames.csv"));
    std::vector<std::string> rows;
    for (std::string line; std::getline(csv, line);)
        rows.push_back(line);
    ASSERT_EQ(4u, rows.size()); // header and one row per tick
    EXPECT_EQ(0u, rows[0].find("tick,"));
    EXPECT_NE(std::string::npos, rows[3].find(",2")) << "the rows come from layout 2: " << rows[3];
}
