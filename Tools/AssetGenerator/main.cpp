// Writes the game's meshes, textures, sprites, sky images, sounds and icons into the folder given
// on the command line (normally Resources/). The same build always writes the same bytes.

#include "Icons.h"
#include "Oasis.h"
#include "Pieces.h"
#include "Sky.h"
#include "Sounds.h"
#include "Sprites.h"

#include <exception>
#include <filesystem>
#include <iostream>

namespace {

const char* const kFolders[] = {"SkySphere", "Oasis", "Block", "ExplosionBlock", "ExtraBlock",
                                "LauncherBlock", "Extra01", "Paddle", "Particles", "Ball", "Sounds", "Icons"};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: asset_generator <target folder>" << std::endl;
        return 2;
    }
    const std::string root = argv[1];
    try {
        for (const char* folder : kFolders)
            std::filesystem::create_directories(root + "/" + folder);
        WriteSkySphere(root);
        WriteSkyCubeFaces(root);
        WriteOasis(root);
        WritePieces(root);
        WriteSprites(root);
        WriteSounds(root);
        WriteIcons(root);
    } catch (const std::exception& error) {
        std::cerr << "asset_generator: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
