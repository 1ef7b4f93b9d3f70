#include "Pieces.h"

#include "Image.h"
#include "Mesh.h"
#include "Noise.h"

#include <cmath>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;

// Block-like pieces stand on their corner: x 0..kWidth, y 0..kDepth, z 0..kDepth, leaving
// a small gap to the neighbouring cell so faces never meet.
constexpr float kWidth = 0.96f, kDepth = 0.46f;

const V3 kDown{0, 0, -1}; // tube seam at the bottom, so u = 0.5 faces the cameras above

void WriteModel(const Mesh& mesh, const std::string& root, const std::string& folder, const std::string& name,
                const Image& texture)
{
    const std::string directory = root + "/" + folder;
    mesh.WriteObj(directory, name);
    WriteMtl(directory + "/" + name + ".mtl", {{name, name + ".png"}});
    texture.WritePng(directory + "/" + name + ".png");
}

Rgba Shade(Rgba colour, float factor)
{
    return {colour.r * factor, colour.g * factor, colour.b * factor, colour.a};
}

// A rounded bar of length `length` lying along x from x = `start`.
std::vector<Ring> LyingCylinder(float start, float length, float y, float z, float radius, float v0, float v1)
{
    const V3 axis{1, 0, 0};
    return {{{start, y, z}, axis, 0, v0},
            {{start, y, z}, axis, radius, v0 + 0.02f},
            {{start + length, y, z}, axis, radius, v1 - 0.02f},
            {{start + length, y, z}, axis, 0, v1}};
}

// Light marble, since normal blocks are tinted by their hit points.
void WriteBlock(const std::string& root)
{
    Mesh mesh;
    mesh.Use("Block");
    const V3 half{kWidth / 2, kDepth / 2, kDepth / 2};
    AddRoundedBox(mesh, half, half, 0.06f, [](int) { return UvRect{}; });
    Image texture(128, 128, 3);
    texture.Paint([](float u, float v) {
        const float border = std::fmin(std::fmin(u, 1 - u), std::fmin(v, 1 - v));
        const float vein = std::fabs(std::sin(8 * u + 5 * v + 6 * Fractal(u * 4, v * 4, 4, 51)));
        const float shade = 0.84f + 0.1f * SmoothStep(0.04f, 0.14f, border) + 0.06f * SmoothStep(0.9f, 1.0f, vein);
        return Rgba{shade, shade, shade * 0.98f, 1};
    });
    WriteModel(mesh, root, "Block", "Block", texture);
}

// 5 x 5 glyphs for the stick label; '#' is ink. u runs along the text, v down the letters.
bool LabelInk(float u, float v)
{
    static const char* glyphs[2][5] = {{"#####", "..#..", "..#..", "..#..", "..#.."},
                                       {"#...#", "##..#", "#.#.#", "#..##", "#...#"}};
    const int letter = static_cast<int>(std::floor(u * 3)); // T N T
    const float lu = u * 3 - letter, lv = v;
    const int column = static_cast<int>(lu * 7) - 1, row = static_cast<int>(lv * 7) - 1;
    if (letter < 0 || letter > 2 || column < 0 || column > 4 || row < 0 || row > 4)
        return false;
    return glyphs[letter == 1 ? 1 : 0][row][column] == '#';
}

// Red paper sticks (v along the stick below 0.88) and the fuse cord above.
Rgba DynamiteColour(float u, float v)
{
    if (v > 0.9f)
        return Rgba{0.85f, 0.82f, 0.72f, 1};
    const float s = v / 0.88f;
    if (s < 0.03f || s > 0.97f)
        return Rgba{0.86f, 0.74f, 0.52f, 1};
    const Rgba paper = Shade({0.80f, 0.10f, 0.07f, 1}, 0.85f + 0.15f * ValueNoise(u * 16, s * 64, 16, 61));
    if ((s > 0.2f && s < 0.27f) || (s > 0.73f && s < 0.8f))
        return Rgba{0.08f, 0.08f, 0.08f, 1};
    // Read along the stick from above: glyph rows run from the far side (small u) to the near one.
    if (u > 0.38f && u < 0.62f && s > 0.3f && s < 0.7f)
        return LabelInk((s - 0.3f) / 0.4f, (u - 0.38f) / 0.24f) ? paper : Rgba{0.95f, 0.92f, 0.8f, 1};
    return paper;
}

