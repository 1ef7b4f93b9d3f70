#pragma once

#include "Assets/Material.h"

/// One material run of a model: the triangles from `firstTriangle` up to the
/// next record's `firstTriangle`. The last record of a list only closes the run
/// before it and is never drawn.
struct Submesh
{
    int firstTriangle = 0; // triangles that came before the run
    Material material;
};
