// Feeds arbitrary bytes to the model cache reader, from memory and from a file.
// Both must agree, and whatever they accept must be safe to draw: every run
// within the triangles, every index within the arrays, and the same mesh
// again after writing it back.
#include "Assets/ModelCache.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The reads Draw would make for each run, checked against the arrays.
bool SafeToDraw(const MeshArrays& mesh)
{
    const std::size_t corners = mesh.indices.size();
    const std::size_t triangles = corners / 3;
    if (corners % 3 != 0 || mesh.positions.size() != 3 * corners || mesh.normals.size() != 3 * corners
        || mesh.texCoords.size() != 2 * corners || mesh.submeshes.empty())
        return false;
    for (unsigned index : mesh.indices) {
        if (index >= corners)
            return false;
    }
    for (std::size_t k = 0; k < mesh.submeshes.size(); ++k) {
        const int first = mesh.submeshes[k].firstTriangle;
        const int next = k + 1 < mesh.submeshes.size() ? mesh.submeshes[k + 1].firstTriangle : first;
        if (first < 0 || next < first || static_cast<std::size_t>(next) > triangles)
            return false;
    }
    return true;
}

bool SameMesh(const MeshArrays& a, const MeshArrays& b)
{
    auto sameFloats = [](const MeshArray<float>& x, const MeshArray<float>& y) {
        return x.size() == y.size() && (x.empty() || std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0);
    };
    if (!sameFloats(a.positions, b.positions) || !sameFloats(a.normals, b.normals)
        || !sameFloats(a.texCoords, b.texCoords) || a.indices != b.indices || a.submeshes.size() != b.submeshes.size())
        return false;
    for (std::size_t k = 0; k < a.submeshes.size(); ++k) {
        if (a.submeshes[k].firstTriangle != b.submeshes[k].firstTriangle
            || a.submeshes[k].material.textureName != b.submeshes[k].material.textureName)
            return false;
    }
    return true;
}

// The input as a file, removed when the run ends normally.
struct ScratchFile
{
    ~ScratchFile() { std::remove(path.c_str()); }

    std::string path = "/tmp/fuzz-cache-" + std::to_string(getpid()) + ".bin";
};

bool ReadFromFile(const uint8_t* data, size_t size, MeshArrays& mesh)
{
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    return ModelCache::Read(path, mesh);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MeshArrays decoded;
    const bool accepted = ModelCache::Decode(reinterpret_cast<const char*>(data), size, decoded);
    MeshArrays read;
    if (ReadFromFile(data, size, read) != accepted)
        std::abort();
    if (!accepted)
        return 0;
    if (!SafeToDraw(decoded) || !SameMesh(decoded, read))
        std::abort();

    std::ostringstream out;
    ModelCache::Write(out, decoded);
    const std::string bytes = out.str();
    MeshArrays again;
    if (!ModelCache::Decode(bytes.data(), bytes.size(), again) || !SameMesh(decoded, again))
        std::abort();
    return 0;
}
