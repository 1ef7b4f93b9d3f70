// Feeds arbitrary text to the material library reader as an MTL file. It may
// fail only with its own errors or a texture error; anything else or a
// sanitizer finding is a crash. Image files are never opened: decoding images
// is the image library's business, and making textures would need GL.
#include "Assets/MaterialLib.h"
#include "Support/Exception.h"

#include <IL/il.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

ILHANDLE ILAPIENTRY RefuseOpen(ILconst_string) { return nullptr; }
void ILAPIENTRY NoClose(ILHANDLE) {}
ILboolean ILAPIENTRY AtEnd(ILHANDLE) { return IL_TRUE; }
ILint ILAPIENTRY NoChar(ILHANDLE) { return -1; }
ILint ILAPIENTRY NoRead(void*, ILuint, ILuint, ILHANDLE) { return 0; }
ILint ILAPIENTRY NoSeek(ILHANDLE, ILint, ILint) { return -1; }
ILint ILAPIENTRY NoTell(ILHANDLE) { return 0; }

// Every texture then fails as a missing file would.
bool RefuseImageFiles()
{
    ilSetRead(RefuseOpen, NoClose, AtEnd, NoChar, NoRead, NoSeek, NoTell);
    return true;
}

// A scratch folder for the input file, removed when the run ends normally.
class ScratchFolder
{
public:
    ScratchFolder() : path("/tmp/fuzz-mtl-XXXXXX")
    {
        if (mkdtemp(&path[0]) == nullptr)
            std::abort();
        path += "/";
    }
    ~ScratchFolder()
    {
        std::remove((path + "m.mtl").c_str());
        rmdir(path.c_str());
    }

    std::string path; // ends in "/"
};

void CheckHasMessage(const Exception& e)
{
    if (boost::get_error_info<tag_error_message>(e) == nullptr)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool refused = RefuseImageFiles();
    static const ScratchFolder scratch;
    const std::string& folder = scratch.path;
    (void)refused;
    {
        std::ofstream file(folder + "m.mtl", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    MaterialLib library;
    try {
        library.Load("m.mtl", folder);
    } catch (const Exception& e) {
        CheckHasMessage(e);
    }
    // Asking afterwards must answer with a material or "Material not found".
    for (const char* name : {"", "wood", "a"}) {
        try {
            const Material material = library.GetMaterial(name);
            if (material.texture != 0 || !material.textureName.empty())
                std::abort();
        } catch (const Exception& e) {
            CheckHasMessage(e);
        }
    }
    return 0;
}
