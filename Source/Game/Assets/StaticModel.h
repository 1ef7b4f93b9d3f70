#pragma once

#include <GL/glew.h>

#include "Assets/MeshArrays.h"
#include "Assets/MeshBuffers.h"
#include "Assets/PieceDetail.h"
#include "Gameplay/CollisionModel.h"

#include <string>

/// A static triangle mesh read from an OBJ file (with its MTL library), drawn
/// by material from GL buffers filled at its first draw. After the first parse its arrays are
/// written to path + ".bin", which every later load reads instead.
class StaticModel
{
public:
    StaticModel() = default;

    /// Fills a fresh model from path + ".bin" when that exists and is sound,
    /// otherwise from the OBJ file, then writes the cache. Every error that
    /// leaves it gets `tag_error_model` = path; the model is then partly filled.
    /// Textures need a current GL context.
    void Load(std::string path);

    /// Draws every material run with the current GL transform; nothing before
    /// the first "usemtl", nothing for an unloaded model.
    void Draw();
    /// Draws only the triangles of `side` (of the plane z = 0 in model
    /// coordinates), for passes whose clip plane or view leaves out the rest.
    void Draw(MeshBuffers::Side side);

    /// Draws the whole model as `detail` asks: its box stand-in (see
    /// `MeshBuffers::Shape::Box`) for `PieceDetail::BoxStandIns`, for pictures
    /// where it covers a few pixels; itself otherwise.
    void DrawAs(PieceDetail detail);

    /// Gives its GL buffers back (filled again at the next draw); needs the
    /// context they were drawn in current.
    void ReleaseBuffers();

    /// The box around all triangle corners, in model coordinates; the zero box
    /// when there are none.
    CollisionModel GetCollisionModel() const;

    /// Writes the cache file; a failure to write is not reported.
    void SaveCache(std::string file);

    /// Reads the cache file and loads its textures. False, with the model left
    /// empty, when the file is damaged.
    bool LoadCache(std::string file);

    const std::string& Name() const { return name; }
    int VertexCount() const { return vertexCount; }
    const MeshArrays& Arrays() const { return mesh; }

private:
    void LoadObj(const std::string& path);
    void DrawBuffers(MeshBuffers& drawn, MeshBuffers::Shape shape, MeshBuffers::Side side);

    std::string name;    // the path given to Load
    int vertexCount = 0; // triangle corners after an OBJ load, 1 after a cache load, 0 before; gates Draw
    MeshArrays mesh;
    MeshBuffers buffers; // what is drawn: `mesh` with shared corners stored once; filled at the first draw
    MeshBuffers standIn; // the box drawn instead for stand-ins; filled at its first draw
};
