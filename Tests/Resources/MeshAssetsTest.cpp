// The committed meshes load through the game's loader, keep the geometry the gameplay
// relies on (boxes, winding, the lake under the water grid) and stay within their budgets.

#include <GL/glew.h>

#include "Assets/StaticModel.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <list>
#include <string>
#include <vector>

namespace {

using TestSupport::TempDir;

struct Corner
{
    float x, y, z;
};

std::vector<Corner> Positions(const StaticModel& model)
{
    const auto& p = model.Arrays().positions;
    std::vector<Corner> corners;
    for (std::size_t i = 0; i + 2 < p.size(); i += 3)
        corners.push_back({p[i], p[i + 1], p[i + 2]});
    return corners;
}

// Face normal from the winding (counter-clockwise = front), not normalised.
Corner FaceNormal(const MeshArray<float>& p, std::size_t triangle)
{
    const float* a = &p[triangle * 9];
    const float ux = a[3] - a[0], uy = a[4] - a[1], uz = a[5] - a[2];
    const float vx = a[6] - a[0], vy = a[7] - a[1], vz = a[8] - a[2];
    return {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
}

class MeshAssets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::EnsureGLContext();
        TestSupport::CopyResources(dir.Path());
    }

    // A fresh parse of the OBJ file (the copy has no cache yet).
    StaticModel& Load(const std::string& name)
    {
        TestSupport::ScopedCwd cwd(dir.Path());
        models.emplace_back();
        models.back().Load("Resources/" + name);
        return models.back();
    }

    TempDir dir;
    std::list<StaticModel> models;
};

const char* const kAllMeshes[] = {"SkySphere/SkySphere.obj", "Oasis/terrain.obj", "Oasis/trees.obj",
                                  "Block/Block.obj", "ExplosionBlock/Dynamite.obj", "ExtraBlock/Barrel.obj",
                                  "LauncherBlock/LauncherBlock.obj", "Extra01/Extra.obj", "Paddle/Paddle.obj"};

TEST_F(MeshAssets, EveryMeshParsesDrawsAndReloadsFromItsCacheWithTheSameBox)
{
    for (const char* name : kAllMeshes) {
        SCOPED_TRACE(name);
        StaticModel& parsed = Load(name);
        ASSERT_GT(parsed.VertexCount(), 0);
        ASSERT_GE(parsed.Arrays().submeshes.size(), 2u) << "no material run: nothing would be drawn";
        EXPECT_EQ(parsed.Arrays().submeshes.front().firstTriangle, 0) << "faces before the first usemtl";
        EXPECT_TRUE(TestSupport::FileExists(dir / (std::string("Resources/") + name + ".bin")));
        StaticModel& cached = Load(name);
        const CollisionModel a = parsed.GetCollisionModel(), b = cached.GetCollisionModel();
        EXPECT_EQ(a.min, b.min);
        EXPECT_EQ(a.max, b.max);
        EXPECT_EQ(cached.Arrays().positions, parsed.Arrays().positions);
    }
}

TEST_F(MeshAssets, WindingAgreesWithNormalsSoCullingKeepsTheLitSide)
{
    for (const char* name : kAllMeshes) {
        SCOPED_TRACE(name);
        const MeshArrays& mesh = Load(name).Arrays();
        std::size_t disagreeing = 0, triangles = mesh.positions.size() / 9;
        for (std::size_t t = 0; t < triangles; ++t) {
            const Corner f = FaceNormal(mesh.positions, t);
            const float* n = &mesh.normals[t * 9];
            if (f.x * (n[0] + n[3] + n[6]) + f.y * (n[1] + n[4] + n[7]) + f.z * (n[2] + n[5] + n[8]) <= 0)
                ++disagreeing;
        }
        EXPECT_EQ(disagreeing, 0u) << "of " << triangles;
    }
}

TEST_F(MeshAssets, SkyIsAUnitSphereSeenFromInside)
{
    StaticModel& sky = Load("SkySphere/SkySphere.obj");
    const auto& p = sky.Arrays().positions;
    const std::size_t triangles = p.size() / 9;
    EXPECT_LE(triangles, 2100u);
    const auto& uv = sky.Arrays().texCoords;
    const std::vector<Corner> corners = Positions(sky);
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Corner& c = corners[i];
        ASSERT_NEAR(std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z), 1.0f, 0.001f);
        // The texture is painted by direction: u round from +x towards +y, v up from the nadir,
        // so the painted sun sits where the scene's light comes from.
        EXPECT_NEAR(uv[2 * i + 1], std::asin(c.z) / 3.14159265f + 0.5f, 0.005f);
        const float u = std::atan2(c.y, c.x) / (2 * 3.14159265f);
        if (std::fabs(c.z) < 0.99f && uv[2 * i] > 0.01f && uv[2 * i] < 0.99f) {
            ASSERT_NEAR(uv[2 * i], u < 0 ? u + 1 : u, 0.01f) << c.x << ", " << c.y << ", " << c.z;
        }
    }
    for (std::size_t t = 0; t < triangles; ++t) {
        const Corner f = FaceNormal(p, t);
        ASSERT_LT(f.x * p[t * 9] + f.y * p[t * 9 + 1] + f.z * p[t * 9 + 2], 0) << "front face points outwards";
    }
}

