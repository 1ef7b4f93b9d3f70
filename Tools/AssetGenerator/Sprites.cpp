#include "Sprites.h"

#include "Image.h"
#include "Noise.h"

#include <cmath>

namespace {

// Distance from the sprite's centre, 1 at the middle of each edge.
float Radius(float u, float v)
{
    const float x = 2 * u - 1, y = 2 * v - 1;
    return std::sqrt(x * x + y * y);
}

Rgba Smoke(float u, float v)
{
    const float r = Radius(u, v);
    const float puff = Fractal(u * 6, v * 6, 6, 91);
    const float alpha = SmoothStep(1.0f, 0.25f, r) * (0.45f + 0.55f * puff);
    const float grey = 0.82f + 0.15f * puff;
    return {grey, grey, grey * 0.98f, alpha};
}

Rgba Sparkle(float u, float v)
{
    const float x = std::fabs(2 * u - 1), y = std::fabs(2 * v - 1), r = Radius(u, v);
    const float core = std::exp(-r * r / 0.012f);
    const float straight = std::exp(-x * 28) * (1 - y) + std::exp(-y * 28) * (1 - x);
    const float d1 = std::fabs(x - y) * 0.7071f;
    const float diagonal = 0.5f * std::exp(-d1 * 40) * std::fmax(0.0f, 1 - r * 1.4f);
    const float alpha = std::fmin(1.0f, core + straight + diagonal) * SmoothStep(1.0f, 0.8f, r);
    return {1, 1, 0.95f, alpha};
}

Rgba Fire(float u, float v)
{
    const float r = Radius(u, v);
    const float flicker = Fractal(u * 5, v * 5, 5, 93);
    const float alpha = std::exp(-r * r / 0.22f) * (0.7f + 0.3f * flicker) * SmoothStep(1.0f, 0.75f, r);
    const float heat = std::exp(-r * r / 0.08f);
    return {1, Mix(0.85f, 1.0f, heat), Mix(0.6f, 0.95f, heat), alpha};
}

} // namespace

void WriteSprites(const std::string& root)
{
    Image smoke(128, 128, 4), sparkle(64, 64, 4), fire(128, 128, 4);
    smoke.Paint(Smoke);
    sparkle.Paint(Sparkle);
    fire.Paint(Fire);
    smoke.WritePng(root + "/Particles/Rauch.png");
    sparkle.WritePng(root + "/Particles/Sparkle.png");
    fire.WritePng(root + "/Particles/Fire.png");
}
