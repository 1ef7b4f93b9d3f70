#pragma once

#include <algorithm>

/// A rectangle of the view in normalized device coordinates (-1 .. 1 across
/// each axis), grown point by point; empty until the first point.
struct ScreenBounds
{
    float left = 1e30f;
    float bottom = 1e30f;
    float right = -1e30f;
    float top = -1e30f;

    static ScreenBounds Whole() { return {-1.0f, -1.0f, 1.0f, 1.0f}; }
    bool Empty() const { return left > right || bottom > top; }
    void Add(float x, float y)
    {
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
};
