// What a player's damaged installation does to the real game: every fault is
// reported on standard output and the game keeps running (or repairs itself).
#include "Reliability/GameProcess.h"
#include "Support/TestSupport.h"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <sstream>

#include <unistd.h>

namespace fs = boost::filesystem;
using Reliability::GameProcess;
using TestSupport::ReadFile;
using TestSupport::TempDir;
using TestSupport::WriteFile;

namespace {

const char* const reportStart = "Throw in function ";
// The paddle is the last mesh the game world loads.
const std::string paddleCache = "Resources/Paddle/Paddle.obj.bin";

std::string MessageLine(const std::string& message)
{
    return "[tag_error_message_tag*] = " + message + "\n";
}

std::string ModelLine(const std::string& model)
{
    return "[tag_error_model_tag*] = " + model + "\n";
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

// The second token of the first line of `file` that starts with `kind` and a blank.
std::string FirstArgument(const std::string& file, const std::string& kind)
{
    std::istringstream lines(ReadFile(file));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, kind.size() + 1, kind + " ") == 0) {
            std::string argument = line.substr(kind.size() + 1);
            while (!argument.empty() && (argument.back() == '\r' || argument.back() == ' '))
                argument.pop_back();
            return argument;
        }
    }
    return std::string();
}

std::string Folder(const std::string& path)
{
    return path.substr(0, path.rfind('/') + 1);
}

// The MTL file a mesh names, as a path below the working directory.
std::string MaterialFile(const TempDir& dir, const std::string& mesh)
{
    return Folder(mesh) + FirstArgument(dir / mesh, "mtllib");
}

