#include "Assets/AssetTestSupport.h"

#include "Assets/ModelCache.h"
#include "Assets/StaticModel.h"
#include "Support/TestSupport.h"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>

using namespace AssetTestSupport;
using TestSupport::FileExists;
using TestSupport::ReadFile;
using TestSupport::TempDir;
using TestSupport::WriteFile;

namespace {

// Three triangles: a textured quad, then an untextured triangle.
const char* const texturedModel = "mtllib m.mtl\n"
                                  "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0.25\n"
                                  "vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nvn 0 1 0\n"
                                  "usemtl wood\nf 1/1/1 2/2/2 3/3/1 4/1/2\n"
                                  "usemtl plain\nf 4/3/2 3/2/1 1/1/1\n";

class ModelCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::EnsureGLContext();
        WritePng(dir / "wood.png");
        WriteFile(dir / "m.mtl", "newmtl wood\nmap_Kd wood.png\nnewmtl plain\nKd 1 1 1\n");
        WriteFile(dir / "m.obj", texturedModel);
    }

    std::string Path() const { return dir / "m.obj"; }
    std::string CachePath() const { return dir / "m.obj.bin"; }

    // Loads a fresh model and returns what it printed.
    std::string Load(StaticModel& model)
    {
        testing::internal::CaptureStdout();
        model.Load(Path());
        return testing::internal::GetCapturedStdout();
    }

    TempDir dir;
};

void ExpectSameDrawing(StaticModel& expected, StaticModel& actual)
{
    const MeshArrays& a = expected.Arrays();
    const MeshArrays& b = actual.Arrays();
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.normals, b.normals);
    EXPECT_EQ(a.texCoords, b.texCoords);
    EXPECT_EQ(a.indices, b.indices);
    ASSERT_EQ(a.submeshes.size(), b.submeshes.size());
    for (std::size_t k = 0; k < a.submeshes.size(); ++k) {
        EXPECT_EQ(a.submeshes[k].firstTriangle, b.submeshes[k].firstTriangle);
        EXPECT_EQ(a.submeshes[k].material.textureName, b.submeshes[k].material.textureName);
        EXPECT_EQ(a.submeshes[k].material.texture, b.submeshes[k].material.texture);
    }
    EXPECT_EQ(CountDrawnTriangles(expected), CountDrawnTriangles(actual));
}

void PutWord(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    std::memcpy(&bytes[offset], &value, sizeof value);
}

MeshArrays TwoTriangles()
{
    MeshArrays mesh;
    mesh.positions.assign(18, 0.5f);
    mesh.normals.assign(18, 1.0f);
    mesh.texCoords.assign(12, 0.25f);
    mesh.indices = {0, 1, 2, 3, 4, 5};
    mesh.submeshes.resize(3);
    mesh.submeshes[0].material.textureName = "Resources/A/a.png";
    mesh.submeshes[1].firstTriangle = 1;
    mesh.submeshes[2].firstTriangle = 2;
    return mesh;
}

std::string Encode(const MeshArrays& mesh)
{
    std::ostringstream out;
    ModelCache::Write(out, mesh);
    return out.str();
}

bool Decodes(const std::string& bytes)
{
    MeshArrays mesh;
    return ModelCache::Decode(bytes.data(), bytes.size(), mesh);
}

} // namespace

TEST_F(ModelCacheTest, CacheHoldsWhatDrawingNeedsAndReplacesTheModelFiles)
{
    StaticModel parsed;
    Load(parsed);
    ASSERT_TRUE(FileExists(CachePath()));
    EXPECT_FALSE(FileExists(CachePath() + ".tmp"));
    const std::string texture = dir / "wood.png";
    EXPECT_EQ(texture, parsed.Arrays().submeshes[0].material.textureName);
    const std::size_t triangles = 3;
    EXPECT_EQ(20 + 108 * triangles + (8 + texture.size()) + 8 + 8, ReadFile(CachePath()).size());

    boost::filesystem::remove(Path());
    boost::filesystem::remove(dir / "m.mtl");
    StaticModel cached;
    EXPECT_EQ("Loading " + CachePath() + "\n", Load(cached));
    EXPECT_EQ(1, cached.VertexCount());
    ExpectSameDrawing(parsed, cached);
    EXPECT_EQ(3, CountDrawnTriangles(cached));
}

