#include "Assets/TerrainRim.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A heightfield over -10 .. 10 in x and y, 2 x 2 cells of two triangles each,
// de-indexed as the model arrays are.
MeshArray<float> Ground(const std::function<float(int, int)>& height)
{
    MeshArray<float> corners;
    const auto corner = [&](int x, int y) { corners.insert(corners.end(), {float(x), float(y), height(x, y)}); };
    for (int x = -10; x < 10; x += 2)
        for (int y = -10; y < 10; y += 2) {
            corner(x, y), corner(x + 2, y), corner(x + 2, y + 2);
            corner(x, y), corner(x + 2, y + 2), corner(x, y + 2);
        }
    return corners;
}

// A lake floor at 0, a dune of 4 at (4, 4), the border at 5.
float Bowl(int x, int y)
{
    if (x == -10 || x == 10 || y == -10 || y == 10)
        return 5.0f;
    return x == 4 && y == 4 ? 4.0f : 0.0f;
}

} // namespace

TEST(TerrainRim, HidesBelowTheHorizonOnlyForAnEyeInsideAboveTheGroundAndUnderTheBorder)
{
    const TerrainRim rim(Ground(Bowl));
    EXPECT_TRUE(rim.HidesBelowHorizon(Vec3(0, 0, 3)));
    EXPECT_TRUE(rim.HidesBelowHorizon(Vec3(-7, 7, 4.9f)));
    EXPECT_FALSE(rim.HidesBelowHorizon(Vec3(0, 0, 5.5f)));  // looks over the border
    EXPECT_FALSE(rim.HidesBelowHorizon(Vec3(11, 0, 3)));    // outside the square
    EXPECT_FALSE(rim.HidesBelowHorizon(Vec3(4.5f, 4, 3))); // inside the dune
    EXPECT_FALSE(TerrainRim().HidesBelowHorizon(Vec3(0, 0, 3)));
}

// One low corner anywhere on the border is a gap the eye can look through.
TEST(TerrainRim, TheLowestBorderCornerDecides)
{
    const TerrainRim notched(Ground([](int x, int y) { return x == 10 && y == 2 ? 2.0f : Bowl(x, y); }));
    EXPECT_FALSE(notched.HidesBelowHorizon(Vec3(0, 0, 3)));
    EXPECT_TRUE(notched.HidesBelowHorizon(Vec3(0, 0, 1.5f)));
}
