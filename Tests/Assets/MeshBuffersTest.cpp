#include <GL/glew.h>

#include "Assets/MeshBuffers.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

class MeshBuffersTest : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::EnsureGLContext(); }
};

// Flat arrays of triangles given as corner positions, normals all +z except
// where `tilted` names a corner, texture coordinates all 0, and material runs
// starting at the triangles in `runs` (closed by a last record).
MeshArrays Triangles(std::initializer_list<float> positions, std::initializer_list<int> runs = {0}, int tilted = -1)
{
    MeshArrays mesh;
    mesh.positions.assign(positions.begin(), positions.end());
    const std::size_t corners = mesh.positions.size() / 3;
    for (std::size_t k = 0; k < corners; ++k) {
        mesh.normals.insert(mesh.normals.end(), {0.0f, static_cast<int>(k) == tilted ? 1.0f : 0.0f, 1.0f});
        mesh.texCoords.insert(mesh.texCoords.end(), {0.0f, 0.0f});
        mesh.indices.push_back(static_cast<unsigned>(k));
    }
    for (int first : runs)
        mesh.submeshes.push_back(Submesh{first, Material()});
    mesh.submeshes.push_back(Submesh{static_cast<int>(corners / 3), Material()});
    return mesh;
}

int DrawnTriangles(const MeshBuffers& buffers, std::size_t run, MeshBuffers::Side side = MeshBuffers::Side::Whole)
{
    GLuint query = 0;
    glGenQueries(1, &query);
    glEnableClientState(GL_VERTEX_ARRAY);
    buffers.Begin();
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    buffers.DrawRun(run, side);
    glEndQuery(GL_PRIMITIVES_GENERATED);
    buffers.End();
    glDisableClientState(GL_VERTEX_ARRAY);
    GLuint triangles = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
    glDeleteQueries(1, &query);
    return static_cast<int>(triangles);
}

} // namespace

TEST_F(MeshBuffersTest, SharedCornersAreStoredOnceAndOnlyWhenEveryAttributeMatches)
{
    // A square as two triangles: the diagonal's two corners appear twice.
    const auto square = {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f,
                         0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
    MeshBuffers shared;
    shared.Fill(Triangles(square));
    EXPECT_EQ(4u, shared.DistinctCorners());

    // The same square with one repeated corner's normal differing keeps it apart.
    MeshBuffers creased;
    creased.Fill(Triangles(square, {0}, 3));
    EXPECT_EQ(5u, creased.DistinctCorners());
}

TEST_F(MeshBuffersTest, EachRunDrawsItsOwnTrianglesAndMovesWithTheBuffers)
{
    MeshBuffers buffers;
    EXPECT_FALSE(buffers.Filled());
    buffers.Fill(Triangles({0, 0, 0, 1, 0, 0, 0, 1, 0, 2, 0, 0, 3, 0, 0, 2, 1, 0, 4, 0, 0, 5, 0, 0, 4, 1, 0}, {0, 1}));
    EXPECT_EQ(1, DrawnTriangles(buffers, 0));
    EXPECT_EQ(2, DrawnTriangles(buffers, 1));
    EXPECT_EQ(0, DrawnTriangles(buffers, 2)); // past the last run

    MeshBuffers moved = std::move(buffers);
    EXPECT_FALSE(buffers.Filled());
    ASSERT_TRUE(moved.Filled());
    EXPECT_EQ(2, DrawnTriangles(moved, 1));
    EXPECT_EQ(GL_NO_ERROR, glGetError());
}

TEST_F(MeshBuffersTest, SidesOfTheWaterPlaneKeepTrianglesThatTouchIt)
{
    // Above, below, and one with a corner on z = 0 that both sides keep.
    MeshBuffers buffers;
    buffers.Fill(Triangles({0, 0, 1, 1, 0, 1, 0, 1, 2, 0, 0, -1, 1, 0, -1, 0, 1, -2, 0, 0, 0, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(3, DrawnTriangles(buffers, 0, MeshBuffers::Side::Whole));
    EXPECT_EQ(2, DrawnTriangles(buffers, 0, MeshBuffers::Side::ReachingAbove));
    EXPECT_EQ(2, DrawnTriangles(buffers, 0, MeshBuffers::Side::ReachingBelow));
}

TEST_F(MeshBuffersTest, BoxStandInKeepsTheBoxAndLeavesOutWhatTurnsFlat)
{
    // A corner triangle of the unit box stays; a small one near the top face
    // lands on a single edge and goes; the runs shrink to match.
    const auto mesh = Triangles({0, 0, 0, 1, 0, 0, 0, 1, 0,                            //
                                 0.1f, 0.1f, 0.9f, 0.9f, 0.1f, 0.9f, 0.9f, 0.2f, 0.9f, //
                                 1, 1, 1, 0, 1, 1, 1, 0.1f, 0.9f},
                                {0, 1});
    MeshBuffers standIn;
    standIn.Fill(mesh, MeshBuffers::Shape::Box);
    EXPECT_EQ(2u, standIn.Triangles());
    EXPECT_EQ(1, DrawnTriangles(standIn, 0));
    EXPECT_EQ(1, DrawnTriangles(standIn, 1));
}
