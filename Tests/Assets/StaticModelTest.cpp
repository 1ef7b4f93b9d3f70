#include "Assets/AssetTestSupport.h"

#include "Assets/StaticModel.h"
#include "Support/TestSupport.h"

#include <boost/lexical_cast.hpp>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace AssetTestSupport;
using TestSupport::TempDir;
using TestSupport::WriteFile;

namespace {

const char* const plainMaterials = "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n";

class StaticModelTest : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::EnsureGLContext(); }

    // Writes m.obj (and m.mtl with two untextured materials) and returns the OBJ path.
    std::string Write(const std::string& obj)
    {
        WriteFile(dir / "m.mtl", plainMaterials);
        WriteFile(dir / "m.obj", obj);
        return dir / "m.obj";
    }

    TempDir dir;
};

MeshArray<float> Floats(std::initializer_list<float> values)
{
    return MeshArray<float>(values);
}

} // namespace

TEST_F(StaticModelTest, QuadBecomesTwoTrianglesAndTheWholeLoadIsReported)
{
    const std::string path = Write("mtllib m.mtl\n"
                                   "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                   "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                                   "vn 0 0 1\nvn 0 0 -1\n"
                                   "usemtl red\n"
                                   "f 1/1/1 2/2/2 3/3/1 4/4/2\n");
    StaticModel model;
    testing::internal::CaptureStdout();
    model.Load(path);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ("Loading StaticModel " + path + "\nLese Datei ein...\nDatei gelesen\n4 Vertexpositionen geladen!\n"
              "2 Vertexnormalen geladen!\n4 Texturkoordinaten geladen!\n2 Faces geladen! \nVerarbeite Daten...\n"
              "Submeshs:\nIndex: 0\nIndex: 2\nModel " + path + " successfully loaded!\nSaving " + path + ".bin\n",
              out);
    // Corners (1, 2, 3) then (3, 4, 1).
    const MeshArrays& mesh = model.Arrays();
    EXPECT_EQ(Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0}), mesh.positions);
    EXPECT_EQ(Floats({0, 0, 1, 0, 1, 1, 1, 1, 0, 1, 0, 0}), mesh.texCoords);
    EXPECT_EQ(Floats({0, 0, 1, 0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 1}), mesh.normals);
    EXPECT_EQ((MeshArray<unsigned>{0, 1, 2, 3, 4, 5}), mesh.indices);
    EXPECT_EQ(6, model.VertexCount());
    EXPECT_EQ(2, CountDrawnTriangles(model));
}

TEST_F(StaticModelTest, FaceShapesOrderAndLineEnds)
{
    // Six corners give one triangle; a face may name vertices written after it;
    // CR LF, blank lines and a last line without a line end all read.
    const std::string path = Write("mtllib m.mtl\r\nusemtl blue\r\n"
                                   "f 1/1/1 2/1/1 3/1/1 4/1/1 5/1/1 6/1/1\r\n"
                                   "\r\n   \r\n# comment\r\ns off\r\n"
                                   "v 0 0 0\r\nv 2 0 0\r\nv 0 3 0\r\nv 9 9 9\r\nv 9 9 9\r\nv -9 -9 -9\r\n"
                                   "vt 0.5 0.5\r\nvn 0 0 1\r\n"
                                   "f 3/1/1 2/1/1 1/1/1");
    StaticModel model;
    testing::internal::CaptureStdout();
    model.Load(path);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("\n6 Vertexpositionen geladen!\n")) << out;
    EXPECT_NE(std::string::npos, out.find("\n2 Faces geladen! \n")) << out;
    EXPECT_EQ(Floats({0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 3, 0, 2, 0, 0, 0, 0, 0}), model.Arrays().positions);
    EXPECT_EQ(2, CountDrawnTriangles(model));
}

