#pragma once

#include "Assets/MeshArrays.h"
#include "Support/Vec3.h"

#include <vector>

/// What a terrain that covers its square without holes, with a raised border,
/// hides from an eye inside it: every direction below the horizontal meets
/// the ground before anything beyond it. Built from a de-indexed triangle
/// mesh's corners (x, y, z each, world units); keeps none of them; no GL.
class TerrainRim
{
public:
    TerrainRim() = default; // hides nothing
    explicit TerrainRim(const MeshArray<float>& positions);

    /// True when `eye` (world units) lies over the square's inside, above
    /// every triangle under it and below the border's lowest corner. False
    /// for an eye over no triangle, and for an empty mesh.
    bool HidesBelowHorizon(const Vec3& eye) const;

private:
    static constexpr int cells = 32; // per side of the square
    int Cell(float along, float from, float to) const; // 0 .. cells - 1

    Vec3 min, max;             // the box around every corner
    float lowestBorder = 0.0f; // world units: lowest corner on the square's border
    std::vector<float> ground; // per cell, row by row: highest corner of the triangles over it; -inf: none
};
