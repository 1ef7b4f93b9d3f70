#pragma once

#include "Assets/MeshArrays.h"
#include "Support/Vec3.h"

/// What a terrain that covers its square without holes, with a raised border,
/// hides from an eye inside it: every direction below the horizontal meets
/// the ground before anything beyond it. Built from a de-indexed triangle
/// mesh's corners (x, y, z each, world units); no GL.
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
    float GroundUnder(float x, float y, bool& covered) const; // highest corner of the triangles over (x, y)

    MeshArray<float> corners;  // x, y, z per corner, three corners per triangle
    Vec3 min, max;             // the box around every corner
    float lowestBorder = 0.0f; // world units: lowest corner on the square's border
};
