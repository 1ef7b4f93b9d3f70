// The real game binary in a folder of its own, as a player starts it.
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const char* const meshes[] = {"SkySphere/SkySphere.obj", "Oasis/terrain.obj", "Oasis/trees.obj",
                              "Block/Block.obj", "ExplosionBlock/Dynamite.obj", "Extra01/Extra.obj",
                              "ExtraBlock/Barrel.obj", "LauncherBlock/LauncherBlock.obj", "Paddle/Paddle.obj"};

int CountLines(const std::string& text, const std::string& line)
{
    std::istringstream lines(text);
    int count = 0;
    for (std::string l; std::getline(lines, l);)
        count += l == line ? 1 : 0;
    return count;
}

// Layout 0 holds three launcher balls; each ball builds one render target,
// the last thing a start prints.
const std::string levelBuilt = "GL_FRAMEBUFFER_COMPLETE\nGL_FRAMEBUFFER_COMPLETE\nGL_FRAMEBUFFER_COMPLETE\n";

class GameStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::CopyResources(dir.Path());
        TestSupport::WriteFile(dir / "Config.cfg", "StartLevel=0\n");
    }

    TestSupport::TempDir dir;
};

} // namespace

TEST_F(GameStart, FirstStartParsesEveryMeshAndTheSecondReadsOnlyTheCaches)
{
    const TestSupport::RunResult first = TestSupport::RunGame(dir.Path(), levelBuilt);
    ASSERT_TRUE(first.stillRunning) << first.out;
    for (const std::string mesh : meshes) {
        EXPECT_EQ(1, CountLines(first.out, "Loading StaticModel Resources/" + mesh)) << mesh;
        EXPECT_EQ(1, CountLines(first.out, "Model Resources/" + mesh + " successfully loaded!")) << mesh;
        EXPECT_EQ(1, CountLines(first.out, "Saving Resources/" + mesh + ".bin")) << mesh;
        EXPECT_TRUE(TestSupport::FileExists(dir / "Resources/" + mesh + ".bin")) << mesh;
    }
    EXPECT_EQ(3, CountLines(first.out, "GL_FRAMEBUFFER_COMPLETE")) << first.out;
    // Our meshes hold one object each, so the loader's one warning never shows.
    EXPECT_EQ(std::string::npos, first.err.find("WARNUNG")) << first.err;

    const TestSupport::RunResult second = TestSupport::RunGame(dir.Path(), levelBuilt);
    ASSERT_TRUE(second.stillRunning) << second.out;
    for (const std::string mesh : meshes)
        EXPECT_EQ(1, CountLines(second.out, "Loading Resources/" + mesh + ".bin")) << mesh;
    EXPECT_EQ(std::string::npos, second.out.find("Loading StaticModel")) << second.out;
    EXPECT_EQ(std::string::npos, second.out.find("Saving")) << second.out;
    EXPECT_EQ(3, CountLines(second.out, "GL_FRAMEBUFFER_COMPLETE"));
}

TEST_F(GameStart, AMissingMeshIsReportedWithItsPathAndTheWindowStaysUp)
{
    std::remove((dir / "Resources/Oasis/trees.obj").c_str());
    const TestSupport::RunResult run = TestSupport::RunGame(dir.Path(), "] = Resources/Oasis/trees.obj loaded at: ");
    EXPECT_TRUE(run.stillRunning);
    EXPECT_NE(std::string::npos, run.out.find("StaticModel.cpp(94): Throw in function ")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("] = Model could not be loaded\n")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("] = Resources/Oasis/trees.obj\n")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("] = Resources/Oasis/trees.obj loaded at: " + dir.Path())) << run.out;
}
