#include "Assets/TerrainRim.h"

#include <algorithm>
#include <cmath>

TerrainRim::TerrainRim(const MeshArray<float>& positions)
    : corners(positions.begin(), positions.begin() + positions.size() / 9 * 9)
{
    if (corners.empty())
        return;
    min = max = Vec3(corners[0], corners[1], corners[2]);
    for (std::size_t i = 0; i < corners.size(); i += 3) {
        min = Vec3(std::min(min.x, corners[i]), std::min(min.y, corners[i + 1]), std::min(min.z, corners[i + 2]));
        max = Vec3(std::max(max.x, corners[i]), std::max(max.y, corners[i + 1]), std::max(max.z, corners[i + 2]));
    }
    // Corners within a thousandth of the square's side of its edge count as on it.
    const float near = 1e-3f * std::max(max.x - min.x, max.y - min.y);
    lowestBorder = max.z;
    for (std::size_t i = 0; i < corners.size(); i += 3) {
        const float x = corners[i], y = corners[i + 1];
        if (x - min.x <= near || max.x - x <= near || y - min.y <= near || max.y - y <= near)
            lowestBorder = std::min(lowestBorder, corners[i + 2]);
    }
}

bool TerrainRim::HidesBelowHorizon(const Vec3& eye) const
{
    if (corners.empty() || eye.x <= min.x || eye.x >= max.x || eye.y <= min.y || eye.y >= max.y ||
        eye.z >= lowestBorder)
        return false;
    // A ray going down from here leaves the square under the border, so it
    // meets the ground on the way, provided it starts above the ground.
    bool covered = false;
    const float ground = GroundUnder(eye.x, eye.y, covered);
    return covered && eye.z > ground;
}

float TerrainRim::GroundUnder(float x, float y, bool& covered) const
{
    // Conservative: any triangle whose box holds the point counts whole.
    float ground = min.z;
    for (std::size_t t = 0; t < corners.size(); t += 9) {
        const float* c = &corners[t];
        if (x < std::min({c[0], c[3], c[6]}) || x > std::max({c[0], c[3], c[6]}) ||
            y < std::min({c[1], c[4], c[7]}) || y > std::max({c[1], c[4], c[7]}))
            continue;
        covered = true;
        ground = std::max({ground, c[2], c[5], c[8]});
    }
    return ground;
}
