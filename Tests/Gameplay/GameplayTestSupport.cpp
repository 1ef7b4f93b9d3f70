#include "Gameplay/GameplayTestSupport.h"

#include <IL/il.h>
#include <boost/filesystem.hpp>

#include <sstream>
#include <vector>

namespace GameplayTest {

namespace {

const char* const skyFaces[6] = {"SkyPosX", "SkyNegX", "SkyPosY", "SkyNegY", "SkyPosZ", "SkyNegZ"};

} // namespace

void WritePng(const std::string& path, int size, unsigned char r, unsigned char g, unsigned char b)
{
    boost::filesystem::create_directories(boost::filesystem::path(path).parent_path());
    std::vector<unsigned char> pixels;
    for (int i = 0; i < size * size; ++i)
        pixels.insert(pixels.end(), {r, g, b, 255});
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(size, size, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
}

Vec3 SkyFaceColour(int face)
{
    return Vec3(face * 40.0f, 255.0f - face * 40.0f, face % 2 ? 255.0f : 0.0f);
}

std::string BoxObj(Vec3 min, Vec3 max)
{
    std::ostringstream obj;
    obj << "v " << min.x << " " << min.y << " " << min.z << "\n"
        << "v " << max.x << " " << min.y << " " << max.z << "\n"
        << "v " << max.x << " " << max.y << " " << max.z << "\n"
        << "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n";
    return obj.str();
}

World::World(int startLevel)
{
    using TestSupport::WriteFile;
    TestSupport::EnsureGLContext();
    WriteFile(dir / "Config.cfg", "StartLevel=" + std::to_string(startLevel) + "\n");
    const std::string block = BoxObj(Vec3(0, 0, 0), Vec3(1, 0.5f, 0.5f));
    for (const char* mesh : {"Block/Block.obj", "ExplosionBlock/Dynamite.obj", "ExtraBlock/Barrel.obj",
                             "LauncherBlock/LauncherBlock.obj"})
        WriteFile(dir / "Resources/" + mesh, block);
    WriteFile(dir / "Resources/Extra01/Extra.obj", BoxObj(Vec3(-0.1f, -0.1f, -0.1f), Vec3(0.1f, 0.1f, 0.1f)));
    WriteFile(dir / "Resources/Paddle/Paddle.obj", BoxObj(Vec3(-1.5f, -0.25f, -0.3f), Vec3(1.5f, 0.25f, 0.5f)));
    // The world's scenery and water, as small as the loader and the water allow.
    for (const char* mesh : {"SkySphere/SkySphere.obj", "Oasis/terrain.obj", "Oasis/trees.obj"})
        WriteFile(dir / "Resources/" + mesh, BoxObj(Vec3(-1, -1, -1), Vec3(1, 1, 1)));
    WriteFile(dir / "Resources/Water.vert", "#version 120\nvoid main() { gl_Position = ftransform(); }\n");
    WriteFile(dir / "Resources/Water.frag",
              "#version 120\nuniform sampler2D ReflectionTex;\nuniform sampler2D RefractionTex;\n"
              "uniform float u_WaveTime;\nvoid main() {\n"
              "  gl_FragColor = texture2D(ReflectionTex, vec2(0.5)) + texture2D(RefractionTex, vec2(u_WaveTime));\n}\n");
    WriteFile(dir / "Resources/Ball.vert", "#version 120\nvoid main() { gl_Position = ftransform(); }\n");
    WriteFile(dir / "Resources/Ball.frag", "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n");
    for (const char* sprite : {"Rauch", "Sparkle", "Fire"})
        WritePng(dir / "Resources/Particles/" + sprite + ".png", 4, 255, 255, 255);
    for (int face = 0; face < 6; ++face) {
        const Vec3 c = SkyFaceColour(face);
        WritePng(dir / "Resources/Ball/" + skyFaces[face] + ".png", 8, c.x, c.y, c.z);
    }
    cwd = std::make_unique<TestSupport::ScopedCwd>(dir.Path());
}

World::~World()
{
    world.reset(); // entities go while the folder is still current
}

Game& World::game()
{
    if (!world)
        world = std::make_unique<Game>();
    return *world;
}

} // namespace GameplayTest
