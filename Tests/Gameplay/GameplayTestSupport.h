#pragma once

#include "Core/Game.h"
#include "Gameplay/Entity.h"
#include "Support/TestSupport.h"
#include "Support/Vec3.h"

#include <list>
#include <memory>
#include <ostream>
#include <string>

/// Readable vectors in failure messages.
inline void PrintTo(const Vec3& v, std::ostream* out)
{
    *out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}

namespace GameplayTest {

/// One-triangle OBJ whose vertex box spans min to max.
std::string BoxObj(Vec3 min, Vec3 max);

/// An opaque square PNG of one colour (folders are created).
void WritePng(const std::string& path, int size, unsigned char r, unsigned char g, unsigned char b);

/// The solid colour (0..255 each) of the World's sky image for cube face 0..5 (+X, -X, +Y, -Y, +Z, -Z).
Vec3 SkyFaceColour(int face);

/// A working directory holding "Config.cfg", tiny stand-in meshes of the
/// shapes the field relies on (blocks 1 x 0.5 x 0.5 from their corner, the
/// paddle 3 wide and centred, the extra +-0.1), the ball shaders and the
/// particle sprites, one solid colour per sky cube face, and scenery and water
/// shaders just large enough to build the world; made current together with the GL context.
class World
{
public:
    explicit World(int startLevel = 0);
    ~World();

    /// The game of this folder, built on first use.
    Game& game();

private:
    TestSupport::TempDir dir;
    std::unique_ptr<TestSupport::ScopedCwd> cwd;
    std::unique_ptr<Game> world;
};

/// Counts the entities of the list whose dynamic type is T.
template <typename T>
int Count(const std::list<Entity*>& entities)
{
    int n = 0;
    for (Entity* e : entities)
        n += dynamic_cast<T*>(e) ? 1 : 0;
    return n;
}

} // namespace GameplayTest
