#include "Assets/AssetTestSupport.h"

#include "Assets/MaterialLib.h"
#include "Assets/ResourcesManager.h"
#include "Assets/StaticModel.h"
#include "Support/TestSupport.h"

#include <IL/il.h>
#include <IL/ilu.h>
#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

using namespace AssetTestSupport;
using TestSupport::TempDir;
using TestSupport::WriteFile;

namespace {

class ResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::EnsureGLContext(); }

    TempDir dir;
};

} // namespace

TEST_F(ResourcesTest, TextureIsLoadedOnceWithItsMipmaps)
{
    const std::string path = dir / "once.png";
    WritePng(path, 512, 256);
    const GLuint texture = resourcesManager.GetTexture(path);
    ASSERT_NE(0u, texture);
    boost::filesystem::remove(path);
    EXPECT_EQ(texture, resourcesManager.GetTexture(path)) << "the file was read again";

    // Full size (not cut down to a guessed limit) and the whole chain down to 1 x 1.
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0, lastWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 9, GL_TEXTURE_WIDTH, &lastWidth);
    EXPECT_EQ(512, width);
    EXPECT_EQ(256, height);
    EXPECT_EQ(1, lastWidth);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(ResourcesTest, MissingImageFailsWithTheLibraryMessageAndIsRetried)
{
    const std::string path = dir / "later.png";
    try {
        resourcesManager.GetTexture(path);
        ADD_FAILURE() << "a missing image loaded";
    } catch (const Exception& e) {
        EXPECT_EQ("Texture couldn't be loaded", Info<tag_error_message>(e));
        EXPECT_EQ(iluErrorString(IL_COULD_NOT_OPEN_FILE), Info<tag_error_detail>(e));
        ASSERT_NE(nullptr, boost::get_error_info<tag_error_file>(e));
        EXPECT_EQ(path, boost::get_error_info<tag_error_file>(e)->Name());
        EXPECT_EQ("ResourcesManager.cpp", ThrowFile(e));
        EXPECT_EQ(52, ThrowLine(e));
    }
    WritePng(path);
    EXPECT_NE(0u, resourcesManager.GetTexture(path));
}

TEST_F(ResourcesTest, MaterialsShareTexturesAndLaterDefinitionsWin)
{
    WritePng(dir / "sub/shared.png");
    WriteFile(dir / "a.mtl", "map_Kd sub\\shared.png\n"
                             "newmtl first\nKd 1 0 0\nmap_Kd sub\\shared.png\n"
                             "newmtl second\nmap_Kd sub/shared.png\n"
                             "newmtl reset\nmap_Kd sub/shared.png\n"
                             "newmtl kept\nnewmtl\nmap_Kd sub/shared.png\n");
    WriteFile(dir / "b.mtl", "newmtl reset\nnewmtl untextured\nNs 10\n");
    MaterialLib library;
    library.Load("a.mtl", dir.Path() + "/");
    library.Load("b.mtl", dir.Path() + "/");

    const Material first = library.GetMaterial("first");
    EXPECT_EQ(dir / "sub/shared.png", first.textureName);
    EXPECT_NE(0u, first.texture);
    EXPECT_EQ(first.texture, library.GetMaterial("second").texture);
    EXPECT_EQ(first.texture, library.GetMaterial("").texture) << "map_Kd before any newmtl";
    EXPECT_EQ(first.texture, library.GetMaterial("kept").texture) << "a bare newmtl is ignored";
    EXPECT_EQ(0u, library.GetMaterial("reset").texture) << "a second newmtl resets the texture";
    EXPECT_EQ("", library.GetMaterial("untextured").textureName);
    try {
        library.GetMaterial("First");
        ADD_FAILURE() << "names must match case";
    } catch (const Exception& e) {
        EXPECT_EQ("Material not found", Info<tag_error_message>(e));
        EXPECT_EQ("First", Info<tag_error_detail>(e));
        EXPECT_EQ(57, ThrowLine(e));
    }
}

TEST_F(ResourcesTest, SharedModelIsLoadedOnceAndFailuresAreNotKept)
{
    const std::string path = dir / "shared.obj";
    testing::internal::CaptureStdout();
    EXPECT_THROW(resourcesManager.GetModel(path), Exception);
    WriteFile(path, "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n");
    StaticModel& model = resourcesManager.GetModel(path);
    boost::filesystem::remove(path);
    boost::filesystem::remove(path + ".bin");
    StaticModel& again = resourcesManager.GetModel(path);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(&model, &again);
    EXPECT_EQ(path, model.Name());
    EXPECT_EQ(3, model.VertexCount());
    std::size_t loads = 0;
    for (std::size_t at = out.find("Loading "); at != std::string::npos; at = out.find("Loading ", at + 1))
        ++loads;
    EXPECT_EQ(2u, loads) << "one failed and one successful load expected:\n" << out;
}
