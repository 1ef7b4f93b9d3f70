#pragma once

#include "Support/Vec3.h"

#include <vector>

/// A list of independent triangles (three points each) as distinct corners and
/// indices into them, for an indexed draw: the renderer then transforms each
/// corner once instead of once for every triangle that shares it. Corners are
/// shared only where their bits are equal, so the indexed draw gives exactly
/// the picture of the list it came from.
struct IndexedTriangles
{
    std::vector<Vec3> corners;
    std::vector<unsigned> indices; // three per triangle, in the list's order

    static IndexedTriangles From(const std::vector<Vec3>& triangles);
};
