#pragma once

#include "Assets/Submesh.h"

#include <vector>

/// A de-indexed triangle mesh as drawn and cached: every corner has its own
/// position, normal and texture coordinate, and `indices` is 0, 1, 2, ...
struct MeshArrays
{
    std::vector<float> positions;    // x, y, z per corner
    std::vector<float> normals;      // x, y, z per corner
    std::vector<float> texCoords;    // u, v per corner
    std::vector<unsigned> indices;   // one per corner
    std::vector<Submesh> submeshes;  // material runs, closed by a terminating record
};
