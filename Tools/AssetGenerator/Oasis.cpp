#include "Oasis.h"

#include "Image.h"
#include "Mesh.h"
#include "Noise.h"
#include "Palms.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kLakeMinX = -21, kLakeMaxX = 22, kLakeMinY = -21, kLakeMaxY = 29;
constexpr float kExtent = 100;    // the terrain covers -kExtent..kExtent in x and y
constexpr float kSandRepeat = 8;     // world units per texture repeat on land
constexpr float kLakebedRepeat = 13; // larger under water, where the camera looks most

// Signed distance to the water grid's rectangle: negative inside.
float LakeDistance(float x, float y)
{
    const float dx = std::max(kLakeMinX - x, x - kLakeMaxX), dy = std::max(kLakeMinY - y, y - kLakeMaxY);
    if (dx <= 0 && dy <= 0)
        return std::max(dx, dy);
    const float ox = std::max(dx, 0.0f), oy = std::max(dy, 0.0f);
    return std::sqrt(ox * ox + oy * oy);
}

// Grid stops along one axis: even inside the lake, fine at the shore, coarse far out.
std::vector<float> AxisStops(float lakeMin, float lakeMax, int lakeSteps)
{
    std::vector<float> inside, below, above;
    for (int i = 0; i <= lakeSteps; ++i)
        inside.push_back(lakeMin + (lakeMax - lakeMin) * i / lakeSteps);
    for (float offset = 0.3f, step = 0.3f; ; step *= 1.24f, offset += step) {
        below.push_back(std::max(lakeMin - offset, -kExtent));
        above.push_back(std::min(lakeMax + offset, kExtent));
        if (below.back() <= -kExtent && above.back() >= kExtent)
            break;
    }
    std::vector<float> stops(below.rbegin(), below.rend());
    stops.insert(stops.end(), inside.begin(), inside.end());
    stops.insert(stops.end(), above.begin(), above.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    return stops;
}

V3 TerrainNormal(float x, float y)
{
    const float e = 0.2f;
    const float dx = (TerrainHeight(x + e, y) - TerrainHeight(x - e, y)) / (2 * e);
    const float dy = (TerrainHeight(x, y + e) - TerrainHeight(x, y - e)) / (2 * e);
    return Normalized({-dx, -dy, 1});
}

Vertex TerrainVertex(float x, float y, float repeat)
{
    return {{x, y, TerrainHeight(x, y)}, TerrainNormal(x, y), x / repeat, y / repeat};
}

void WriteTerrain(const std::string& root)
{
    const std::vector<float> xs = AxisStops(kLakeMinX, kLakeMaxX, 22), ys = AxisStops(kLakeMinY, kLakeMaxY, 26);
    Mesh mesh;
    for (const bool underWater : {true, false})
        for (std::size_t i = 0; i + 1 < xs.size(); ++i)
            for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
                const float repeat = underWater ? kLakebedRepeat : kSandRepeat;
                const Vertex a = TerrainVertex(xs[i], ys[j], repeat), b = TerrainVertex(xs[i + 1], ys[j], repeat);
                const Vertex c = TerrainVertex(xs[i + 1], ys[j + 1], repeat);
                const Vertex d = TerrainVertex(xs[i], ys[j + 1], repeat);
                const float top = std::max({a.position.z, b.position.z, c.position.z, d.position.z});
                if ((top < 0.05f) != underWater)
                    continue;
                mesh.Use(underWater ? "Lakebed" : "Sand");
                mesh.Quad(a, b, c, d);
            }
    mesh.WriteObj(root + "/Oasis", "terrain");
    WriteMtl(root + "/Oasis/terrain.mtl", {{"Lakebed", "Lakebed.png"}, {"Sand", "Sand.png"}});
}

// Wind ripples and grain, repeating every texture tile.
Rgba SandColour(float u, float v)
{
    const float warp = Fractal(u * 4, v * 4, 4, 11);
    const float ripple = 0.5f + 0.5f * std::sin(2 * kPi * (u * 3 + v * 9 + warp * 1.5f));
    const float grain = ValueNoise(u * 256, v * 256, 256, 12);
    const float patch = Fractal(u * 4, v * 4, 4, 13);
    const float shade = 0.84f + 0.08f * ripple + 0.06f * grain + 0.10f * (patch - 0.5f);
    return {0.93f * shade, 0.80f * shade, 0.58f * shade, 1};
}

// Paler wet sand with pebbles and dark weed patches, so the refraction shows a floor.
Rgba LakebedColour(float u, float v)
{
    Rgba sand = SandColour(u, v);
    const float weed = 0.6f * SmoothStep(0.5f, 0.8f, Fractal(u * 3, v * 3, 3, 21));
    const float pebbles = SmoothStep(0.78f, 0.86f, ValueNoise(u * 32, v * 32, 32, 22));
    const float stone = 0.55f + 0.3f * ValueNoise(u * 32 + 0.5f, v * 32 + 0.5f, 32, 23);
    sand = {Mix(sand.r * 0.85f, 0.30f, weed * 0.7f), Mix(sand.g * 0.85f, 0.42f, weed * 0.7f),
            Mix(sand.b * 0.85f, 0.22f, weed * 0.7f), 1};
    return {Mix(sand.r, stone * 0.8f, pebbles), Mix(sand.g, stone * 0.75f, pebbles),
            Mix(sand.b, stone * 0.7f, pebbles), 1};
}

} // namespace

float TerrainHeight(float x, float y)
{
    const float d = LakeDistance(x, y);
    if (d <= 0) {
        const float floor = -0.08f - 2.6f * SmoothStep(0, 9, -d);
        const float bumps = (Fractal(x * 0.15f, y * 0.15f, 0, 5) - 0.5f) * 0.5f * SmoothStep(0, 4, -d);
        return std::min(floor + bumps, -0.05f);
    }
    const float beach = 0.08f + 0.6f * SmoothStep(0, 5, d);
    const float dunes = 5.0f * SmoothStep(3, 30, d) * Fractal(x * 0.035f, y * 0.035f, 0, 6);
    const float ridges = 1.2f * SmoothStep(6, 20, d) *
                         std::pow(0.5f + 0.5f * std::sin(x * 0.21f + y * 0.13f + 3 * Fractal(x * 0.02f, y * 0.02f, 0, 7)), 2.0f);
    const float rim = 26.0f * SmoothStep(50, 96, std::max(std::fabs(x), std::fabs(y)));
    return beach + dunes + ridges + rim;
}

void WriteOasis(const std::string& root)
{
    WriteTerrain(root);
    Image sand(512, 512, 3), lakebed(512, 512, 3);
    sand.Paint(SandColour);
    lakebed.Paint(LakebedColour);
    sand.WritePng(root + "/Oasis/Sand.png");
    lakebed.WritePng(root + "/Oasis/Lakebed.png");
    WriteTrees(root);
}
