#include "Sky.h"

#include "Noise.h"

#include <cmath>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;

Rgba Blend(Rgba a, Rgba b, float t)
{
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t), 1};
}

Rgba Gradient(float height)
{
    const Rgba zenith{0.24f, 0.45f, 0.80f}, upper{0.48f, 0.68f, 0.90f}, haze{0.97f, 0.86f, 0.68f};
    const Rgba ground{0.86f, 0.74f, 0.55f}, nadir{0.62f, 0.50f, 0.36f};
    if (height < 0)
        return Blend(ground, nadir, SmoothStep(0.0f, 0.6f, -height));
    const Rgba low = Blend(haze, upper, SmoothStep(0.0f, 0.28f, height));
    return Blend(low, zenith, SmoothStep(0.2f, 1.0f, height));
}

// Sparse cumulus on a flat layer: the projection makes them crowd towards the horizon.
float CloudCover(V3 d)
{
    if (d.z <= 0.02f)
        return 0;
    const float scale = 0.9f / (d.z + 0.12f);
    const float x = d.x * scale, y = d.y * scale;
    const float n = Fractal(x * 1.3f + 4.0f, y * 1.3f - 7.0f, 0, 71);
    return SmoothStep(0.60f, 0.78f, n) * SmoothStep(0.02f, 0.12f, d.z);
}

} // namespace

Rgba SkyColour(V3 d)
{
    Rgba colour = Gradient(d.z);
    const V3 sun = Normalized({0.4f, -0.8f, 1.0f});
    const float angle = std::acos(std::fmin(1.0f, Dot(d, sun)));
    const float glow = 0.55f * std::exp(-angle * angle / 0.05f) + 0.25f * std::exp(-angle / 0.5f);
    colour = {colour.r + glow, colour.g + glow * 0.9f, colour.b + glow * 0.65f, 1};
    const float cover = CloudCover(d);
    const Rgba cloud{1.0f, 0.97f, 0.92f};
    colour = Blend(colour, cloud, cover * 0.85f);
    if (angle < 0.045f)
        colour = Blend(colour, Rgba{1.0f, 0.99f, 0.9f}, SmoothStep(0.045f, 0.035f, angle));
    return colour;
}

void WriteSkySphere(const std::string& root)
{
    const int segments = 40, rings = 24, height = 512;
    std::vector<Ring> profile;
    for (int k = 0; k <= rings; ++k) {
        const float polar = kPi * k / rings; // from the nadir up
        // Half a texel short of the top and bottom rows, so the poles do not blend the
        // opposite pole's row in through the repeating texture.
        const float v = (0.5f + (height - 1.0f) * k / rings) / height;
        profile.push_back({{0, 0, -std::cos(polar)}, {0, 0, 1}, std::sin(polar), v});
    }
    Mesh mesh;
    mesh.inward = true;
    mesh.Use("Sky");
    AddTube(mesh, profile, segments, {1, 0, 0}, UvRect{});
    mesh.WriteObj(root + "/SkySphere", "SkySphere");
    WriteMtl(root + "/SkySphere/SkySphere.mtl", {{"Sky", "Sky.png"}});

    Image texture(1024, height, 3);
    texture.Paint([](float u, float v) {
        const float azimuth = 2 * kPi * u, elevation = kPi * (v - 0.5f);
        const V3 d{std::cos(elevation) * std::cos(azimuth), std::cos(elevation) * std::sin(azimuth),
                   std::sin(elevation)};
        return SkyColour(d);
    });
    texture.WritePng(root + "/SkySphere/Sky.png");
}

void WriteSkyCubeFaces(const std::string& root)
{
    // Per face: the direction of texture coordinates (s, t) in -1..1, as GL picks cube-map faces.
    struct FaceBasis
    {
        const char* name;
        V3 major, s, t;
    };
    const FaceBasis faces[6] = {
        {"SkyPosX", {1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {"SkyNegX", {-1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {"SkyPosY", {0, 1, 0}, {1, 0, 0}, {0, 0, 1}},   {"SkyNegY", {0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
        {"SkyPosZ", {0, 0, 1}, {1, 0, 0}, {0, -1, 0}},  {"SkyNegZ", {0, 0, -1}, {-1, 0, 0}, {0, -1, 0}},
    };
    for (const FaceBasis& face : faces) {
        Image image(128, 128, 3);
        // Texture t = 0 is memory row 0, which the game's image loader takes from the picture's bottom.
        image.Paint([&](float u, float v) {
            return SkyColour(Normalized(face.major + face.s * (2 * u - 1) + face.t * (2 * v - 1)));
        });
        image.WritePng(root + "/Ball/" + face.name + ".png");
    }
}