TEST_F(StaticModelTest, CommentNeedsABlankAndAnEmptyNumberFailsConversion)
{
    const std::string comment = Write("#comment\n");
    const Exception e = LoadFailure(comment);
    EXPECT_EQ("line could not be parsed", Info<tag_error_message>(e));
    EXPECT_EQ("#comment", Info<tag_error_detail>(e));
    EXPECT_EQ(comment, Info<tag_error_model>(e));
    EXPECT_EQ("StaticModel.cpp", ThrowFile(e));
    EXPECT_EQ(237, ThrowLine(e));

    const std::string blanks = Write("# comment\nv  1 2 3\n");
    StaticModel model;
    try {
        model.Load(blanks);
        ADD_FAILURE() << "an empty number token loaded";
    } catch (const boost::bad_lexical_cast& e) {
        const auto* tagged = dynamic_cast<const boost::exception*>(&e);
        ASSERT_NE(nullptr, tagged);
        EXPECT_EQ(blanks, Info<tag_error_model>(*tagged));
    }
}

TEST_F(StaticModelTest, FurtherObjectsWarnOnStandardErrorAndStillLoad)
{
    const std::string path = Write("mtllib m.mtl\nusemtl red\no  First one\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                   "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\no Second\nf 3/1/1 2/1/1 1/1/1\no\n");
    StaticModel model;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    model.Load(path);
    const std::string err = testing::internal::GetCapturedStderr();
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string warning = "WARNUNG: Datei enth\xE4lt mehr als ein Objekt. Dies wird NICHT unterst\xFCtzt!!\n";
    EXPECT_EQ(warning + warning, err);
    EXPECT_NE(std::string::npos, out.find("Lese Datei ein...\nLade Objekt  First one\nDatei gelesen\n")) << out;
    EXPECT_EQ(2, CountDrawnTriangles(model));
}

TEST_F(StaticModelTest, OnlyMaterialRunsAreDrawn)
{
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n";
    StaticModel none;
    testing::internal::CaptureStdout();
    none.Load(Write(triangle + "f 1/1/1 2/1/1 3/1/1\nf 1/1/1 2/1/1 3/1/1\n"));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("\nSubmeshs:\nIndex: 2\nModel ")) << out;
    EXPECT_EQ(0, CountDrawnTriangles(none));

    // One triangle before the first run, an empty run, then a run of two.
    TempDir other;
    WriteFile(other / "m.mtl", plainMaterials);
    WriteFile(other / "m.obj", "mtllib m.mtl\n" + triangle
                                   + "f 1/1/1 2/1/1 3/1/1\nusemtl red\nusemtl blue\nf 1/1/1 2/1/1 3/1/1\n"
                                     "f 1/1/1 2/1/1 3/1/1\n");
    StaticModel runs;
    testing::internal::CaptureStdout();
    runs.Load(other / "m.obj");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(2, CountDrawnTriangles(runs));
    StaticModel unloaded;
    EXPECT_EQ(0, CountDrawnTriangles(unloaded));
}

TEST_F(StaticModelTest, MaterialAndFileFailuresCarryTheModelPath)
{
    const std::string unknown = Write("mtllib m.mtl\nusemtl Red\n");
    Exception e = LoadFailure(unknown);
    EXPECT_EQ("Material not found", Info<tag_error_message>(e));
    EXPECT_EQ("Red", Info<tag_error_detail>(e));
    EXPECT_EQ(unknown, Info<tag_error_model>(e));

    e = LoadFailure(dir / "missing.obj");
    EXPECT_EQ("Model could not be loaded", Info<tag_error_message>(e));
    ASSERT_NE(nullptr, boost::get_error_info<tag_error_file>(e));
    EXPECT_EQ(dir / "missing.obj", boost::get_error_info<tag_error_file>(e)->Name());
    EXPECT_EQ(dir / "missing.obj", Info<tag_error_model>(e));
    EXPECT_EQ(94, ThrowLine(e));

    e = LoadFailure(Write("mtllib nothere.mtl\n"));
    EXPECT_EQ("MaterialLib not found", Info<tag_error_message>(e));
    EXPECT_EQ(dir / "nothere.mtl", boost::get_error_info<tag_error_file>(e)->Name());
    EXPECT_EQ(dir / "m.obj", Info<tag_error_model>(e));
}

