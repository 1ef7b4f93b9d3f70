#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace {

void Put16(std::ofstream& out, std::uint16_t v)
{
    const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

void Put32(std::ofstream& out, std::uint32_t v)
{
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

void WriteWave(const std::string& path, const Samples& samples, int rate)
{
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);             // size of the format chunk
    Put16(out, 1);              // PCM
    Put16(out, 1);              // one channel
    Put32(out, static_cast<std::uint32_t>(rate));
    Put32(out, static_cast<std::uint32_t>(rate) * 2); // bytes per second
    Put16(out, 2);              // bytes per frame
    Put16(out, 16);             // bits per sample
    out.write("data", 4);
    Put32(out, dataBytes);
    for (float s : samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
