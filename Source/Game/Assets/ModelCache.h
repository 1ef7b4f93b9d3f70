#pragma once

#include "Assets/MeshArrays.h"

#include <cstddef>
#include <ostream>
#include <string>

/// The binary cache beside a model file: four counted little-endian arrays
/// (positions, normals, texture coordinates, indices), then the submesh
/// records (first triangle, texture path length, texture path bytes).
/// No header; nothing in it is trusted until it has been checked.
class ModelCache
{
public:
    /// Writes `mesh` to a temporary file of this process's own beside `file`
    /// and renames it into place, so an interrupted write, or another game
    /// writing the same cache, never leaves a short one. False when nothing
    /// was written.
    static bool Save(const std::string& file, const MeshArrays& mesh);

    /// Writes the cache bytes of `mesh` to `out`.
    static void Write(std::ostream& out, const MeshArrays& mesh);

    /// Reads `file` into `mesh`. False when the file cannot be read or is damaged
    /// (counts that disagree with each other or with the file size, a short
    /// file, no records, a run outside the triangles, an index past the arrays);
    /// `mesh` is then unspecified. Records get texture paths only, no textures.
    /// Never allocates more than the file's size allows.
    static bool Read(const std::string& file, MeshArrays& mesh);

    /// As Read, from `size` bytes in memory.
    static bool Decode(const char* data, std::size_t size, MeshArrays& mesh);
};