// The first texture that a mesh's MTL file names, as a path below the working directory.
std::string FirstTexture(const TempDir& dir, const std::string& mesh)
{
    const std::string library = MaterialFile(dir, mesh);
    return Folder(mesh) + FirstArgument(dir / library, "map_Kd");
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

class MissingMesh : public FaultMatrix, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(MissingMesh, IsReportedWithItsPath)
{
    const std::string mesh = std::string("Resources/") + GetParam();
    fs::remove(dir / mesh);
    const std::string out = RunExpectingReport("Model could not be loaded");
    EXPECT_TRUE(Contains(out, FileLine(dir, mesh))) << out;
    EXPECT_TRUE(Contains(out, ModelLine(mesh))) << out;
}

// The first scenery mesh, the last one, an entity mesh that payloads share and the last entity mesh.
INSTANTIATE_TEST_SUITE_P(SceneryAndEntities, MissingMesh,
                         ::testing::Values("SkySphere/SkySphere.obj", "Oasis/trees.obj", "Extra01/Extra.obj",
                                           "Paddle/Paddle.obj"));

TEST_F(FaultMatrix, MissingMaterialFileIsReportedWithItsMesh)
{
    const std::string mesh = "Resources/Paddle/Paddle.obj";
    const std::string library = MaterialFile(dir, mesh);
    ASSERT_NE(Folder(mesh), library) << mesh << " names no material file";
    fs::remove(dir / library);
    const std::string out = RunExpectingReport("MaterialLib not found");
    EXPECT_TRUE(Contains(out, FileLine(dir, library))) << out;
    EXPECT_TRUE(Contains(out, ModelLine(mesh))) << out;
}

TEST_F(FaultMatrix, MissingOrBrokenTextureIsReportedWithItsMesh)
{
    const std::string mesh = "Resources/Block/Block.obj";
    const std::string texture = FirstTexture(dir, mesh);
    ASSERT_NE(Folder(mesh), texture) << mesh << " has no texture";
    const std::string image = ReadFile(dir / texture);

    fs::remove(dir / texture);
    std::string out = RunExpectingReport("Texture couldn't be loaded");
    EXPECT_TRUE(Contains(out, FileLine(dir, texture))) << out;
    EXPECT_TRUE(Contains(out, ModelLine(mesh))) << out;

    WriteFile(dir / texture, "this is text, not a picture\n");
    out = RunExpectingReport("Texture couldn't be loaded");
    EXPECT_TRUE(Contains(out, FileLine(dir, texture))) << out;
    EXPECT_TRUE(Contains(out, ModelLine(mesh))) << out;
}

TEST_F(FaultMatrix, WaterShaderFaultsAreReportedWithFileOrSource)
{
    const std::string fragment = "Resources/Water.frag";
    fs::remove(dir / fragment);
    std::string out = RunExpectingReport("FragmentShader File couldn't be loaded! - ");
    EXPECT_TRUE(Contains(out, FileLine(dir, fragment))) << out;

    TestSupport::CopyResources(dir.Path());
    WriteFile(dir / "Resources/Water.vert", "void main()\n{\n    gl_Position = undeclared;\n}\n");
    out = RunExpectingReport("Vertexshader Compiling error!");
    EXPECT_TRUE(Contains(out, "\n3:     gl_Position = undeclared;\n")) << out;
}

// Every level holds launcher blocks whose payload is a ball: without its
// shaders the payload, and so the level, cannot be built.
TEST_F(FaultMatrix, LauncherPayloadWithoutBallShadersIsReported)
{
    const std::string vertex = "Resources/Ball.vert";
    fs::remove(dir / vertex);
    std::string out = RunExpectingReport("VertexShader File couldn't be loaded! - ");
    EXPECT_TRUE(Contains(out, FileLine(dir, vertex))) << out;

    TestSupport::CopyResources(dir.Path());
    WriteFile(dir / "Resources/Ball.frag", "void main()\n{\n    gl_FragColor = vec4(1.0\n}\n");
    out = RunExpectingReport("Fragmentshader Compiling error! - ");
    EXPECT_TRUE(Contains(out, "\n3:     gl_FragColor = vec4(1.0\n")) << out;
}

std::string Damaged(const std::string& good, const std::string& kind)
{
    if (kind == "truncated")
        return good.substr(0, good.size() / 2);
    std::string bytes = good;
    if (kind == "huge counts") {
        const std::uint32_t huge = 0xFFFFFFF0u; // floats of positions: 16 GiB if believed
        std::memcpy(&bytes[0], &huge, sizeof huge);
        return bytes;
    }
    std::uint32_t state = 12345; // garbage of the same length
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

TEST_F(FaultMatrix, DamagedCacheIsParsedAgainAndRewritten)
{
    const std::string mesh = "Resources/Block/Block.obj";
    const std::string cache = mesh + ".bin";
    RunUntil("Saving " + paddleCache + "\n");
    const std::string good = ReadFile(dir / cache);
    ASSERT_FALSE(good.empty()) << "the first start wrote no " << cache;

    for (const char* kind : {"truncated", "garbage", "huge counts"}) {
        SCOPED_TRACE(kind);
        WriteFile(dir / cache, Damaged(good, kind));
        const std::string out = RunUntil("Loading " + paddleCache + "\n");
        EXPECT_TRUE(Contains(out, "Loading " + cache + "\nDamaged model cache " + cache
                                      + " ignored, reading the model file again\nLoading StaticModel " + mesh + "\n"))
            << out;
        EXPECT_TRUE(Contains(out, "Saving " + cache + "\n")) << out;
        EXPECT_FALSE(Contains(out, reportStart)) << out;
        EXPECT_EQ(good, ReadFile(dir / cache));
    }
}

// Every file below `root`, relative to it, in name order.
std::string Listing(const std::string& root)
{
    std::set<std::string> names;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
        names.insert(fs::relative(it->path(), root).string());
    std::string listing;
    for (const std::string& name : names)
        listing += name + "\n";
    return listing;
}

void SetWritable(const std::string& root, bool writable)
{
    const fs::perms folder = writable ? fs::perms(0755) : fs::perms(0555);
    fs::permissions(root, folder);
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it) {
        if (fs::is_directory(it->path()))
            fs::permissions(it->path(), folder);
    }
}

TEST_F(FaultMatrix, ReadOnlyResourcesWriteNoCacheAndParseAgain)
{
    std::string why;
    const bool asNobody = GameProcess::CanRunUnprivileged(dir.Path(), why);
    if (!asNobody && geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind for root and " << why;
    const std::string resources = dir / "Resources";
    const std::string before = Listing(resources);
    SetWritable(resources, false);
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        GameProcess game(dir.Path(), asNobody);
        EXPECT_TRUE(game.WaitForOutput("Saving " + paddleCache + "\n")) << game.Out() << game.Err();
        EXPECT_TRUE(game.KeepsRunning()) << game.Out() << game.Err();
        EXPECT_TRUE(game.Stop());
        const std::string out = game.Out();
        EXPECT_TRUE(Contains(out, "Loading StaticModel Resources/SkySphere/SkySphere.obj\n")) << out;
        EXPECT_TRUE(Contains(out, "Loading StaticModel Resources/Block/Block.obj\n")) << out;
        EXPECT_FALSE(Contains(out, reportStart)) << out;
        EXPECT_EQ(before, Listing(resources));
    }
    SetWritable(resources, true);
}

} // namespace
