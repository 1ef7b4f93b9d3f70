#include <GL/glew.h>

#include "Effects/Water.h"
#include "Support/Exception.h"
#include "Support/TestSupport.h"

#include <GL/glu.h>

#include <gtest/gtest.h>

#include <vector>

using namespace TestSupport;

namespace {

const char* waterVertex =
    "#version 120\n"
    "varying vec4 clipPosition;\n"
    "void main() { gl_Position = ftransform(); clipPosition = gl_Position; }\n";

/// Adds both images at the fragment's own screen position, rippled by the wave time.
const char* waterFragment =
    "#version 120\n"
    "uniform sampler2D ReflectionTex;\n"
    "uniform sampler2D RefractionTex;\n"
    "uniform float u_WaveTime;\n"
    "varying vec4 clipPosition;\n"
    "void main() {\n"
    "  vec2 uv = clipPosition.xy / clipPosition.w * 0.5 + 0.5;\n"
    "  uv.x += 0.002 * sin(uv.y * 40.0 + u_WaveTime);\n"
    "  gl_FragColor = texture2D(ReflectionTex, uv) + texture2D(RefractionTex, uv);\n"
    "}\n";

const char* stillWaterFragment =
    "#version 120\n"
    "uniform sampler2D ReflectionTex;\n"
    "uniform sampler2D RefractionTex;\n"
    "varying vec4 clipPosition;\n"
    "void main() {\n"
    "  vec2 uv = clipPosition.xy / clipPosition.w * 0.5 + 0.5;\n"
    "  gl_FragColor = texture2D(ReflectionTex, uv) + texture2D(RefractionTex, uv);\n"
    "}\n";

/// A horizontal square of half-size 2 at height z, front face up (+1) or down (-1).
void DrawSquare(float z, float facing, float r, float g, float b)
{
    glColor3f(r, g, b);
    glBegin(GL_QUADS);
    glVertex3f(-2, -2 * facing, z);
    glVertex3f(2, -2 * facing, z);
    glVertex3f(2, 2 * facing, z);
    glVertex3f(-2, 2 * facing, z);
    glEnd();
}

/// A red square above the water facing down, like the underside of a solid
/// that only the mirror sees, and a blue one below facing up at the camera.
void DrawTwoSquares()
{
    DrawSquare(1.0f, -1.0f, 1, 0, 0);
    DrawSquare(-1.0f, 1.0f, 0, 0, 1);
}

struct Colours
{
    int red = 0;  // pixels that are mostly red
    int blue = 0; // pixels that are mostly blue
    int both = 0; // pixels with strong red and blue
};

Colours Count(const std::vector<unsigned char>& rgba)
{
    Colours c;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const int r = rgba[i], b = rgba[i + 2];
        c.red += r > 128 && b < 64;
        c.blue += b > 128 && r < 64;
        c.both += r > 128 && b > 128;
    }
    return c;
}

Colours TextureColours(GLuint texture)
{
    std::vector<unsigned char> rgba(512 * 512 * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return Count(rgba);
}

/// Camera above and in front of the water looking at the origin, z up.
void SetCamera()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.0, 0.5, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, -8, 8, 0, 0, 0, 0, 0, 1);
}

class WaterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureGLContext();
        WriteShaders(waterFragment);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glClearColor(0, 0, 0, 1);
        SetCamera();
    }
    void TearDown() override { glDisable(GL_CULL_FACE); }

    void WriteShaders(const std::string& fragment)
    {
        WriteFile(dir / "Resources/Water.vert", waterVertex);
        WriteFile(dir / "Resources/Water.frag", fragment);
    }

    TempDir dir;
    ScopedCwd cwd{dir.Path()};
};

} // namespace

TEST_F(WaterTest, RenderTexturesRestoresTheStateItChanges)
{
    Water water(DrawTwoSquares);
    // The view's frame may be an off-screen one (a view drawn at fewer pixels).
    GLuint frame = 0;
    glGenFramebuffers(1, &frame);
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    glViewport(3, 4, 50, 40);
    glCullFace(GL_FRONT);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    water.RenderTextures();
    GLint framebuffer = -1, viewport[4] = {}, cullMode = 0, matrixMode = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_CULL_FACE_MODE, &cullMode);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(GLint(frame), framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &frame);
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_EQ(3, viewport[0]);
    EXPECT_EQ(4, viewport[1]);
    EXPECT_EQ(50, viewport[2]);
    EXPECT_EQ(40, viewport[3]);
    EXPECT_EQ(GL_BACK, cullMode);
    EXPECT_EQ(GL_MODELVIEW, matrixMode);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(before[i], after[i]) << i;
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST_F(WaterTest, ReflectionShowsOnlyWhatIsAboveAndRefractionOnlyWhatIsBelow)
{
    int calls = 0;
    Water water([&calls] { ++calls; DrawTwoSquares(); });
    water.RenderTextures();
    EXPECT_EQ(2, calls);
    const Colours reflection = TextureColours(water.reflectionTexture);
    const Colours refraction = TextureColours(water.refractionTexture);
    EXPECT_GT(reflection.red, 1000); // only visible when the pass culls front faces
    EXPECT_EQ(0, reflection.blue);
    EXPECT_GT(refraction.blue, 1000);
    EXPECT_EQ(0, refraction.red);
}

