#include "Palms.h"

#include "Image.h"
#include "Mesh.h"
#include "Noise.h"
#include "Oasis.h"

#include <cmath>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;

// Shore spots beside and behind the lake, outside the cameras' view of the field.
const float kPalmSpots[][2] = {{-25.5f, -3}, {-24.5f, 9}, {-26.5f, 19}, {26, 4}, {25, 16.5f}, {-9, 33}, {12, 32.5f}};

struct Palm
{
    V3 base;
    V3 lean;      // horizontal unit direction of the bend
    float height; // world units
    float bend;   // horizontal offset of the crown
};

V3 TrunkPoint(const Palm& palm, float t)
{
    return palm.base + palm.lean * (palm.bend * t * t) + V3{0, 0, palm.height * t};
}

V3 TrunkAxis(const Palm& palm, float t)
{
    return Normalized(palm.lean * (2 * palm.bend * t) + V3{0, 0, palm.height});
}

void AddTrunk(Mesh& mesh, const Palm& palm)
{
    const int steps = 8;
    std::vector<Ring> rings;
    for (int k = 0; k <= steps; ++k) {
        const float t = static_cast<float>(k) / steps;
        const float radius = k == 0 ? 0.42f : 0.33f - 0.12f * t;
        rings.push_back({TrunkPoint(palm, t), TrunkAxis(palm, t), radius, t * palm.height / 1.5f});
    }
    rings.push_back({TrunkPoint(palm, 1) + TrunkAxis(palm, 1) * 0.1f, TrunkAxis(palm, 1), 0, rings.back().v});
    mesh.Use("Trunk");
    AddTube(mesh, rings, 7, palm.lean, UvRect{});
}

Vertex FrondVertex(V3 position, float u, float v)
{
    return {position, {0, 0, 1}, u, v};
}

// Gives the quad the normal of its own plane (front side), then adds both sides.
void AddLeafQuad(Mesh& mesh, Vertex a, Vertex b, Vertex c, Vertex d)
{
    const V3 normal = Normalized(Cross(b.position - a.position, d.position - a.position));
    for (Vertex* corner : {&a, &b, &c, &d})
        corner->normal = normal;
    mesh.TwoSidedQuad(a, b, c, d);
}

void AddFrond(Mesh& mesh, V3 crown, float azimuth, float length)
{
    const V3 forward{std::cos(azimuth), std::sin(azimuth), 0};
    const V3 side = Cross({0, 0, 1}, forward);
    const int steps = 4;
    auto station = [&](int i, float across) {
        const float s = static_cast<float>(i) / steps;
        const float width = 0.6f * std::sin(kPi * (0.08f + 0.92f * s));
        const V3 rib = crown + forward * (length * s) + V3{0, 0, length * (0.55f * s - s * s)};
        const V3 edge = rib + side * (width * across) + V3{0, 0, -0.3f * width * std::fabs(across)};
        return FrondVertex(edge, 0.5f - 0.5f * across, s);
    };
    for (int i = 0; i < steps; ++i) {
        AddLeafQuad(mesh, station(i, 0), station(i + 1, 0), station(i + 1, 1), station(i, 1));
        AddLeafQuad(mesh, station(i, -1), station(i + 1, -1), station(i + 1, 0), station(i, 0));
    }
}

void AddPalm(Mesh& mesh, const float spot[2], Random& random)
{
    Palm palm;
    palm.base = {spot[0], spot[1], TerrainHeight(spot[0], spot[1]) - 0.3f};
    palm.lean = Normalized(V3{0.5f - spot[0], 4 - spot[1], 0}); // towards the lake
    palm.height = random.Range(6.5f, 8.5f);
    palm.bend = random.Range(1.0f, 2.2f);
    AddTrunk(mesh, palm);
    const V3 crown = TrunkPoint(palm, 1);
    const int fronds = 8;
    const float turn = random.Range(0, 2 * kPi);
    mesh.Use("Frond");
    for (int k = 0; k < fronds; ++k)
        AddFrond(mesh, crown, turn + 2 * kPi * k / fronds + random.Range(-0.2f, 0.2f), random.Range(3.0f, 3.9f));
}

// Stacked leaf scars round the trunk; repeats in u (round the trunk) and v.
Rgba TrunkColour(float u, float v)
{
    const float scar = std::fmod(v * 4 + 0.08f * std::sin(2 * kPi * u * 3) + 4, 1.0f);
    const float groove = SmoothStep(0.0f, 0.25f, scar) * SmoothStep(1.0f, 0.8f, scar);
    const float fibre = ValueNoise(u * 64, v * 8, 64, 31);
    const float shade = 0.45f + 0.4f * groove + 0.15f * fibre;
    return {0.62f * shade, 0.50f * shade, 0.36f * shade, 1};
}

// Slanted leaflets either side of a midrib (u = 0.5), v from the stem (0) to the tip (1).
Rgba FrondColour(float u, float v)
{
    const float across = std::fabs(u - 0.5f) * 2;
    const float slant = v * 18 + across * 1.6f;
    const float leaflet = std::floor(slant);
    const float distance = std::fabs(slant - leaflet - 0.5f);
    const float width = 0.3f * (1 - 0.55f * across);
    const float reach = 0.82f + 0.16f * ValueNoise(leaflet * 7.3f, 0.5f, 0, 41);
    float alpha = SmoothStep(width, width - 0.08f, distance) * SmoothStep(reach, reach - 0.05f, across);
    const float rib = SmoothStep(0.05f, 0.025f, across);
    alpha = std::fmax(alpha, rib) * SmoothStep(0.99f, 0.93f, v);
    const float shade = 0.75f + 0.25f * ValueNoise(u * 30, v * 60, 0, 42);
    const Rgba green{Mix(0.22f, 0.45f, across) * shade, Mix(0.42f, 0.55f, v * 0.5f) * shade, 0.14f * shade};
    return {Mix(green.r, 0.62f, rib), Mix(green.g, 0.56f, rib), Mix(green.b, 0.28f, rib), alpha};
}

} // namespace

void WriteTrees(const std::string& root)
{
    Random random(20260607);
    Mesh mesh;
    for (const auto& spot : kPalmSpots)
        AddPalm(mesh, spot, random);
    mesh.WriteObj(root + "/Oasis", "trees");
    WriteMtl(root + "/Oasis/trees.mtl", {{"Trunk", "Trunk.png"}, {"Frond", "Frond.png"}});

    Image trunk(128, 128, 3), frond(256, 256, 4);
    trunk.Paint(TrunkColour);
    frond.Paint(FrondColour);
    trunk.WritePng(root + "/Oasis/Trunk.png");
    frond.WritePng(root + "/Oasis/Frond.png");
}
