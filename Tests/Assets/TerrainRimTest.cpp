#include "Assets/TerrainRim.h"

#include <gtest/gtest.h>

namespace {

// A heightfield over -10 .. 10, cells of 2 as two triangles, de-indexed: a lake
// floor at 0, a dune of 4 at (4, 4), the border at 5 but `notch` at (10, 2).
MeshArray<float> Bowl(float notch = 5.0f)
{
    const auto height = [notch](int x, int y) {
        const bool border = x == -10 || x == 10 || y == -10 || y == 10;
        return x == 10 && y == 2 ? notch : border ? 5.0f : x == 4 && y == 4 ? 4.0f : 0.0f;
    };
    MeshArray<float> corners;
    for (int x = -10; x < 10; x += 2)
        for (int y = -10; y < 10; y += 2)
            for (const auto& [cx, cy] :
                 {std::pair{x, y}, {x + 2, y}, {x + 2, y + 2}, {x, y}, {x + 2, y + 2}, {x, y + 2}})
                corners.insert(corners.end(), {float(cx), float(cy), height(cx, cy)});
    return corners;
}

} // namespace

TEST(TerrainRim, HidesBelowTheHorizonOnlyForAnEyeInsideAboveTheGroundAndUnderTheLowestBorder)
{
    const TerrainRim rim(Bowl());
    EXPECT_TRUE(rim.HidesBelowHorizon(Vec3(0, 0, 3)));
    EXPECT_TRUE(rim.HidesBelowHorizon(Vec3(-7, 7, 4.9f)));
    EXPECT_FALSE(rim.HidesBelowHorizon(Vec3(0, 0, 5.5f)));  // looks over the border
    EXPECT_FALSE(rim.HidesBelowHorizon(Vec3(11, 0, 3)));    // outside the square
    EXPECT_FALSE(rim.HidesBelowHorizon(Vec3(4.5f, 4, 3))); // inside the dune
    EXPECT_FALSE(TerrainRim().HidesBelowHorizon(Vec3(0, 0, 3)));
    // One low corner anywhere on the border is a gap the eye can look through.
    const TerrainRim notched(Bowl(2.0f));
    EXPECT_FALSE(notched.HidesBelowHorizon(Vec3(0, 0, 3)));
    EXPECT_TRUE(notched.HidesBelowHorizon(Vec3(0, 0, 1.5f)));
}
