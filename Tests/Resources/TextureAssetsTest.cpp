// The committed images load as GL textures within their size budgets; sprites and fronds
// have the alpha their drawing relies on; the balls' cube-map faces show the sky sphere's sky.

#include <GL/glew.h>

#include "Assets/ResourcesManager.h"
#include "Resources/GlProbe.h"
#include "Support/TestSupport.h"

#include <IL/il.h>

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

namespace fs = boost::filesystem;

bool PowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

class TextureAssets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::EnsureGLContext();
        TestSupport::CopyResources(dir.Path());
    }

    GLuint Texture(const std::string& name)
    {
        TestSupport::ScopedCwd cwd(dir.Path());
        return resourcesManager.GetTexture("Resources/" + name);
    }

    // Level 0 of a texture as RGBA bytes, row 0 at the bottom.
    std::vector<unsigned char> Texels(const std::string& name, int& width, int& height)
    {
        glBindTexture(GL_TEXTURE_2D, Texture(name));
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<unsigned char> texels(static_cast<std::size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        return texels;
    }

    TestSupport::TempDir dir;
};

TEST_F(TextureAssets, EveryImageLoadsWithPowerOfTwoSizesWithinBudget)
{
    int count = 0;
    const fs::path root = fs::path(dir.Path()) / "Resources";
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it) {
        if (it->path().extension() != ".png")
            continue;
        const std::string name = fs::relative(it->path(), root).generic_string();
        SCOPED_TRACE(name);
        int width = 0, height = 0;
        Texels(name, width, height);
        EXPECT_TRUE(PowerOfTwo(width) && PowerOfTwo(height)) << width << " x " << height;
        EXPECT_LE(width, name == "SkySphere/Sky.png" ? 1024 : 512);
        EXPECT_LE(height, 512);
        ++count;
    }
    EXPECT_EQ(count, 25) << "images found: 20 the game draws, the menu icon at 5 sizes";
}

struct AlphaCensus
{
    float clear = 0, soft = 0, solid = 0; // shares of texels with alpha < 0.1, between, > 0.9
    int borderMax = 0;                    // largest alpha on the outermost texels
    int centre = 0;                       // alpha in the middle
    int lightest = 0;                     // smallest channel of the most opaque texel
};

AlphaCensus Census(const std::vector<unsigned char>& t, int width, int height)
{
    AlphaCensus census;
    int bestAlpha = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &t[(static_cast<std::size_t>(y) * width + x) * 4];
            const int a = p[3];
            (a < 26 ? census.clear : a > 229 ? census.solid : census.soft) += 1.0f / (width * height);
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1)
                census.borderMax = std::max(census.borderMax, a);
            if (a > bestAlpha) {
                bestAlpha = a;
                census.lightest = std::min({p[0], p[1], p[2]});
            }
        }
    census.centre = t[(static_cast<std::size_t>(height / 2) * width + width / 2) * 4 + 3];
    return census;
}

TEST_F(TextureAssets, SpritesAreSoftLightAndFadeOutBeforeTheirEdges)
{
    for (const char* name : {"Particles/Rauch.png", "Particles/Sparkle.png", "Particles/Fire.png"}) {
        SCOPED_TRACE(name);
        int width = 0, height = 0;
        const std::vector<unsigned char> texels = Texels(name, width, height);
        const AlphaCensus census = Census(texels, width, height);
        EXPECT_LE(census.borderMax, 3) << "the quad's outline would show";
        EXPECT_GT(census.centre, 100);
        EXPECT_GT(census.soft, 0.03f) << "hard-edged sprite";
        EXPECT_GE(census.lightest, 200) << "too dark for the system colour to tint";
    }
}

TEST_F(TextureAssets, FrondsAreCutOutForTheAlphaTest)
{
    int width = 0, height = 0;
    const std::vector<unsigned char> texels = Texels("Oasis/Frond.png", width, height);
    const AlphaCensus census = Census(texels, width, height);
    EXPECT_GT(census.clear, 0.2f);
    EXPECT_GT(census.solid, 0.2f);
}

