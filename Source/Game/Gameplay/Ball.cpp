#include <GL/glew.h>

#include "Gameplay/Ball.h"

#include "Assets/StaticModel.h"
#include "Gameplay/EntityList.h"
#include "Support/IndexedTriangles.h"
#include "Support/invertMatrix.h"

#include <IL/il.h>

#include <cmath>
#include <fstream>
#include <string>

namespace {

// One image per cube face, in the order of the GL face enums +X, -X, +Y, -Y, +Z, -Z.
const char* const skyFaces[6] = {
    "Resources/Ball/SkyPosX.png", "Resources/Ball/SkyNegX.png", "Resources/Ball/SkyPosY.png",
    "Resources/Ball/SkyNegY.png", "Resources/Ball/SkyPosZ.png", "Resources/Ball/SkyNegZ.png",
};

// Loads one face as RGB with the bottom row first and uploads it as it lies in memory.
bool loadFace(GLenum face, const char* path)
{
    if (!std::ifstream(path))
        return false;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const bool loaded = ilLoadImage(path) && ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    if (loaded) {
        glTexImage2D(face, 0, GL_RGB, ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT), 0,
                     GL_RGB, GL_UNSIGNED_BYTE, ilGetData());
    }
    ilDeleteImages(1, &image);
    return loaded;
}

GLuint buildEnvironmentMap()
{
    // The faces are made for lower-left origin; keep the image library's own setting.
    const ILboolean originWasSet = ilIsEnabled(IL_ORIGIN_SET);
    const ILint originMode = ilGetInteger(IL_ORIGIN_MODE);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    bool complete = true;
    for (int i = 0; i < 6 && complete; ++i)
        complete = loadFace(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, skyFaces[i]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);

    ilOriginFunc(originMode);
    if (!originWasSet)
        ilDisable(IL_ORIGIN_SET);
    if (complete)
        return texture;
    // Without all six faces the default cube map (no images) is bound instead.
    glDeleteTextures(1, &texture);
    return 0;
}

Vec3 spherePoint(float azimuth, float polar, float r)
{
    return Vec3(std::cos(azimuth) * std::sin(polar) * r, std::sin(azimuth) * std::sin(polar) * r,
                std::cos(polar) * r);
}

} // namespace

Ball::Ball(Vec3 velocity)
    : cubeMapTarget(512, 512)
{
    this->velocity = velocity;
    radius = everyRadius;
    shader.Load("Resources/Ball.vert", "Resources/Ball.frag");
    collisionModel = CollisionModel(Vec3(-radius, -radius, -radius), Vec3(radius, radius, radius));
    EnvironmentMap();
}

Ball::~Ball() = default;

void Ball::update(float dt)
{
    entityList->moveWithCollision(this, dt);
}

std::vector<Vec3> Ball::SphereTriangles(float r, int rings)
{
    const float pi = 3.1415927f, step = pi / static_cast<float>(rings);
    std::vector<Vec3> points;
    float theta = 0.0f, offset = 0.0f;
    // Every ring is turned half a step against the one before. Counted, not
    // compared with pi: the summed steps may fall short of it by a rounding.
    for (int ring = 0; ring < rings; ++ring, theta += step, offset += step / 2.0f) {
        float phi = 0.0f;
        for (int cell = 0; cell < 2 * rings; ++cell, phi += step) {
            const Vec3 p = spherePoint(phi + offset, theta, r);
            const Vec3 q = spherePoint(phi + step + offset, theta, r);
            const Vec3 u = spherePoint(phi + step / 2.0f + offset, theta + step, r);
            const Vec3 l = spherePoint(phi + step / 2.0f + offset, theta - step, r);
            points.insert(points.end(), {p, u, q, p, q, l});
        }
    }
    return points;
}

GLuint Ball::EnvironmentMap()
{
    // Built once; a failed attempt (images missing) is tried again by the next ball.
    static GLuint texture = 0;
    if (!texture)
        texture = buildEnvironmentMap();
    return texture;
}

void Ball::loadReflectionMatrix()
{
    // Reflection vectors come out in eye space; turn them back to world orientation.
    float modelView[16], inverse[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    modelView[3] = modelView[7] = modelView[11] = 0.0f;
    modelView[12] = modelView[13] = modelView[14] = 0.0f;
    modelView[15] = 1.0f;
    if (invertMatrix(modelView, inverse))
        glLoadMatrixf(inverse);
}

void Ball::drawAs(PieceDetail detail)
{
    DrawAt(position, radius, detail);
}

void Ball::DrawAt(Vec3 position, float radius, PieceDetail detail)
{
    // Every ball has the same radius, so one tessellation serves them all.
    static const IndexedTriangles sphere = IndexedTriangles::From(SphereTriangles(radius));
    // Where a ball covers a few pixels a coarse one gives the same picture.
    static const IndexedTriangles standIn = IndexedTriangles::From(SphereTriangles(radius, standInRings));
    static const IndexedTriangles fewer = IndexedTriangles::From(SphereTriangles(radius, fewerRings));
    const IndexedTriangles& drawn = detail == PieceDetail::BoxStandIns      ? standIn
                                    : detail == PieceDetail::FewerBallRings ? fewer
                                                                            : sphere;
    glPushMatrix();
    glTranslatef(position.x, position.y, radius * 0.5f);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, EnvironmentMap());
    for (GLenum coord : {GL_S, GL_T, GL_R})
        glTexGeni(coord, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    loadReflectionMatrix();
    glEnable(GL_NORMALIZE);
    // On a sphere round the origin each corner is its own normal: one array serves both.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3), &drawn.corners[0].x);
    glNormalPointer(GL_FLOAT, sizeof(Vec3), &drawn.corners[0].x);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(drawn.indices.size()), GL_UNSIGNED_INT, drawn.indices.data());
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_CUBE_MAP);
}