TEST_F(WaterTest, DrawMixesBothImagesAtEachScreenPosition)
{
    for (const char* fragment : {waterFragment, stillWaterFragment}) {
        WriteShaders(fragment);
        Water water(DrawTwoSquares);
        water.Update(1.5f);
        water.RenderTextures();

        // Draw into an off-screen target so the hidden window's pixels do not matter.
        GLuint colour = 0, depth = 0;
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 128, 128, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenRenderbuffersEXT(1, &depth);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, 128, 128);
        FramebufferObject target;
        target.AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
        target.AttachRenderbuffer(depth, GL_DEPTH_ATTACHMENT_EXT);
        target.Bind();
        glViewport(0, 0, 128, 128);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        water.Draw();
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY)) << "the grid's array must not stay on";
        std::vector<unsigned char> rgba(128 * 128 * 4);
        glReadPixels(0, 0, 128, 128, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        FramebufferObject::Unbind();
        glDeleteTextures(1, &colour);
        glDeleteRenderbuffersEXT(1, &depth);

        // The mirrored red square and the blue one lie at the same place, so the
        // water shows both added together there.
        EXPECT_GT(Count(rgba).both, 500) << fragment;
        GLint program = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        EXPECT_EQ(0, program);
    }
}

TEST_F(WaterTest, MissingSamplerUniformFailsTheDraw)
{
    WriteShaders("#version 120\nuniform sampler2D RefractionTex;\n"
                 "void main() { gl_FragColor = texture2D(RefractionTex, vec2(0.5)); }\n");
    Water water(DrawTwoSquares);
    try {
        water.Draw();
        ADD_FAILURE() << "Draw did not throw";
    } catch (const Exception& e) {
        EXPECT_EQ("Uniform variable not found: ReflectionTex", *boost::get_error_info<tag_error_message>(e));
    }
    water.shader.Unbind();
}

TEST_F(WaterTest, WaveTimeWrapsOnceAbove6283_18)
{
    Water water(DrawTwoSquares);
    EXPECT_EQ(0.0f, water.waveTime);
    water.Update(6283.18f);
    EXPECT_EQ(6283.18f, water.waveTime); // equal is not reduced
    water.Update(1.0f);
    EXPECT_NEAR(1.0f, water.waveTime, 1e-3f);
    water.waveTime = 0.0f;
    water.Update(20000.0f);
    EXPECT_NEAR(20000.0f - 6283.18f, water.waveTime, 1e-2f); // one long tick is reduced only once
}

// Taking turns shows one image a frame old; one that was never drawn, or drawn
// for another image size, projection, a camera that has since jumped or a
// world some frames back, must not show.
TEST_F(WaterTest, TakingTurnsRendersBothWhileTheOtherImageIsStale)
{
    int calls = 0;
    Water water([&calls] { ++calls; });
    water.SetAlternateImages(true);
    const auto passes = [&] { calls = 0; water.Update(0.02f); water.RenderTextures(); return calls; };
    EXPECT_EQ(2, passes()) << "first frame: neither image drawn yet";
    EXPECT_EQ(1, passes());
    EXPECT_EQ(1, passes());
    water.SetImageSize(128);
    EXPECT_EQ(2, passes()) << "new image size";
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.5, 0.5, 100.0);
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(2, passes()) << "new projection (a resize)";
    glTranslatef(0.01f, 0.0f, 0.0f);
    EXPECT_EQ(1, passes()) << "a camera that moved a little";
    glRotatef(10.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(2, passes()) << "a camera that turned";
    EXPECT_EQ(1, passes());
    water.Update(1.0f);
    EXPECT_EQ(2, passes()) << "frames left out: the world has moved on";
    EXPECT_EQ(1, passes());
    water.ForgetImages();
    EXPECT_EQ(2, passes()) << "images forgotten";
}
