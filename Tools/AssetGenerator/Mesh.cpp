#include "Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

float Dot(V3 a, V3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

V3 Cross(V3 a, V3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

V3 Normalized(V3 a)
{
    const float length = std::sqrt(Dot(a, a));
    return length > 0 ? a * (1.0f / length) : a;
}

Vertex UvRect::Apply(Vertex vertex) const
{
    vertex.u = u0 + (u1 - u0) * vertex.u;
    vertex.v = v0 + (v1 - v0) * vertex.v;
    return vertex;
}

namespace {

constexpr float kPi = 3.14159265f;

// Fixed notation, so the files are the same on every run; "-0.0000" becomes "0.0000".
std::string Number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(value));
    return std::string(text) == "-0.0000" ? "0.0000" : text;
}

// Gives each distinct line of one kind its 1-based index, in order of first use.
class Pool
{
public:
    int Index(const std::string& line)
    {
        auto [it, added] = indices.emplace(line, static_cast<int>(lines.size()) + 1);
        if (added)
            lines.push_back(line);
        return it->second;
    }
    std::vector<std::string> lines;

private:
    std::map<std::string, int> indices;
};

std::ofstream OpenForWriting(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return out;
}

} // namespace

void Mesh::Use(const std::string& material)
{
    for (current = 0; current < parts.size(); ++current)
        if (parts[current].material == material)
            return;
    parts.push_back({material, {}});
}

void Mesh::Triangle(Vertex a, Vertex b, Vertex c)
{
    const V3 area = Cross(b.position - a.position, c.position - a.position);
    if (Dot(area, area) < 1e-14f)
        return;
    if (inward) {
        std::swap(b, c);
        for (Vertex* corner : {&a, &b, &c})
            corner->normal = corner->normal * -1.0f;
    }
    if (parts.empty())
        throw std::logic_error("triangle before any material");
    parts[current].corners.insert(parts[current].corners.end(), {a, b, c});
}

void Mesh::Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d)
{
    Triangle(a, b, c);
    Triangle(a, c, d);
}

void Mesh::TwoSidedQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d)
{
    Quad(a, b, c, d);
    Vertex back[4] = {a, d, c, b};
    for (Vertex& corner : back)
        corner.normal = corner.normal * -1.0f;
    Quad(back[0], back[1], back[2], back[3]);
}

std::size_t Mesh::TriangleCount() const
{
    std::size_t count = 0;
    for (const Part& part : parts)
        count += part.corners.size() / 3;
    return count;
}

void Mesh::WriteObj(const std::string& directory, const std::string& name) const
{
    Pool positions, coordinates, normals;
    std::string faces;
    for (const Part& part : parts) {
        faces += "usemtl " + part.material + "\n";
        for (std::size_t i = 0; i < part.corners.size(); ++i) {
            const Vertex& c = part.corners[i];
            const int p = positions.Index("v " + Number(c.position.x) + " " + Number(c.position.y) + " " +
                                          Number(c.position.z));
            const int t = coordinates.Index("vt " + Number(c.u) + " " + Number(c.v));
            const V3 n = Normalized(c.normal);
            const int k = normals.Index("vn " + Number(n.x) + " " + Number(n.y) + " " + Number(n.z));
            faces += (i % 3 == 0 ? "f " : " ") + std::to_string(p) + "/" + std::to_string(t) + "/" +
                     std::to_string(k) + (i % 3 == 2 ? "\n" : "");
        }
    }
    std::ofstream out = OpenForWriting(directory + "/" + name + ".obj");
    out << "# " << name << ", made by the asset generator\n";
    out << "mtllib " << name << ".mtl\n";
    out << "o " << name << "\n";
    for (const Pool* pool : {&positions, &coordinates, &normals})
        for (const std::string& line : pool->lines)
            out << line << "\n";
    out << faces;
}

void WriteMtl(const std::string& path, const std::vector<std::pair<std::string, std::string>>& materials)
{
    std::ofstream out = OpenForWriting(path);
    out << "# made by the asset generator\n";
    for (const auto& [name, texture] : materials)
        out << "newmtl " << name << "\nKd 1.0 1.0 1.0\nmap_Kd " << texture << "\n";
}

namespace {

struct Face
{
    V3 normal, across, up; // across x up = normal, so the grid is counter-clockwise from outside
};

const Face kFaces[6] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},
    {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},
};

float Along(V3 v, V3 axis)
{
    return std::fabs(Dot(v, axis));
}