// Block-like pieces stand on their corner inside one cell of the field.
TEST_F(MeshAssets, BlockPiecesFillOneCellFromTheirCorner)
{
    for (const char* name : {"Block/Block.obj", "ExplosionBlock/Dynamite.obj", "ExtraBlock/Barrel.obj",
                             "LauncherBlock/LauncherBlock.obj"}) {
        SCOPED_TRACE(name);
        StaticModel& piece = Load(name);
        const CollisionModel box = piece.GetCollisionModel();
        EXPECT_NEAR(box.min.x, 0, 1e-4);
        EXPECT_NEAR(box.min.y, 0, 1e-4);
        EXPECT_NEAR(box.min.z, 0, 1e-4);
        EXPECT_GT(box.max.x, 0.9f);
        EXPECT_LE(box.max.x, 1.0f);
        EXPECT_GT(box.max.y, 0.4f);
        EXPECT_LE(box.max.y, 0.5f);
        EXPECT_GT(box.max.z, 0.4f);
        EXPECT_LE(box.max.z, 0.55f);
        EXPECT_LE(piece.Arrays().positions.size() / 9, 600u);
    }
}

TEST_F(MeshAssets, PaddleIsCentredAndCoversTheBallsHeight)
{
    const CollisionModel box = Load("Paddle/Paddle.obj").GetCollisionModel();
    EXPECT_NEAR(box.min.x, -box.max.x, 1e-3);
    EXPECT_NEAR(box.max.x - box.min.x, 3.0f, 0.2f);
    EXPECT_NEAR(box.min.y, -box.max.y, 1e-3);
    EXPECT_LT(box.max.y, 0.3f); // a ball launched at +1 starts clear of it
    EXPECT_LE(box.min.z, -0.25f);
    EXPECT_GE(box.max.z, 0.45f);
}

TEST_F(MeshAssets, ExtraIsSmallAndCentred)
{
    const CollisionModel box = Load("Extra01/Extra.obj").GetCollisionModel();
    for (float half : {box.max.x, box.max.y, box.max.z, -box.min.x, -box.min.y, -box.min.z}) {
        EXPECT_GT(half, 0.1f);
        EXPECT_LT(half, 0.35f);
    }
    EXPECT_NEAR(box.min.x + box.max.x, 0, 0.02f);
    EXPECT_NEAR(box.min.y + box.max.y, 0, 0.02f);
}

bool UnderWaterGrid(float x, float y)
{
    return x >= -21 && x <= 22 && y >= -21 && y <= 29;
}

float DistanceOutsideGrid(float x, float y)
{
    const float dx = std::max({-21 - x, x - 22, 0.0f}), dy = std::max({-21 - y, y - 29, 0.0f});
    return std::sqrt(dx * dx + dy * dy);
}

TEST_F(MeshAssets, TerrainIsALakeUnderTheWholeWaterGridWithDunesAround)
{
    StaticModel& terrain = Load("Oasis/terrain.obj");
    EXPECT_LE(terrain.Arrays().positions.size() / 9, 10000u);
    const CollisionModel box = terrain.GetCollisionModel();
    EXPECT_LE(box.min.x, -60);
    EXPECT_GE(box.max.x, 60);
    EXPECT_LE(box.min.y, -60);
    EXPECT_GE(box.max.y, 60);
    bool lakeCornersSeen[4] = {};
    for (const Corner& c : Positions(terrain)) {
        if (UnderWaterGrid(c.x, c.y)) {
            ASSERT_LT(c.z, 0) << "ground above the water at " << c.x << ", " << c.y;
        } else if (DistanceOutsideGrid(c.x, c.y) > 2) {
            ASSERT_GT(c.z, 0) << "ground below the water outside the lake at " << c.x << ", " << c.y;
        }
        if (std::fabs(std::fabs(c.x) - 100) < 1e-3 || std::fabs(std::fabs(c.y) - 100) < 1e-3) {
            ASSERT_GT(c.z, 12) << "the rim must hide the sky below the horizon";
        }
        for (int k = 0; k < 4; ++k)
            lakeCornersSeen[k] |= c.x == (k & 1 ? 22.0f : -21.0f) && c.y == (k & 2 ? 29.0f : -21.0f);
    }
    for (bool seen : lakeCornersSeen)
        EXPECT_TRUE(seen) << "the grid does not follow the water's edge";
}

// Where the sight line from `eye` through `point` meets the water plane: true when that is
// inside the playing field beyond the point, so the point would hide part of the field.
bool HidesField(Corner eye, Corner point)
{
    if (point.z >= eye.z)
        return false;
    const float t = eye.z / (eye.z - point.z);
    const float x = eye.x + t * (point.x - eye.x), y = eye.y + t * (point.y - eye.y);
    return t > 1 && x >= -10 && x <= 10 && y >= -4 && y <= 12;
}

TEST_F(MeshAssets, PalmsStayOutOfTheCamerasViewOfTheField)
{
    StaticModel& trees = Load("Oasis/trees.obj");
    EXPECT_LE(trees.Arrays().positions.size() / 9, 3000u);
    // Cameras above the paddle (for the paddle at both walls and in the middle; the
    // picture shift moves its eye up along its own up axis) and behind the paddle.
    const std::vector<Corner> eyes = {{6.8f, -11.43f, 12.82f}, {0, -11.43f, 12.82f}, {-6.8f, -11.43f, 12.82f},
                                      {0, -12, 10}};
    for (const Corner& c : Positions(trees)) {
        ASSERT_FALSE(UnderWaterGrid(c.x, c.y) && c.z < 2) << "trunk in the lake at " << c.x << ", " << c.y;
        for (const Corner& eye : eyes)
            ASSERT_FALSE(HidesField(eye, c)) << "palm point " << c.x << ", " << c.y << ", " << c.z;
    }
}

} // namespace
