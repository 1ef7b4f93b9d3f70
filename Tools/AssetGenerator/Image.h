#pragma once

#include <functional>
#include <string>
#include <vector>

/// Red, green, blue, alpha in 0..1.
struct Rgba
{
    float r = 0, g = 0, b = 0, a = 1;
};

/// An 8-bit picture built from float colours, stored top row first (as PNG stores it).
class Image
{
public:
    /// `channels` is 3 (RGB) or 4 (RGBA).
    Image(int width, int height, int channels);

    /// Calls `colour(u, v)` at every pixel centre, with texture-space coordinates:
    /// v = 0 is the bottom of the picture, which is where the game's loader puts row 0.
    void Paint(const std::function<Rgba(float u, float v)>& colour);

    /// Sets the pixel in picture row `row` (0 = top), column `column`.
    void Set(int column, int row, Rgba colour);

    /// Writes a PNG file; the same picture always gives the same bytes.
    void WritePng(const std::string& path) const;

    int Width() const { return width; }
    int Height() const { return height; }

private:
    int width;
    int height;
    int channels;
    std::vector<unsigned char> pixels; // rows top first, `channels` bytes per pixel
};
