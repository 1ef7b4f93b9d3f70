#include "Assets/StaticModel.h"

#include "Assets/MaterialLib.h"
#include "Assets/ModelCache.h"
#include "Assets/ObjParser.h"
#include "Support/Exception.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <utility>

namespace {

// "mtllib" files are found beside the model.
class LibraryMaterials : public ObjParser::MaterialSource
{
public:
    explicit LibraryMaterials(std::string directory) : directory(std::move(directory)) {}

    void LoadLibrary(const std::string& file) override { library.Load(file, directory); }
    Material GetMaterial(const std::string& name) override { return library.GetMaterial(name); }

private:
    std::string directory;
    MaterialLib library; // private to one load
};

// Up to and including the last "/", else the last "\", else empty.
std::string ModelDirectory(const std::string& path)
{
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

void PrintCounts(const ObjMesh& obj)
{
    std::cout << "Datei gelesen" << std::endl;
    std::cout << obj.positions.size() / 3 << " Vertexpositionen geladen!" << std::endl;
    std::cout << obj.normals.size() / 3 << " Vertexnormalen geladen!" << std::endl;
    std::cout << obj.texCoords.size() / 2 << " Texturkoordinaten geladen!" << std::endl;
    std::cout << obj.TriangleCount() << " Faces geladen! " << std::endl;
}

} // namespace

void StaticModel::Load(std::string path)
{
    try {
        name = path;
        const std::string cacheFile = path + ".bin";
        if (std::ifstream(cacheFile.c_str(), std::ios::binary).is_open()) {
            if (LoadCache(cacheFile))
                return;
            std::cout << "Damaged model cache " << cacheFile << " ignored, reading the model file again" << std::endl;
        }
        LoadObj(path);
        SaveCache(cacheFile);
    } catch (boost::exception& e) {
        e << tag_error_model(path);
        throw;
    }
}

void StaticModel::LoadObj(const std::string& path)
{
    LibraryMaterials materials(ModelDirectory(path));
    std::cout << "Loading StaticModel " << path << std::endl;
    std::string text;
    if (!ReadText(path, text)) {
        Exception e;
        e << tag_error_message("Model could not be loaded") << tag_error_file(ex_file_class(path));
        MIRAGE_THROW(e, "StaticModel.cpp", 94);
    }
    std::cout << "Lese Datei ein..." << std::endl;
    ObjParser parser(materials, std::cout, std::cerr);
    const ObjMesh obj = parser.Parse(text);
    PrintCounts(obj);

    vertexCount = 3 * obj.TriangleCount();
    std::cout << "Verarbeite Daten..." << std::endl;
    mesh = obj.Flatten();
    buffers = MeshBuffers();
    standIn = MeshBuffers();

    std::cout << "Submeshs:" << std::endl;
    for (const Submesh& record : mesh.submeshes)
        std::cout << "Index: " << record.firstTriangle << std::endl;
    std::cout << "Model " << path << " successfully loaded!" << std::endl;
}

void StaticModel::SaveCache(std::string file)
{
    std::cout << "Saving " << file << std::endl;
    ModelCache::Save(file, mesh);
}

bool StaticModel::LoadCache(std::string file)
{
    std::cout << "Loading " << file << std::endl;
    MeshArrays read;
    if (!ModelCache::Read(file, read))
        return false;
    mesh = std::move(read);
    buffers = MeshBuffers();
    standIn = MeshBuffers();
    for (Submesh& record : mesh.submeshes) {
        if (!record.material.textureName.empty())
            record.material.SetTexture(record.material.textureName);
    }
    vertexCount = 1;
    return true;
}

void StaticModel::Draw()
{
    Draw(MeshBuffers::Side::Whole);
}

void StaticModel::Draw(MeshBuffers::Side side)
{
    DrawBuffers(buffers, MeshBuffers::Shape::Exact, side);
}

void StaticModel::DrawAs(PieceDetail detail)
{
    if (detail == PieceDetail::BoxStandIns)
        DrawBuffers(standIn, MeshBuffers::Shape::Box, MeshBuffers::Side::Whole);
    else
        Draw();
}

void StaticModel::ReleaseBuffers()
{
    buffers.Release();
    standIn.Release();
}

void StaticModel::DrawBuffers(MeshBuffers& drawn, MeshBuffers::Shape shape, MeshBuffers::Side side)
{
    if (vertexCount == 0 || mesh.indices.empty())
        return;
    if (!drawn.Filled())
        drawn.Fill(mesh, shape);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    drawn.Begin();
    // The last record only closes the run before it.
    for (std::size_t k = 0; k + 1 < mesh.submeshes.size(); ++k) {
        Material& material = mesh.submeshes[k].material;
        material.Bind();
        drawn.DrawRun(k, side);
        material.Unbind();
    }
    drawn.End();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}

CollisionModel StaticModel::GetCollisionModel() const
{
    const MeshArray<float>& p = mesh.positions;
    if (p.size() < 3)
        return CollisionModel(Vec3(), Vec3());
    Vec3 min(p[0], p[1], p[2]);
    Vec3 max = min;
    for (std::size_t i = 0; i + 2 < p.size(); i += 3) {
        min.x = std::min(min.x, p[i]);
        min.y = std::min(min.y, p[i + 1]);
        min.z = std::min(min.z, p[i + 2]);
        max.x = std::max(max.x, p[i]);
        max.y = std::max(max.y, p[i + 1]);
        max.z = std::max(max.z, p[i + 2]);
    }
    return CollisionModel(min, max);
}
