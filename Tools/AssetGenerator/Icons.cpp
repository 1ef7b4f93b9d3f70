#include "Icons.h"

#include "Image.h"
#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace {

const float kHorizon = 0.56f; // v of the line where water meets the dunes

Rgba Lerp(Rgba a, Rgba b, float t)
{
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t), Mix(a.a, b.a, t)};
}

// Signed distance to a rectangle centred at (cx, cy) with half sizes (hx, hy) and corners
// rounded by `radius`: negative inside.
float RoundedBox(float u, float v, float cx, float cy, float hx, float hy, float radius)
{
    const float dx = std::fmax(std::fabs(u - cx) - hx + radius, 0.0f);
    const float dy = std::fmax(std::fabs(v - cy) - hy + radius, 0.0f);
    const float inside = std::fmin(std::fmax(std::fabs(u - cx) - hx, std::fabs(v - cy) - hy), 0.0f);
    return std::sqrt(dx * dx + dy * dy) + inside - radius;
}

Rgba Sky(float u, float v)
{
    const float t = SmoothStep(kHorizon, 0.95f, v);
    Rgba sky = Lerp({1.0f, 0.62f, 0.30f}, {0.20f, 0.24f, 0.52f}, std::pow(t, 0.7f));
    const float dx = u - 0.70f, dy = v - 0.68f, sun = std::sqrt(dx * dx + dy * dy);
    sky = Lerp(sky, {1.0f, 0.85f, 0.55f}, 0.5f * std::exp(-sun * sun / 0.02f));
    return sun < 0.10f ? Rgba{1.0f, 0.93f, 0.70f} : sky;
}