// Samples the six face images as the game's balls upload them (DevIL with its origin at the
// lower left, as the resources manager sets it up, uploaded as they lie in memory).
GLuint LoadCubeMap(const std::string& folder)
{
    const char* faces[6] = {"SkyPosX", "SkyNegX", "SkyPosY", "SkyNegY", "SkyPosZ", "SkyNegZ"};
    GLuint cube = 0;
    glGenTextures(1, &cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (int i = 0; i < 6; ++i) {
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        EXPECT_TRUE(ilLoadImage((folder + faces[i] + ".png").c_str()));
        ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
        EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 128);
        EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), 128);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, GL_RGB, 128, 128, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     ilGetData());
        ilDeleteImages(1, &image);
    }
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return cube;
}

const char* const kPassVertex = "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n";

std::array<int, 4> SampleCube(GLuint program, float x, float y, float z)
{
    GlProbe::Target target(4, 4);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "map"), 0);
    glUniform3f(glGetUniformLocation(program, "direction"), x, y, z);
    GlProbe::FillViewport();
    glUseProgram(0);
    return target.Pixel(2, 2);
}

// The sky sphere's texture at world direction d: u round from +x towards +y, v = 0 at the nadir.
std::array<int, 4> SampleSkySphere(GLuint program, float x, float y, float z)
{
    const float pi = 3.14159265f, length = std::sqrt(x * x + y * y + z * z);
    float u = std::atan2(y, x) / (2 * pi);
    if (u < 0)
        u += 1;
    // The sphere's poles stop half a texel short of the edge rows (the texture repeats).
    const float v = std::min(std::max(std::asin(z / length) / pi + 0.5f, 0.5f / 512), 1 - 0.5f / 512);
    GlProbe::Target target(4, 4);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "map"), 0);
    glUniform2f(glGetUniformLocation(program, "where"), u, v);
    GlProbe::FillViewport();
    glUseProgram(0);
    return target.Pixel(2, 2);
}

TEST_F(TextureAssets, BallCubeMapFacesShowTheSkySpheresSkyInEveryDirection)
{
    GLuint cubeProgram = 0, flatProgram = 0;
    ASSERT_EQ(GlProbe::BuildProgram(kPassVertex,
                                    "#version 120\nuniform samplerCube map; uniform vec3 direction;\n"
                                    "void main() { gl_FragColor = textureCube(map, direction); }\n",
                                    cubeProgram), "");
    ASSERT_EQ(GlProbe::BuildProgram(kPassVertex,
                                    "#version 120\nuniform sampler2D map; uniform vec2 where;\n"
                                    "void main() { gl_FragColor = texture2D(map, where); }\n",
                                    flatProgram), "");
    glActiveTexture(GL_TEXTURE0);
    const GLuint sky = Texture("SkySphere/Sky.png");
    const GLuint cube = LoadCubeMap(dir / "Resources/Ball/");
    const float directions[][3] = {{0, 0, 1},     {1, 0, 0.5f},  {1, 0, -0.5f}, {-1, 0, 0.5f}, {0, 1, 0.5f},
                                   {0, -1, 0.5f}, {0.7f, 0.7f, 0.1f}, {-0.5f, 0.3f, -0.8f}, {0, 0, -1},
                                   {0.4f, -0.8f, 1}}; // the last one is the sun
    for (const auto& d : directions) {
        SCOPED_TRACE(testing::Message() << d[0] << ", " << d[1] << ", " << d[2]);
        glEnable(GL_TEXTURE_CUBE_MAP);
        glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
        const std::array<int, 4> mirrored = SampleCube(cubeProgram, d[0], d[1], d[2]);
        glDisable(GL_TEXTURE_CUBE_MAP);
        glBindTexture(GL_TEXTURE_2D, sky);
        const std::array<int, 4> seen = SampleSkySphere(flatProgram, d[0], d[1], d[2]);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(mirrored[c], seen[c], 20) << "channel " << c;
    }
    glDeleteTextures(1, &cube);
    glDeleteProgram(cubeProgram);
    glDeleteProgram(flatProgram);
}

} // namespace
