#include "Assets/ObjMesh.h"

#include <cstddef>

namespace {

// Appends `width` floats of 1-based entry `index` of `list`.
void CopyEntry(const std::vector<float>& list, int index, std::size_t width, float* to)
{
    const float* from = list.data() + (static_cast<std::size_t>(index) - 1) * width;
    for (std::size_t k = 0; k < width; ++k)
        to[k] = from[k];
}

} // namespace

MeshArrays ObjMesh::Flatten() const
{
    const std::size_t cornerCount = corners.size();
    MeshArrays mesh;
    mesh.positions.resize(3 * cornerCount);
    mesh.normals.resize(3 * cornerCount);
    mesh.texCoords.resize(2 * cornerCount);
    mesh.indices.resize(cornerCount);
    for (std::size_t i = 0; i < cornerCount; ++i) {
        const ObjCorner& corner = corners[i];
        CopyEntry(positions, corner.position, 3, &mesh.positions[3 * i]);
        CopyEntry(texCoords, corner.texCoord, 2, &mesh.texCoords[2 * i]);
        CopyEntry(normals, corner.normal, 3, &mesh.normals[3 * i]);
        mesh.indices[i] = static_cast<unsigned>(i);
    }
    mesh.submeshes = submeshes;
    return mesh;
}
