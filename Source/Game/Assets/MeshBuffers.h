#pragma once

#include <GL/glew.h>

#include "Assets/MeshArrays.h"

#include <cstddef>
#include <vector>

/// A model's corners in GL buffer objects, each distinct corner (position,
/// normal and texture coordinate alike) stored once, so the renderer shades
/// it once per draw instead of once per triangle that shares it. Triangles
/// keep their order, so the picture is the one the flat arrays give.
/// Needs a current GL context to fill, draw and release; move-only.
class MeshBuffers
{
public:
    enum class Shape
    {
        Exact, // the model as it is
        Box,   // every corner moved to the nearest corner of the model's box, flat triangles left out:
               // a stand-in of a dozen triangles for pictures where the model covers a few pixels
    };

    /// Which triangles of a run to draw, by the plane z = 0 of model coordinates.
    enum class Side
    {
        Whole,
        ReachingAbove, // those with a corner at z >= 0: all that a clip plane keeping z >= 0 lets through
        ReachingBelow, // those with a corner at z <= 0
    };
    static constexpr int sideCount = 3;

    MeshBuffers() = default;
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;
    MeshBuffers(MeshBuffers&& other) noexcept;
    MeshBuffers& operator=(MeshBuffers&& other) noexcept;
    /// Gives the buffers back, as `Release` does.
    ~MeshBuffers();

    /// Replaces the contents with `mesh` in `shape`. Its arrays must hold one
    /// position, normal and texture coordinate per entry of `indices`; its
    /// material runs are clamped to the triangles there are.
    void Fill(const MeshArrays& mesh, Shape shape = Shape::Exact);
    bool Filled() const { return vertexBuffer != 0; }
    /// Deletes the GL buffers, leaving them unfilled; needs the context that
    /// filled them (or one sharing with it) current.
    void Release();

    /// Sets the vertex arrays from the buffers; `DrawRun` between `Begin` and `End`.
    void Begin() const;
    /// Draws `side` of material run `k` (the k-th record of the mesh's list),
    /// its triangles in their order; nothing past the last run.
    void DrawRun(std::size_t k, Side side = Side::Whole) const;
    /// Unbinds the buffers, so later client-side arrays are read from memory again.
    void End() const;

    std::size_t DistinctCorners() const { return cornerCount; }
    std::size_t Triangles() const { return triangleCount; }

private:
    struct Run
    {
        std::size_t firstIndex[sideCount] = {}; // into the index buffer, per Side
        GLsizei indexCount[sideCount] = {};
    };

    GLuint vertexBuffer = 0;  // interleaved position, normal, texture coordinate; 0: not filled
    GLuint indexBuffer = 0;   // three corner numbers per triangle: each side's runs one after another
    std::size_t cornerCount = 0;
    std::size_t triangleCount = 0; // of the whole model
    std::vector<Run> runs;    // one per material run
};
