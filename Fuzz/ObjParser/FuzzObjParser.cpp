// Feeds arbitrary text to the model parser. It may fail only with the loader's
// own errors or a number conversion failure; anything else, a sanitizer
// finding, a difference between the one-scan paths and the general reader, or
// a parsed mesh that the cache cannot carry back unchanged is a crash.
#include "Assets/MaterialLib.h"
#include "Assets/ModelCache.h"
#include "Assets/ObjParser.h"
#include "Support/Exception.h"

#include <boost/lexical_cast.hpp>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// Names the seed models use, all without textures so that nothing needs GL.
const char* const knownMaterials = "newmtl Sky\nnewmtl Block\nnewmtl Dynamite\nnewmtl Extra\nnewmtl Barrel\n"
                                   "newmtl LauncherBlock\nnewmtl Lakebed\nnewmtl Sand\nnewmtl Trunk\nnewmtl Frond\n"
                                   "newmtl Paddle\nnewmtl wood\nnewmtl plain\nnewmtl red\nnewmtl blue\nnewmtl a\n";

// The real library, read once from a file without "map_Kd" lines. Every
// "mtllib" line stands for that one file; "usemtl" before any "mtllib" fails
// as it does in the game.
class FixedMaterials : public ObjParser::MaterialSource
{
public:
    explicit FixedMaterials(MaterialLib& library) : library(library) {}

    void LoadLibrary(const std::string&) override { loaded = true; }

    Material GetMaterial(const std::string& name) override
    {
        if (!loaded)
            return MaterialLib().GetMaterial(name);
        return library.GetMaterial(name);
    }

private:
    MaterialLib& library;
    bool loaded = false;
};

MaterialLib ReadKnownMaterials()
{
    const std::string path = "/tmp/fuzz-obj-" + std::to_string(getpid()) + ".mtl";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << knownMaterials;
    }
    MaterialLib library;
    library.Load(path, "");
    std::remove(path.c_str());
    return library;
}

template <typename Array>
bool SameBytes(const Array& a, const Array& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

// What the parser produced must survive the cache file exactly.
void CheckCacheRoundTrip(const MeshArrays& mesh)
{
    std::ostringstream out;
    ModelCache::Write(out, mesh);
    const std::string bytes = out.str();
    MeshArrays back;
    if (!ModelCache::Decode(bytes.data(), bytes.size(), back))
        std::abort();
    if (!SameBytes(mesh.positions, back.positions) || !SameBytes(mesh.normals, back.normals)
        || !SameBytes(mesh.texCoords, back.texCoords) || mesh.indices != back.indices
        || mesh.submeshes.size() != back.submeshes.size())
        std::abort();
    for (std::size_t k = 0; k < mesh.submeshes.size(); ++k) {
        if (mesh.submeshes[k].firstTriangle != back.submeshes[k].firstTriangle)
            std::abort();
    }
}

// What one parse gave: the mesh, or the error's message, detail and line.
struct Outcome
{
    ObjMesh mesh;
    std::string error; // empty on success
    std::string printed;
};

std::string Describe(const Exception& e)
{
    const std::string* message = boost::get_error_info<tag_error_message>(e);
    const std::string* detail = boost::get_error_info<tag_error_detail>(e);
    const int* line = boost::get_error_info<boost::throw_line>(e);
    // Every error of the loader says what went wrong.
    if (message == nullptr)
        std::abort();
    return *message + "|" + (detail ? *detail : "") + "|" + std::to_string(line ? *line : -1);
}

Outcome Parse(MaterialLib& library, std::string_view text, bool fastPaths)
{
    FixedMaterials materials(library);
    std::ostringstream printed;
    ObjParser parser(materials, printed, printed);
    parser.UseFastPaths(fastPaths);
    Outcome outcome;
    try {
        outcome.mesh = parser.Parse(text);
    } catch (const Exception& e) {
        outcome.error = Describe(e);
    } catch (const boost::bad_lexical_cast&) {
        outcome.error = "bad_lexical_cast";
    }
    outcome.printed = printed.str();
    return outcome;
}

bool SameCorners(const std::vector<ObjCorner>& a, const std::vector<ObjCorner>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (a[k].position != b[k].position || a[k].texCoord != b[k].texCoord || a[k].normal != b[k].normal)
            return false;
    }
    return true;
}

bool SameMesh(const ObjMesh& a, const ObjMesh& b)
{
    if (!SameBytes(a.positions, b.positions) || !SameBytes(a.texCoords, b.texCoords)
        || !SameBytes(a.normals, b.normals) || !SameCorners(a.corners, b.corners)
        || a.submeshes.size() != b.submeshes.size() || a.objectCount != b.objectCount)
        return false;
    for (std::size_t k = 0; k < a.submeshes.size(); ++k) {
        if (a.submeshes[k].firstTriangle != b.submeshes[k].firstTriangle)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MaterialLib library = ReadKnownMaterials();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Outcome fast = Parse(library, text, true);
    const Outcome general = Parse(library, text, false);
    if (fast.error != general.error || fast.printed != general.printed)
        std::abort();
    if (fast.error.empty()) {
        if (!SameMesh(fast.mesh, general.mesh))
            std::abort();
        CheckCacheRoundTrip(fast.mesh.Flatten());
    }
    return 0;
}