TEST_F(StaticModelTest, MalformedFacesAndShortLinesAreRejectedWithTheLine)
{
    struct Case
    {
        const char* line;
        const char* message;
        int site;
    };
    const Case cases[] = {
        {"f 1/1/1 1/2 1/1/1", "face values are not corrects!", 175},
        {"f 1/1/1 1/1/1/1 1/1/1", "face values are not corrects!", 175},
        {"f 1/1/1 1/1/1 1/1/1 2/2", "face values are not corrects!", 175},
        {"f 0/1/1 1/2 1/1/1", "face values are not corrects!", 175}, // signs after the split
        {"f 1//1 1/1/1 1/1/1", "line could not be parsed", 186},
        {"f 1/1/1 1/x/1 1/1/1", "line could not be parsed", 186},
        {"f 0/1/1 1/1/1 1/1/1", "line could not be parsed", 186},
        {"f 1/1/1 1/-1/1 1/1/1", "line could not be parsed", 186},
        {"f 1/1/1 1/1/1 4/1/1", "line could not be parsed", 186},
        {"f 1/1/1 1/1/1 1/1/2", "line could not be parsed", 186},
        {"f 1/1/1 1/1/1 1/2/1", "line could not be parsed", 186},
        {"f 1/1/1 1/1/1 1/1/1 1/1/0", "line could not be parsed", 186},
        {"f 1/1/1 1/1/1 1/1/1 9/1/1", "line could not be parsed", 186},
        {"f 1/1/1 1/1/1", "line could not be parsed", 237},
        {"v 1 2", "line could not be parsed", 237},
        {"vt 1", "line could not be parsed", 237},
        {"vn 1 2", "line could not be parsed", 237},
        {"mtllib", "line could not be parsed", 237},
        {"usemtl", "line could not be parsed", 237},
        {"g group", "line could not be parsed", 237},
        {"V 1 2 3", "line could not be parsed", 237},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir own;
        WriteFile(own / "m.obj", std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n  ") + c.line + " \r\n");
        testing::internal::CaptureStdout();
        const Exception e = LoadFailure(own / "m.obj");
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(c.message, Info<tag_error_message>(e));
        EXPECT_EQ(c.line, Info<tag_error_detail>(e));
        EXPECT_EQ(c.site, ThrowLine(e));
        EXPECT_FALSE(TestSupport::FileExists(own / "m.obj.bin"));
    }

    // The quad's second triangle fails with the conversion's own error.
    WriteFile(dir / "q.obj", "v 0 0 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 1/1/1 1/1/1 1/+/1\n");
    StaticModel quad;
    testing::internal::CaptureStdout();
    EXPECT_THROW(quad.Load(dir / "q.obj"), boost::bad_lexical_cast);
    testing::internal::GetCapturedStdout();
}

TEST_F(StaticModelTest, CollisionBoxSpansTheTriangleCornersOnly)
{
    const std::string path = Write("v -1 2 0.5\nv 3 -4 0\nv 0 0 -2\nv 100 100 100\nvt 0 0\nvn 0 0 1\n"
                                   "f 1/1/1 2/1/1 3/1/1\n");
    StaticModel model;
    testing::internal::CaptureStdout();
    model.Load(path);
    testing::internal::GetCapturedStdout();
    const CollisionModel box = model.GetCollisionModel();
    EXPECT_EQ(Vec3(-1, -4, -2), box.min);
    EXPECT_EQ(Vec3(3, 2, 0.5f), box.max);

    const CollisionModel empty = StaticModel().GetCollisionModel();
    EXPECT_EQ(Vec3(), empty.min);
    EXPECT_EQ(Vec3(), empty.max);
}
