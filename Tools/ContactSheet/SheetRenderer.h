#pragma once

#include <GL/glew.h>

#include "Support/Vec3.h"

#include <QImage>

#include <string>

class StaticModel;

/// Draws meshes into the tiles of one off-screen picture with the game's lighting.
/// Needs a current GL context for its whole life.
class SheetRenderer
{
public:
    SheetRenderer(int columns, int rows, int tileWidth, int tileHeight);
    ~SheetRenderer();
    SheetRenderer(const SheetRenderer&) = delete;
    SheetRenderer& operator=(const SheetRenderer&) = delete;

    /// Shows `model` in tile `index` (row by row), seen from the front left above,
    /// framed by its collision box. `alphaTested` draws it like the scene's trees.
    void DrawPiece(int index, StaticModel& model, bool alphaTested);

    /// Shows `model` in tile `index` from `eye` towards `centre`, like DrawPiece otherwise.
    void DrawPieceFrom(int index, StaticModel& model, bool alphaTested, Vec3 eye, Vec3 centre);

    /// Shows the sky sphere from its centre, looking along +y.
    void DrawSky(int index, StaticModel& sky);

    /// Sets up tile `index` with a field of view (degrees), far plane (world units) and the
    /// game's light; the caller then applies its own camera and draws.
    void BeginTile(int index, double fieldOfView, double farPlane = 500);

    /// The picture so far, shrunk by `shrink` (so edges come out smooth), with `labels[i]`
    /// written into tile i.
    QImage Picture(const std::string* labels, int count, int shrink) const;

private:
    int columns, rows, tileWidth, tileHeight;
    GLuint framebuffer = 0;
    GLuint colourBuffer = 0;
    GLuint depthBuffer = 0;
};
