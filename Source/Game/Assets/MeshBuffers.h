#pragma once

#include <GL/glew.h>

#include "Assets/MeshArrays.h"

#include <cstddef>

/// A model's corners in GL buffer objects, each distinct corner (position,
/// normal and texture coordinate alike) stored once, so the renderer shades
/// it once per draw instead of once per triangle that shares it. Triangles
/// keep their order, so the picture is the one the flat arrays give.
/// Needs a current GL context to fill, draw and release; move-only.
class MeshBuffers
{
public:
    MeshBuffers() = default;
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;
    MeshBuffers(MeshBuffers&& other) noexcept;
    MeshBuffers& operator=(MeshBuffers&& other) noexcept;
    ~MeshBuffers();

    /// Replaces the contents with `mesh`, whose arrays must hold one position,
    /// normal and texture coordinate per entry of `indices`.
    void Fill(const MeshArrays& mesh);
    bool Filled() const { return vertexBuffer != 0; }

    /// Sets the vertex arrays from the buffers; `Draw` between `Begin` and `End`.
    void Begin() const;
    /// Draws `count` triangles from triangle `first` on, as the flat arrays number them.
    void Draw(int first, int count) const;
    /// Unbinds the buffers, so later client-side arrays are read from memory again.
    void End() const;

    std::size_t DistinctCorners() const { return cornerCount; }

private:
    void Release();

    GLuint vertexBuffer = 0;  // interleaved position, normal, texture coordinate; 0: not filled
    GLuint indexBuffer = 0;   // three corner numbers per triangle, in the flat arrays' order
    std::size_t cornerCount = 0;
};
