#include "Assets/MeshBuffers.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

const int floatsPerCorner = 8; // position 3, normal 3, texture coordinate 2
using Corner = std::array<std::uint32_t, floatsPerCorner>; // the floats' bits: equal means the same corner

struct CornerHash
{
    std::size_t operator()(const Corner& corner) const
    {
        std::size_t hash = 0;
        for (std::uint32_t word : corner)
            hash = hash * 1000003u ^ word;
        return hash;
    }
};

Corner CornerAt(const MeshArrays& mesh, std::size_t k)
{
    float values[floatsPerCorner];
    std::memcpy(values, &mesh.positions[3 * k], 3 * sizeof(float));
    std::memcpy(values + 3, &mesh.normals[3 * k], 3 * sizeof(float));
    std::memcpy(values + 6, &mesh.texCoords[2 * k], 2 * sizeof(float));
    Corner corner;
    std::memcpy(corner.data(), values, sizeof values);
    return corner;
}

} // namespace

MeshBuffers::MeshBuffers(MeshBuffers&& other) noexcept
    : vertexBuffer(std::exchange(other.vertexBuffer, 0))
    , indexBuffer(std::exchange(other.indexBuffer, 0))
    , cornerCount(std::exchange(other.cornerCount, 0))
{
}

MeshBuffers& MeshBuffers::operator=(MeshBuffers&& other) noexcept
{
    if (this != &other) {
        Release();
        vertexBuffer = std::exchange(other.vertexBuffer, 0);
        indexBuffer = std::exchange(other.indexBuffer, 0);
        cornerCount = std::exchange(other.cornerCount, 0);
    }
    return *this;
}

MeshBuffers::~MeshBuffers()
{
    Release();
}

void MeshBuffers::Release()
{
    if (vertexBuffer == 0)
        return;
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
    vertexBuffer = indexBuffer = 0;
    cornerCount = 0;
}

void MeshBuffers::Fill(const MeshArrays& mesh)
{
    std::unordered_map<Corner, GLuint, CornerHash> numbers;
    std::vector<Corner> corners;
    std::vector<GLuint> triangles;
    triangles.reserve(mesh.indices.size());
    for (unsigned flat : mesh.indices) {
        const auto [at, added] = numbers.try_emplace(CornerAt(mesh, flat), static_cast<GLuint>(corners.size()));
        if (added)
            corners.push_back(at->first);
        triangles.push_back(at->second);
    }
    Release();
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, corners.size() * sizeof(Corner), corners.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, triangles.size() * sizeof(GLuint), triangles.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    cornerCount = corners.size();
}

void MeshBuffers::Begin() const
{
    const GLsizei stride = sizeof(Corner);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glVertexPointer(3, GL_FLOAT, stride, nullptr);
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(6 * sizeof(float)));
}

void MeshBuffers::Draw(int first, int count) const
{
    const std::size_t offset = 3 * static_cast<std::size_t>(first) * sizeof(GLuint);
    glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(cornerCount - 1), 3 * count, GL_UNSIGNED_INT,
                        reinterpret_cast<const void*>(offset));
}

void MeshBuffers::End() const
{
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
