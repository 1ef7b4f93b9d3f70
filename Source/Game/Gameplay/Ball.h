#pragma once

#include <GL/glew.h>

#include "Effects/CubeMapTarget.h"
#include "Effects/Shader.h"
#include "Gameplay/Entity.h"

#include <vector>

/// A cube-shaped box of half size `radius` drawn as a reflection-mapped
/// sphere; flies straight and bounces by the entity list's rule.
/// Construction needs a current GL context.
class Ball : public MoveableEntity
{
public:
    /// Position stays at the origin for the creator to set. Throws when the
    /// ball shader cannot be loaded.
    explicit Ball(Vec3 velocity);
    ~Ball() override;

    void drawAs(PieceDetail detail) override;
    void update(float dt) override;
    /// Draws a ball's mirror sphere at `position` without a ball (whose
    /// construction builds a render target), as finely as `detail` asks. The
    /// tessellation is made for the first radius drawn.
    static void DrawAt(Vec3 position, float radius, PieceDetail detail = PieceDetail::Exact);

    /// The sphere of radius r as independent triangles (three points each) in
    /// `rings` rings of twice as many cells, the pole axis along z; each point
    /// doubles as its normal.
    static std::vector<Vec3> SphereTriangles(float r, int rings = 20);
    static constexpr int standInRings = 6; // as a stand-in, where a ball covers a few pixels
    /// With fewer rings: at a few dozen pixels across a ball looks the same,
    /// and the renderer transforms and sets up each of the 1,600 triangles of 20.
    static constexpr int fewerRings = 10;

    /// The environment cube map all balls mirror, built once per process from
    /// the sky images under "Resources/Ball/"; 0 while they cannot be read.
    static GLuint EnvironmentMap();

    static constexpr float everyRadius = 0.2f; // every ball's, world units
    float radius = everyRadius; // half the box size, world units
    Shader shader;              // built and destroyed with every ball; not used when drawing
    CubeMapTarget cubeMapTarget; // 512 x 512; not rendered into

private:
    static void loadReflectionMatrix();
};
