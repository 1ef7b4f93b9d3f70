#include "Support/IndexedTriangles.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <map>

static_assert(sizeof(Vec3) == 3 * sizeof(float), "a corner is read as three floats");

IndexedTriangles IndexedTriangles::From(const std::vector<Vec3>& triangles)
{
    IndexedTriangles out;
    // Keyed by bits, not by value: 0 and -0 stay apart, as the list has them.
    std::map<std::array<std::uint32_t, 3>, unsigned> seen;
    for (const Vec3& point : triangles) {
        std::array<std::uint32_t, 3> bits;
        std::memcpy(bits.data(), &point.x, sizeof bits);
        const auto found = seen.emplace(bits, static_cast<unsigned>(out.corners.size()));
        if (found.second)
            out.corners.push_back(point);
        out.indices.push_back(found.first->second);
    }
    return out;
}