void WriteDynamite(const std::string& root)
{
    Mesh mesh;
    mesh.Use("Dynamite");
    const float r = 0.115f, length = 0.93f;
    const UvRect stick{0, 0, 1, 0.88f}, cord{0, 0.92f, 1, 1};
    for (const auto& [y, z] : {std::pair{r, r}, std::pair{kDepth - r, r}, std::pair{kDepth / 2, 3 * r - 0.03f}})
        AddTube(mesh, LyingCylinder(0, length, y, z, r, 0, 1), 12, kDown, stick);
    const float fx = length, fy = kDepth / 2, fz = 3 * r - 0.03f, fr = 0.018f;
    AddTube(mesh,
            {{{fx, fy, fz}, {1, 0, 0}, fr, 0},
             {{fx + 0.03f, fy, fz + 0.02f}, Normalized({1, 0, 1}), fr, 0.3f},
             {{fx + 0.045f, fy, fz + 0.09f}, {0, 0, 1}, fr, 0.7f},
             {{fx + 0.045f, fy, fz + 0.12f}, {0, 0, 1}, 0, 1}},
            5, {1, 0, 0}, cord);
    Image texture(256, 256, 3);
    texture.Paint(DynamiteColour);
    WriteModel(mesh, root, "ExplosionBlock", "Dynamite", texture);
}

// Wooden staves with iron hoops (v along the barrel), a yellow bonus mark on top.
Rgba BarrelColour(float u, float v)
{
    if (v < 0.04f || v > 0.96f) {
        const float grain = ValueNoise(u * 40, v * 4, 40, 71);
        return Shade({0.70f, 0.52f, 0.32f, 1}, 0.8f + 0.2f * grain);
    }
    const float stave = std::fmod(u * 14, 1.0f);
    const float seam = SmoothStep(0.0f, 0.08f, stave) * SmoothStep(1.0f, 0.92f, stave);
    const float grain = ValueNoise(u * 14 * 8, v * 6, 14 * 8, 72);
    Rgba wood = Shade({0.58f, 0.38f, 0.20f, 1}, 0.6f + 0.25f * seam + 0.15f * grain);
    for (float hoop : {0.14f, 0.3f, 0.7f, 0.86f})
        if (std::fabs(v - hoop) < 0.035f)
            wood = Shade({0.32f, 0.32f, 0.34f, 1}, 0.8f + 0.2f * SmoothStep(0.035f, 0.0f, std::fabs(v - hoop)));
    const float du = (u - 0.5f) * 2.6f, dv = (v - 0.5f) * 1.5f;
    const float mark = std::sqrt(du * du + dv * dv);
    const bool plus = (std::fabs(du) < 0.06f || std::fabs(dv) < 0.06f) && mark < 0.16f;
    if (mark < 0.25f)
        return plus ? Rgba{0.55f, 0.3f, 0.05f, 1} : Rgba{1.0f, 0.82f, 0.15f, 1};
    return wood;
}

void WriteBarrel(const std::string& root)
{
    Mesh mesh;
    mesh.Use("Barrel");
    const float y = kDepth / 2, z = kDepth / 2, end = 0.19f, belly = kDepth / 2;
    const V3 axis{1, 0, 0};
    std::vector<Ring> rings = {{{0, y, z}, axis, 0, 0}, {{0, y, z}, axis, end, 0.04f}};
    for (int k = 1; k < 6; ++k) {
        const float t = k / 6.0f;
        rings.push_back({{kWidth * t, y, z}, axis, Mix(end, belly, std::sin(kPi * t)), 0.04f + 0.92f * t});
    }
    rings.push_back({{kWidth, y, z}, axis, end, 0.96f});
    rings.push_back({{kWidth, y, z}, axis, 0, 1});
    AddTube(mesh, rings, 16, kDown, UvRect{});
    Image texture(256, 256, 3);
    texture.Paint(BarrelColour);
    WriteModel(mesh, root, "ExtraBlock", "Barrel", texture);
}

// Lower half: steel housing with hazard stripes round each face; upper half: glass dome.
Rgba LauncherColour(float u, float v)
{
    if (v >= 0.5f) {
        const float h = (v - 0.5f) * 2; // 0 at the rim, 1 at the top
        const float shine = SmoothStep(0.55f, 0.7f, h) * SmoothStep(0.85f, 0.7f, h);
        return {Mix(0.35f, 1.0f, shine), Mix(0.65f, 1.0f, shine), Mix(0.85f, 1.0f, shine), 1};
    }
    const float fu = u, fv = v * 2;
    const float border = std::fmin(std::fmin(fu, 1 - fu), std::fmin(fv, 1 - fv));
    if (border < 0.14f) {
        const bool yellow = std::fmod((fu + fv) * 10, 1.0f) < 0.5f;
        return yellow ? Rgba{0.95f, 0.78f, 0.1f, 1} : Rgba{0.1f, 0.1f, 0.1f, 1};
    }
    return Shade({0.45f, 0.5f, 0.58f, 1}, 0.85f + 0.15f * ValueNoise(fu * 20, fv * 20, 20, 81));
}