TEST_F(ModelCacheTest, DamagedCacheIsReplacedByAFreshParse)
{
    StaticModel parsed;
    Load(parsed);
    const std::string sound = ReadFile(CachePath());
    const std::size_t triangles = 3;
    const std::size_t indicesAt = 16 + 96 * triangles;
    const std::size_t recordCountAt = 16 + 108 * triangles;

    std::string huge = sound;
    PutWord(huge, 0, 0xFFFFFFFFu);
    std::string noRecords = sound.substr(0, recordCountAt + 4);
    PutWord(noRecords, recordCountAt, 0);
    std::string badIndex = sound;
    PutWord(badIndex, indicesAt, 3 * triangles);
    const std::string damaged[] = {sound.substr(0, sound.size() - 1), sound.substr(0, 10), huge, noRecords, badIndex,
                                   sound + "x"};
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes.size());
        WriteFile(CachePath(), bytes);
        StaticModel model;
        const std::string out = Load(model);
        EXPECT_EQ(0u, out.find("Loading " + CachePath() + "\nDamaged model cache " + CachePath())) << out;
        EXPECT_NE(std::string::npos, out.find("\nLoading StaticModel " + Path() + "\n")) << out;
        ExpectSameDrawing(parsed, model);
        EXPECT_EQ(sound, ReadFile(CachePath()));
    }

    WriteFile(CachePath(), noRecords);
    boost::filesystem::remove(Path());
    testing::internal::CaptureStdout();
    const Exception e = LoadFailure(Path());
    testing::internal::GetCapturedStdout();
    EXPECT_EQ("Model could not be loaded", Info<tag_error_message>(e));
}

TEST(ModelCacheDecode, OnlyConsistentBytesAreTrusted)
{
    const MeshArrays mesh = TwoTriangles();
    const std::string bytes = Encode(mesh);
    ASSERT_EQ(20 + 108 * 2 + (8 + 17) + 8 + 8, bytes.size());
    MeshArrays decoded;
    ASSERT_TRUE(ModelCache::Decode(bytes.data(), bytes.size(), decoded));
    EXPECT_EQ(mesh.positions, decoded.positions);
    EXPECT_EQ(mesh.texCoords, decoded.texCoords);
    ASSERT_EQ(3u, decoded.submeshes.size());
    EXPECT_EQ("Resources/A/a.png", decoded.submeshes[0].material.textureName);
    EXPECT_EQ(0u, decoded.submeshes[0].material.texture) << "decoding loads no texture";
    EXPECT_EQ(2, decoded.submeshes[2].firstTriangle);

    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(Decodes(bytes.substr(0, cut))) << "cut at " << cut;

    const std::size_t recordsAt = 16 + 108 * 2 + 4;
    std::string pastEnd = bytes;
    PutWord(pastEnd, recordsAt + 4, 1000);
    std::string runPastTriangles = bytes;
    PutWord(runPastTriangles, recordsAt + 8 + 17, 3);
    std::string runsOutOfOrder = bytes;
    PutWord(runsOutOfOrder, recordsAt + 8 + 17, 2);
    PutWord(runsOutOfOrder, recordsAt + 8 + 17 + 8, 1);
    std::string negativeRun = bytes;
    PutWord(negativeRun, recordsAt, 0xFFFFFFFFu);
    std::string normalsDisagree = bytes;
    PutWord(normalsDisagree, 4 + 18 * 4, 17);
    for (const std::string& bad : {pastEnd, runPastTriangles, runsOutOfOrder, negativeRun, normalsDisagree})
        EXPECT_FALSE(Decodes(bad));

    // A texture path ends at its first zero byte.
    std::string zeroInPath = bytes;
    zeroInPath[recordsAt + 8 + 9] = '\0';
    ASSERT_TRUE(ModelCache::Decode(zeroInPath.data(), zeroInPath.size(), decoded));
    EXPECT_EQ("Resources", decoded.submeshes[0].material.textureName);
}

TEST_F(ModelCacheTest, AnotherGamesHalfWrittenCacheIsLeftToIt)
{
    // Two games started at once on an empty cache: the other one is still
    // writing its temporary file when this one saves.
    StaticModel model;
    Load(model);
    const std::string others = CachePath() + ".tmp";
    WriteFile(others, "half a cache");
    ASSERT_TRUE(ModelCache::Save(CachePath(), model.Arrays()));
    EXPECT_EQ("half a cache", ReadFile(others));
    StaticModel reloaded;
    EXPECT_EQ(0u, Load(reloaded).find("Loading " + CachePath() + "\n")) << "the cache saved is read";
}
