#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct V3
{
    float x = 0, y = 0, z = 0;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(V3 a, V3 b);
V3 Cross(V3 a, V3 b);
/// Unit vector along `a`; `a` itself when it has no length.
V3 Normalized(V3 a);

struct Vertex
{
    V3 position;
    V3 normal;
    float u = 0, v = 0;
};

/// A rectangle of a texture atlas that a part's 0..1 texture coordinates are squeezed into.
struct UvRect
{
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    Vertex Apply(Vertex vertex) const;
};

/// Triangles grouped by material, written as the game's OBJ subset (every corner v/vt/vn).
class Mesh
{
public:
    /// Following triangles use `material` (a name of the MTL file); each material is written
    /// once, as one run of faces, in order of first use.
    void Use(const std::string& material);
    /// Adds a counter-clockwise (front-facing) triangle; degenerate ones are dropped.
    /// With `inward` set, winding and normals are turned round (meshes seen from inside).
    void Triangle(Vertex a, Vertex b, Vertex c);
    /// Two triangles (a, b, c) and (a, c, d).
    void Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
    /// Both faces of a thin sheet: the given winding and its reverse with opposite normals.
    void TwoSidedQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);

    /// Writes `directory`/`name`.obj referring to `name`.mtl.
    void WriteObj(const std::string& directory, const std::string& name) const;

    std::size_t TriangleCount() const;

    bool inward = false;

private:
    struct Part
    {
        std::string material;
        std::vector<Vertex> corners; // three per triangle
    };
    std::vector<Part> parts;
    std::size_t current = 0; // index of the part triangles go to
};

/// Writes `path` with one material per (name, texture file) pair; the texture file is
/// relative to the mesh folder.
void WriteMtl(const std::string& path, const std::vector<std::pair<std::string, std::string>>& materials);

/// A box with rounded edges: centre, half extents and edge radius (below every half extent).
/// Each face maps the full 0..1 square of `uv(face)`; faces are +x, -x, +y, -y, +z, -z.
void AddRoundedBox(Mesh& mesh, V3 centre, V3 half, float radius, const std::function<UvRect(int face)>& uv);

/// One cross-section of a tube: a circle of `radius` around `centre` in the plane normal to `axis`.
struct Ring
{
    V3 centre;
    V3 axis;
    float radius = 0;
    float v = 0; // texture v of this ring
};

/// A surface of revolution through the rings (radius 0 closes an end). Normals are smooth
/// around the tube and along it, except at creases sharper than about 45 degrees.
/// u runs once round the tube, starting along `start` (projected onto each ring's plane).
void AddTube(Mesh& mesh, const std::vector<Ring>& rings, int segments, V3 start, const UvRect& uv);