void WriteLauncher(const std::string& root)
{
    Mesh mesh;
    mesh.Use("LauncherBlock");
    const float housing = 0.26f;
    const V3 half{kWidth / 2, kDepth / 2, housing / 2};
    AddRoundedBox(mesh, half, half, 0.05f, [](int) { return UvRect{0, 0, 1, 0.5f}; });
    std::vector<Ring> dome;
    const float radius = kDepth - housing;
    for (int k = 0; k <= 5; ++k) {
        const float a = 0.5f * kPi * k / 5;
        dome.push_back({{kWidth / 2, kDepth / 2, housing - 0.01f + radius * std::sin(a)}, {0, 0, 1},
                        radius * std::cos(a), static_cast<float>(k) / 5});
    }
    AddTube(mesh, dome, 16, {1, 0, 0}, UvRect{0, 0.5f, 1, 1});
    Image texture(256, 256, 3);
    texture.Paint(LauncherColour);
    WriteModel(mesh, root, "LauncherBlock", "LauncherBlock", texture);
}

// A small golden gem centred on its origin.
void WriteExtra(const std::string& root)
{
    Mesh mesh;
    mesh.Use("Extra");
    const V3 up{0, 0, 1};
    AddTube(mesh,
            {{{0, 0, -0.2f}, up, 0, 0},
             {{0, 0, 0.0f}, up, 0.22f, 0.45f},
             {{0, 0, 0.04f}, up, 0.22f, 0.55f},
             {{0, 0, 0.16f}, up, 0.12f, 0.8f},
             {{0, 0, 0.16f}, up, 0, 1}},
            10, {1, 0, 0}, UvRect{});
    Image texture(64, 64, 3);
    texture.Paint([](float u, float v) {
        const float facet = 0.75f + 0.25f * std::fabs(std::sin(u * 10 * kPi));
        const float glint = 0.6f * SmoothStep(0.62f, 0.7f, v) * SmoothStep(0.78f, 0.7f, v);
        return Rgba{Mix(1.0f * facet, 1, glint), Mix(0.74f * facet, 1, glint), Mix(0.12f * facet, 0.8f, glint), 1};
    });
    WriteModel(mesh, root, "Extra01", "Extra", texture);
}

// Lower half of the texture: blue hull with a glowing stripe and a centre notch; upper half: red end caps.
Rgba PaddleColour(float u, float v)
{
    if (v >= 0.5f) {
        const float h = (v - 0.5f) * 2;
        return Shade({0.85f, 0.2f, 0.1f, 1}, 0.8f + 0.2f * SmoothStep(0.2f, 0.5f, h) * SmoothStep(0.8f, 0.5f, h));
    }
    const float h = v * 2;
    const float stripe = SmoothStep(0.1f, 0.0f, std::fabs(h - 0.5f));
    const float notch = SmoothStep(0.012f, 0.006f, std::fabs(u - 0.5f));
    const Rgba hull = Shade({0.15f, 0.3f, 0.75f, 1}, 0.75f + 0.25f * h);
    const Rgba lit{Mix(hull.r, 1.0f, stripe), Mix(hull.g, 0.75f, stripe), Mix(hull.b, 0.2f, stripe), 1};
    return {Mix(lit.r, 1, notch), Mix(lit.g, 1, notch), Mix(lit.b, 1, notch), 1};
}

void WritePaddle(const std::string& root)
{
    Mesh mesh;
    mesh.Use("Paddle");
    AddRoundedBox(mesh, {0, 0, 0.1f}, {1.5f, 0.25f, 0.4f}, 0.18f,
                  [](int face) { return face < 2 ? UvRect{0, 0.5f, 1, 1} : UvRect{0, 0, 1, 0.5f}; });
    Image texture(256, 256, 3);
    texture.Paint(PaddleColour);
    WriteModel(mesh, root, "Paddle", "Paddle", texture);
}

} // namespace

void WritePieces(const std::string& root)
{
    WriteBlock(root);
    WriteDynamite(root);
    WriteBarrel(root);
    WriteLauncher(root);
    WriteExtra(root);
    WritePaddle(root);
}
