#include "Assets/MeshBuffers.h"


#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace {

const int floatsPerCorner = 8; // position 3, normal 3, texture coordinate 2
using Corner = std::array<float, floatsPerCorner>;

// Equal bits, equal corner: two corners that differ only in the sign of a zero stay apart.
struct SameBits
{
    bool operator()(const Corner& a, const Corner& b) const { return std::memcmp(&a, &b, sizeof a) == 0; }
};

struct CornerHash
{
    std::size_t operator()(const Corner& corner) const
    {
        std::uint32_t words[floatsPerCorner];
        std::memcpy(words, corner.data(), sizeof words);
        std::size_t hash = 0;
        for (std::uint32_t word : words)
            hash = hash * 1000003u ^ word;
        return hash;
    }
};

Corner CornerAt(const MeshArrays& mesh, std::size_t k)
{
    Corner corner;
    std::copy_n(&mesh.positions[3 * k], 3, corner.begin());
    std::copy_n(&mesh.normals[3 * k], 3, corner.begin() + 3);
    std::copy_n(&mesh.texCoords[2 * k], 2, corner.begin() + 6);
    return corner;
}

// The mesh's corners moved to the nearest corner of its box.
class BoxSnap
{
public:
    explicit BoxSnap(const MeshArrays& mesh)
    {
        const MeshArray<float>& p = mesh.positions;
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = high[axis] = p.empty() ? 0.0f : p[axis];
            for (std::size_t i = axis; i < p.size(); i += 3) {
                low[axis] = std::min(low[axis], p[i]);
                high[axis] = std::max(high[axis], p[i]);
            }
        }
    }

    void operator()(Corner& corner) const
    {
        for (int axis = 0; axis < 3; ++axis)
            corner[axis] = corner[axis] - low[axis] <= high[axis] - corner[axis] ? low[axis] : high[axis];
    }

private:
    float low[3], high[3];
};

bool Flat(const Corner& a, const Corner& b, const Corner& c)
{
    const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    return u[1] * v[2] == u[2] * v[1] && u[2] * v[0] == u[0] * v[2] && u[0] * v[1] == u[1] * v[0];
}

/// A buffer object holding `bytes` bytes from `data`, left unbound.
GLuint NewBuffer(GLenum target, const void* data, std::size_t bytes)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    glBindBuffer(target, 0);
    return buffer;
}

} // namespace

MeshBuffers::MeshBuffers(MeshBuffers&& other) noexcept
{
    *this = std::move(other);
}

MeshBuffers& MeshBuffers::operator=(MeshBuffers&& other) noexcept
{
    if (this != &other) {
        Release();
        vertexBuffer = std::exchange(other.vertexBuffer, 0);
        indexBuffer = std::exchange(other.indexBuffer, 0);
        cornerCount = std::exchange(other.cornerCount, 0);
        triangleCount = std::exchange(other.triangleCount, 0);
        runs = std::exchange(other.runs, {});
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
    cornerCount = triangleCount = 0;
    runs.clear();
}

void MeshBuffers::Fill(const MeshArrays& mesh, Shape shape)
{
    const BoxSnap snap(mesh);
    std::unordered_map<Corner, GLuint, CornerHash, SameBits> numbers;
    std::vector<Corner> corners;
    std::vector<GLuint> sides[sideCount]; // corner numbers, per Side
    std::vector<Run> filled;
    const std::size_t total = mesh.indices.size() / 3;
    for (std::size_t k = 0; k + 1 < mesh.submeshes.size(); ++k) {
        const std::size_t first = std::min<std::size_t>(std::max(mesh.submeshes[k].firstTriangle, 0), total);
        const std::size_t end = std::clamp<std::size_t>(std::max(mesh.submeshes[k + 1].firstTriangle, 0), first, total);
        Run run;
        for (int side = 0; side < sideCount; ++side)
            run.firstIndex[side] = sides[side].size();
        for (std::size_t t = first; t < end; ++t) {
            Corner three[3];
            for (int c = 0; c < 3; ++c) {
                three[c] = CornerAt(mesh, mesh.indices[3 * t + c]);
                if (shape == Shape::Box)
                    snap(three[c]);
            }
            if (shape == Shape::Box && Flat(three[0], three[1], three[2]))
                continue;
            const float low = std::min({three[0][2], three[1][2], three[2][2]});
            const float high = std::max({three[0][2], three[1][2], three[2][2]});
            const bool onSide[sideCount] = {true, high >= 0.0f, low <= 0.0f};
            for (const Corner& corner : three) {
                const auto [at, added] = numbers.try_emplace(corner, static_cast<GLuint>(corners.size()));
                if (added)
                    corners.push_back(corner);
                for (int side = 0; side < sideCount; ++side) {
                    if (onSide[side])
                        sides[side].push_back(at->second);
                }
            }
        }
        for (int side = 0; side < sideCount; ++side)
            run.indexCount[side] = static_cast<GLsizei>(sides[side].size() - run.firstIndex[side]);
        filled.push_back(run);
    }
    // One index buffer: the sides one after another.
    std::vector<GLuint> indices;
    for (int side = 0; side < sideCount; ++side) {
        for (Run& run : filled)
            run.firstIndex[side] += indices.size();
        indices.insert(indices.end(), sides[side].begin(), sides[side].end());
    }
    Release();
    vertexBuffer = NewBuffer(GL_ARRAY_BUFFER, corners.data(), corners.size() * sizeof(Corner));
    indexBuffer = NewBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.data(), indices.size() * sizeof(GLuint));
    cornerCount = corners.size();
    triangleCount = sides[0].size() / 3;
    runs = std::move(filled);
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

void MeshBuffers::DrawRun(std::size_t k, Side side) const
{
    const int s = static_cast<int>(side);
    if (k >= runs.size() || runs[k].indexCount[s] == 0)
        return;
    glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(cornerCount - 1), runs[k].indexCount[s], GL_UNSIGNED_INT,
                        reinterpret_cast<const void*>(runs[k].firstIndex[s] * sizeof(GLuint)));
}

void MeshBuffers::End() const
{
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
