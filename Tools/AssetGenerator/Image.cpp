#include "Image.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

unsigned char ToByte(float value)
{
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

void PutBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// One filtered scanline for PNG filter type `type` (0 none .. 4 Paeth).
std::string FilterRow(const unsigned char* row, const unsigned char* above, int length, int bpp, int type)
{
    std::string out(1, static_cast<char>(type));
    for (int i = 0; i < length; ++i) {
        const int a = i >= bpp ? row[i - bpp] : 0, b = above ? above[i] : 0;
        const int c = (above && i >= bpp) ? above[i - bpp] : 0;
        const int predictor[5] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
        out.push_back(static_cast<char>((row[i] - predictor[type]) & 0xFF));
    }
    return out;
}

// Picks per row the filter with the smallest sum of signed residues, the usual heuristic.
std::string BestFilteredRow(const unsigned char* row, const unsigned char* above, int length, int bpp)
{
    std::string best;
    long bestScore = -1;
    for (int type = 0; type < 5; ++type) {
        std::string candidate = FilterRow(row, above, length, bpp, type);
        long score = 0;
        for (std::size_t i = 1; i < candidate.size(); ++i)
            score += std::abs(static_cast<signed char>(candidate[i]));
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best = std::move(candidate);
        }
    }
    return best;
}

} // namespace

Image::Image(int width, int height, int channels)
    : width(width), height(height), channels(channels),
      pixels(static_cast<std::size_t>(width) * height * channels, 0)
{
}

void Image::Set(int column, int row, Rgba colour)
{
    unsigned char* p = &pixels[(static_cast<std::size_t>(row) * width + column) * channels];
    p[0] = ToByte(colour.r);
    p[1] = ToByte(colour.g);
    p[2] = ToByte(colour.b);
    if (channels == 4)
        p[3] = ToByte(colour.a);
}

void Image::Paint(const std::function<Rgba(float u, float v)>& colour)
{
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            Set(column, row, colour((column + 0.5f) / width, 1.0f - (row + 0.5f) / height));
}

void Image::WritePng(const std::string& path) const
{
    const int stride = width * channels;
    std::string raw;
    for (int row = 0; row < height; ++row) {
        const unsigned char* line = &pixels[static_cast<std::size_t>(row) * stride];
        raw += BestFilteredRow(line, row > 0 ? line - stride : nullptr, stride, channels);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("compression failed for " + path);
    packed.resize(packedSize);

    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string{8, static_cast<char>(channels == 4 ? 6 : 2), 0, 0, 0}; // depth, colour type, methods

    std::string file = "\x89PNG\r\n\x1a\n";
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", "");
    std::ofstream out(path, std::ios::binary);
    out << file;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
