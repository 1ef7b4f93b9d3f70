// Feeds arbitrary text to the model parser. It may fail only with the loader's
// own errors or a number conversion failure; anything else, a sanitizer
// finding, or a parsed mesh that the cache cannot carry back unchanged is a
// crash.
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

bool SameBytes(const std::vector<float>& a, const std::vector<float>& b)
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MaterialLib library = ReadKnownMaterials();
    FixedMaterials materials(library);
    std::ostream discard(nullptr);
    ObjParser parser(materials, discard, discard);
    try {
        const ObjMesh obj = parser.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
        CheckCacheRoundTrip(obj.Flatten());
    } catch (const Exception& e) {
        // Every error of the loader says what went wrong.
        if (boost::get_error_info<tag_error_message>(e) == nullptr)
            std::abort();
    } catch (const boost::bad_lexical_cast&) {
    }
    return 0;
}
