#include "Gameplay/Ball.h"
#include "Support/IndexedTriangles.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(IndexedTriangles, GiveBackEveryPointBitForBitFromFewerCorners)
{
    std::vector<Vec3> triangles = Ball::SphereTriangles(0.2f);
    triangles.insert(triangles.end(), {Vec3(0, 0, 0), Vec3(-0.0f, 0, 0), Vec3(0, 0, 0)});
    const IndexedTriangles indexed = IndexedTriangles::From(triangles);
    ASSERT_EQ(triangles.size(), indexed.indices.size());
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        ASSERT_LT(indexed.indices[i], indexed.corners.size());
        EXPECT_EQ(0, std::memcmp(&triangles[i], &indexed.corners[indexed.indices[i]], sizeof(Vec3))) << i;
    }
    // Each cell's six points hold at most three new corners.
    EXPECT_LE(indexed.corners.size(), triangles.size() / 2);
}