// Face-grid stops in -1..1: the flat middle and two steps round each edge.
std::vector<float> EdgeStops(float half, float radius)
{
    const float r = radius / half;
    return {-1, -1 + 0.5f * r, -1 + r, 1 - r, 1 - 0.5f * r, 1};
}

Vertex RoundedPoint(V3 centre, V3 half, float radius, const Face& face, float s, float t)
{
    const V3 flat = face.normal * Along(half, face.normal) + face.across * (s * Along(half, face.across)) +
                    face.up * (t * Along(half, face.up));
    const V3 limit = {half.x - radius, half.y - radius, half.z - radius};
    const V3 inner = {std::clamp(flat.x, -limit.x, limit.x), std::clamp(flat.y, -limit.y, limit.y),
                      std::clamp(flat.z, -limit.z, limit.z)};
    const V3 direction = Normalized(flat - inner);
    return {centre + inner + direction * radius, direction, (s + 1) * 0.5f, (t + 1) * 0.5f};
}

} // namespace

void AddRoundedBox(Mesh& mesh, V3 centre, V3 half, float radius, const std::function<UvRect(int face)>& uv)
{
    for (int f = 0; f < 6; ++f) {
        const Face& face = kFaces[f];
        const std::vector<float> ss = EdgeStops(Along(half, face.across), radius);
        const std::vector<float> ts = EdgeStops(Along(half, face.up), radius);
        const UvRect rect = uv(f);
        for (std::size_t i = 0; i + 1 < ss.size(); ++i)
            for (std::size_t j = 0; j + 1 < ts.size(); ++j) {
                auto corner = [&](std::size_t a, std::size_t b) {
                    return rect.Apply(RoundedPoint(centre, half, radius, face, ss[a], ts[b]));
                };
                mesh.Quad(corner(i, j), corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1));
            }
    }
}

namespace {

// Outward normal of the tube wall between two rings, as (radial, axial) weights.
std::pair<float, float> WallNormal(const Ring& a, const Ring& b)
{
    const float axial = Dot(b.centre - a.centre, a.axis), radial = b.radius - a.radius;
    const float length = std::sqrt(axial * axial + radial * radial);
    return length > 0 ? std::make_pair(axial / length, -radial / length) : std::make_pair(1.0f, 0.0f);
}

struct RingNormals
{
    std::pair<float, float> below, above; // normal used by the wall below and above the ring
};

std::vector<RingNormals> SmoothNormals(const std::vector<Ring>& rings)
{
    std::vector<RingNormals> result(rings.size());
    for (std::size_t k = 0; k < rings.size(); ++k) {
        const auto before = k > 0 ? WallNormal(rings[k - 1], rings[k]) : WallNormal(rings[k], rings[k + 1]);
        const auto after = k + 1 < rings.size() ? WallNormal(rings[k], rings[k + 1]) : before;
        if (before.first * after.first + before.second * after.second > 0.7f) {
            const float r = before.first + after.first, a = before.second + after.second;
            const float length = std::sqrt(r * r + a * a);
            result[k].below = result[k].above = {r / length, a / length};
        } else {
            result[k] = {before, after};
        }
    }
    return result;
}

Vertex RingPoint(const Ring& ring, V3 start, float angle, std::pair<float, float> normal, float u)
{
    const V3 side = Normalized(Cross(ring.axis, start));
    const V3 front = Cross(side, ring.axis);
    const V3 radial = front * std::cos(angle) + side * std::sin(angle);
    return {ring.centre + radial * ring.radius, radial * normal.first + ring.axis * normal.second, u, ring.v};
}

} // namespace

void AddTube(Mesh& mesh, const std::vector<Ring>& rings, int segments, V3 start, const UvRect& uv)
{
    const std::vector<RingNormals> normals = SmoothNormals(rings);
    for (std::size_t k = 0; k + 1 < rings.size(); ++k)
        for (int j = 0; j < segments; ++j) {
            const float a0 = 2 * kPi * j / segments, a1 = 2 * kPi * (j + 1) / segments;
            const float u0 = static_cast<float>(j) / segments, u1 = static_cast<float>(j + 1) / segments;
            const Vertex p00 = RingPoint(rings[k], start, a0, normals[k].above, u0);
            const Vertex p01 = RingPoint(rings[k], start, a1, normals[k].above, u1);
            const Vertex p11 = RingPoint(rings[k + 1], start, a1, normals[k + 1].below, u1);
            const Vertex p10 = RingPoint(rings[k + 1], start, a0, normals[k + 1].below, u0);
            mesh.Quad(uv.Apply(p00), uv.Apply(p01), uv.Apply(p11), uv.Apply(p10));
        }
}
