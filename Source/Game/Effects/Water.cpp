#include "Effects/Water.h"

#include "Core/Game.h"

#include <vector>

namespace {

const int textureSize = 512;        // pixels, both textures and the depth buffer
const float waveTimeWrap = 6283.18f; // about 2000 pi seconds

GLuint CreateTargetTexture()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_R, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, textureSize, textureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return texture;
}

// 100 x 100 cells of 0.43 x 0.5 from (-21, -21), column by column, each quad's
// corners counter-clockwise seen from above; the shader needs positions only.
std::vector<float> GridCorners()
{
    std::vector<float> corners;
    corners.reserve(100 * 100 * 4 * 3);
    for (int a = 0; a < 100; ++a) {
        const float x0 = a * 0.43f - 21.0f, x1 = (a + 1) * 0.43f - 21.0f;
        for (int i = 0; i < 100; ++i) {
            const float y0 = i * 0.5f - 21.0f, y1 = (i + 1) * 0.5f - 21.0f;
            corners.insert(corners.end(), {x0, y0, 0.0f, x1, y0, 0.0f, x1, y1, 0.0f, x0, y1, 0.0f});
        }
    }
    return corners;
}

} // namespace

Water::Water(Game* game)
    : Water(game, [game] { game->DrawScene(); })
{
}

Water::Water(std::function<void()> drawScene)
    : Water(nullptr, std::move(drawScene))
{
}

Water::Water(Game* game, std::function<void()> drawScene)
    : game(game)
    , drawScene(std::move(drawScene))
{
    CreateTextures();
    CreateDepthBuffer();
    AttachTargets();
    shader.Load("Resources/Water.vert", "Resources/Water.frag");
}

void Water::CreateTextures()
{
    reflectionTexture = CreateTargetTexture();
    refractionTexture = CreateTargetTexture();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Water::CreateDepthBuffer()
{
    glGenRenderbuffers(1, &depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, textureSize, textureSize);
}

void Water::AttachTargets()
{
    reflectionFbo.AttachTexture(GL_TEXTURE_2D, reflectionTexture, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    reflectionFbo.AttachRenderbuffer(depthBuffer, GL_DEPTH_ATTACHMENT_EXT);
    refractionFbo.AttachTexture(GL_TEXTURE_2D, refractionTexture, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    refractionFbo.AttachRenderbuffer(depthBuffer, GL_DEPTH_ATTACHMENT_EXT);
    FramebufferObject::Unbind();
}

void Water::Update(float seconds)
{
    waveTime = waveTime + seconds;
    if (waveTime > waveTimeWrap)
        waveTime -= waveTimeWrap;
}

void Water::RenderTextures()
{
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_CLIP_PLANE0);
    RenderReflection();
    RenderRefraction();
    glDisable(GL_CLIP_PLANE0);
    FramebufferObject::Unbind();
}

void Water::RenderReflection()
{
    reflectionFbo.Bind();
    glEnable(GL_NORMALIZE); // the mirror scale flips the normals' handedness, not their length
    glPushMatrix();
    glScalef(1.0f, 1.0f, -1.0f);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, textureSize, textureSize);
    // Given after the mirror, so it keeps the unmirrored world's z >= 0.
    const GLdouble aboveWater[4] = {0.0, 0.0, 1.0, 0.0};
    glClipPlane(GL_CLIP_PLANE0, aboveWater);
    glCullFace(GL_FRONT); // mirroring turns front faces into back faces
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
    glCullFace(GL_BACK);
    glPopAttrib();
    glPopMatrix();
}

void Water::RenderRefraction()
{
    refractionFbo.Bind();
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, textureSize, textureSize);
    const GLdouble belowWater[4] = {0.0, 0.0, -1.0, 0.0};
    glClipPlane(GL_CLIP_PLANE0, belowWater);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
    glPopAttrib();
    glPopMatrix();
}

void Water::Draw()
{
    shader.Bind();
    shader.SetUniform("ReflectionTex", 0);
    shader.SetUniform("RefractionTex", 1);
    try {
        shader.SetUniform("u_WaveTime", waveTime);
    } catch (...) {
        // A program without animation input still draws still water.
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, reflectionTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, refractionTexture);
    glActiveTexture(GL_TEXTURE0);
    DrawGrid();
    shader.Unbind();
}

void Water::DrawGrid()
{
    // The same 40,000 corners every frame: worked out once and handed over as one array.
    static const std::vector<float> corners = GridCorners();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
}
