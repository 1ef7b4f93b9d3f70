#pragma once

#include "Assets/MeshArrays.h"
#include "Assets/Submesh.h"

#include <vector>

/// One face corner as written in the file: 1-based list indices.
struct ObjCorner
{
    int position = 0;
    int texCoord = 0;
    int normal = 0;
};

/// The lists of one OBJ text before flattening. Produced by ObjParser, which
/// guarantees that every corner index lies within its list.
struct ObjMesh
{
    std::vector<float> positions;   // x, y, z per "v" line
    std::vector<float> texCoords;   // u, v per "vt" line
    std::vector<float> normals;     // x, y, z per "vn" line
    std::vector<ObjCorner> corners; // three per triangle, triangle after triangle
    std::vector<Submesh> submeshes; // "usemtl" runs, closed by a terminating record
    int objectCount = 0;            // "o" lines seen

    int TriangleCount() const { return static_cast<int>(corners.size() / 3); }

    /// De-indexes the triangles: every corner gets its own copy of its position,
    /// texture coordinate and normal, and the index array is the identity.
    MeshArrays Flatten() const;
};