float SegmentDistance(float u, float v, float ax, float ay, float bx, float by, float* along)
{
    const float dx = bx - ax, dy = by - ay;
    const float t = std::clamp(((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    *along = t;
    return std::hypot(u - ax - t * dx, v - ay - t * dy);
}

// Whether (u, v) lies on a drooping frond of `length` leaving the crown at `angle` (radians),
// drawn as a tapering stroke along a parabola.
bool OnFrond(float u, float v, float angle, float length)
{
    const float crownU = 0.21f, crownV = 0.80f;
    const int pieces = 8;
    for (int i = 0; i < pieces; ++i) {
        const float t0 = float(i) / pieces, t1 = float(i + 1) / pieces;
        const auto x = [&](float t) { return crownU + t * length * std::cos(angle); };
        const auto y = [&](float t) { return crownV + t * length * std::sin(angle) - 0.6f * length * t * t; };
        float along = 0;
        const float d = SegmentDistance(u, v, x(t0), y(t0), x(t1), y(t1), &along);
        if (d < 0.022f * (1 - Mix(t0, t1, along)) + 0.003f)
            return true;
    }
    return false;
}

// The silhouette of a palm on the far shore, against the sky.
bool OnPalm(float u, float v)
{
    if (v > kHorizon && v < 0.80f) {
        const float t = (v - kHorizon) / (0.80f - kHorizon);
        if (std::fabs(u - (0.15f + 0.06f * t * t)) < 0.016f - 0.006f * t)
            return true;
    }
    const float angles[5] = {0.35f, 1.2f, 2.0f, 2.8f, -0.3f};
    const float lengths[5] = {0.17f, 0.11f, 0.12f, 0.15f, 0.12f};
    for (int i = 0; i < 5; ++i)
        if (OnFrond(u, v, angles[i], lengths[i]))
            return true;
    return false;
}

// Height of the dunes above the horizon.
float Dunes(float u)
{
    return 0.035f + 0.025f * std::sin(u * 9.0f + 1.0f) + 0.015f * std::sin(u * 17.0f + 4.0f);
}

Rgba Water(float u, float v)
{
    const float depth = SmoothStep(kHorizon, 0.0f, v);
    Rgba water = Lerp({0.16f, 0.55f, 0.62f}, {0.04f, 0.24f, 0.38f}, depth);
    // The sun's glitter on the ripples, under the sun and fading towards the viewer.
    const float ripple = 0.5f + 0.5f * std::sin(v * 90.0f + 3.0f * std::sin(u * 14.0f));
    const float column = std::exp(-(u - 0.70f) * (u - 0.70f) / 0.006f) * (1 - depth);
    return Lerp(water, {1.0f, 0.86f, 0.60f}, 0.8f * column * ripple * ripple);
}

Rgba Block(float u, float v, float left, Rgba colour)
{
    const float bottom = 0.40f, height = 0.10f;
    const float top = SmoothStep(bottom + 0.6f * height, bottom + height, v);
    const float edge = RoundedBox(u, v, left + 0.08f, bottom + height / 2, 0.08f, height / 2, 0.015f);
    const Rgba lit = Lerp(colour, {1, 1, 1}, 0.45f * top);
    return edge > -0.012f ? Lerp(colour, {0, 0, 0}, 0.45f) : lit;
}

Rgba Ball(float u, float v)
{
    const float x = (u - 0.44f) / 0.07f, y = (v - 0.27f) / 0.07f;
    const float z = std::sqrt(std::fmax(0.0f, 1 - x * x - y * y));
    const float light = std::fmax(0.0f, -0.45f * x + 0.55f * y + 0.70f * z);
    const float shine = std::pow(std::fmax(0.0f, light), 24.0f);
    const float grey = 0.35f + 0.5f * light + 0.6f * shine;
    return {grey, grey, grey * 1.04f};
}

Rgba Paddle(float u, float v)
{
    const float top = SmoothStep(0.12f, 0.17f, v);
    const Rgba body = Lerp({0.08f, 0.22f, 0.70f}, {0.35f, 0.60f, 1.0f}, top);
    const bool stripe = std::fabs(v - 0.135f) < 0.008f && std::fabs(u - 0.5f) < 0.16f;
    return stripe ? Rgba{0.92f, 0.95f, 1.0f} : body;
}

// The picture inside the tile, front to back.
Rgba Scene(float u, float v)
{
    if (RoundedBox(u, v, 0.5f, 0.145f, 0.21f, 0.04f, 0.035f) < 0)
        return Paddle(u, v);
    if ((u - 0.44f) * (u - 0.44f) + (v - 0.27f) * (v - 0.27f) < 0.07f * 0.07f)
        return Ball(u, v);
    const Rgba colours[4] = {{0.90f, 0.20f, 0.16f}, {0.98f, 0.78f, 0.16f}, {0.22f, 0.72f, 0.28f},
                             {0.62f, 0.30f, 0.82f}};
    for (int i = 0; i < 4; ++i) {
        const float left = 0.12f + 0.195f * i;
        if (u >= left && u < left + 0.16f && v >= 0.40f && v < 0.50f)
            return Block(u, v, left, colours[i]);
    }
    if (v < kHorizon)
        return Water(u, v);
    if (OnPalm(u, v))
        return {0.22f, 0.13f, 0.14f};
    if (v < kHorizon + Dunes(u))
        return Lerp({0.80f, 0.52f, 0.30f}, {0.62f, 0.36f, 0.22f}, SmoothStep(0.0f, 0.06f, v - kHorizon));
    return Sky(u, v);
}

// The tile with a thin dark rim; transparent outside.
Rgba Tile(float u, float v)
{
    const float edge = RoundedBox(u, v, 0.5f, 0.5f, 0.46f, 0.46f, 0.16f);
    if (edge > 0)
        return {0, 0, 0, 0};
    const Rgba inside = Scene(u, v);
    return edge > -0.012f ? Lerp(inside, {0.05f, 0.06f, 0.10f, 1}, 0.7f) : inside;
}

// Averages 4 x 4 samples per pixel (colours weighted by alpha), so edges are smooth at any size.
Image PaintIcon(int size)
{
    const int samples = 4;
    Image icon(size, size, 4);
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            Rgba sum{0, 0, 0, 0};
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const float u = (column + (sx + 0.5f) / samples) / size;
                    const float v = 1 - (row + (sy + 0.5f) / samples) / size;
                    const Rgba c = Tile(u, v);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            const float alpha = sum.a / (samples * samples);
            const float scale = sum.a > 0 ? 1 / sum.a : 0;
            icon.Set(column, row, {sum.r * scale, sum.g * scale, sum.b * scale, alpha});
        }
    return icon;
}

} // namespace

void WriteIcons(const std::string& root)
{
    for (int size : {32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        PaintIcon(size).WritePng(root + "/Icons/" + name + ".png");
    }
}
