#include "Assets/TerrainRim.h"

#include <algorithm>
#include <limits>

TerrainRim::TerrainRim(const MeshArray<float>& positions)
{
    const std::size_t count = positions.size() / 9 * 9; // whole triangles
    if (count == 0)
        return;
    min = max = Vec3(positions[0], positions[1], positions[2]);
    for (std::size_t i = 0; i < count; i += 3) {
        min = Vec3(std::min(min.x, positions[i]), std::min(min.y, positions[i + 1]), std::min(min.z, positions[i + 2]));
        max = Vec3(std::max(max.x, positions[i]), std::max(max.y, positions[i + 1]), std::max(max.z, positions[i + 2]));
    }
    // Corners within a thousandth of the square's side of its edge count as on it.
    const float near = 1e-3f * std::max(max.x - min.x, max.y - min.y);
    lowestBorder = max.z;
    for (std::size_t i = 0; i < count; i += 3) {
        const float x = positions[i], y = positions[i + 1];
        if (x - min.x <= near || max.x - x <= near || y - min.y <= near || max.y - y <= near)
            lowestBorder = std::min(lowestBorder, positions[i + 2]);
    }
    // Conservative: a triangle counts whole in every cell its box touches.
    ground.assign(cells * cells, -std::numeric_limits<float>::infinity());
    for (std::size_t t = 0; t < count; t += 9) {
        const float* c = &positions[t];
        const auto span = [c](int axis) { return std::minmax({c[axis], c[axis + 3], c[axis + 6]}); };
        const auto [left, right] = span(0);
        const auto [bottom, top] = span(1);
        const float highest = span(2).second;
        for (int y = Cell(bottom, min.y, max.y); y <= Cell(top, min.y, max.y); ++y)
            for (int x = Cell(left, min.x, max.x); x <= Cell(right, min.x, max.x); ++x)
                ground[y * cells + x] = std::max(ground[y * cells + x], highest);
    }
}

bool TerrainRim::HidesBelowHorizon(const Vec3& eye) const
{
    if (ground.empty() || eye.x <= min.x || eye.x >= max.x || eye.y <= min.y || eye.y >= max.y ||
        eye.z >= lowestBorder)
        return false;
    // A ray going down from here leaves the square under the border, so it
    // meets the ground on the way, provided it starts above the ground.
    return eye.z > ground[Cell(eye.y, min.y, max.y) * cells + Cell(eye.x, min.x, max.x)];
}

int TerrainRim::Cell(float along, float from, float to) const
{
    const int cell = static_cast<int>((along - from) / (to - from) * cells);
    return std::clamp(cell, 0, cells - 1);
}
