#include "Effects/Water.h"

#include "Core/Game.h"

#include <algorithm>
#include <cmath>
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
    // The shader keeps every lookup a texel inside the image, where clamping to
    // the edge reads the same texels as the old clamp with its border; the
    // software renderer samples it at about two thirds of the cost.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, textureSize, textureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return texture;
}

// The grid: 100 x 100 cells of 0.43 x 0.5 from (-21, -21).
const int gridCells = 100;
const float cellWidth = 0.43f;  // world units along x
const float cellHeight = 0.5f;  // world units along y
const float gridOrigin = -21.0f; // world units, both axes
const GLuint coarseStep = 25;    // cells per quad edge of the coarse grid

// The 101 x 101 corners, column by column; neighbouring cells share a corner,
// so each is shaded once instead of up to four times.
std::vector<float> GridCorners()
{
    std::vector<float> corners;
    corners.reserve((gridCells + 1) * (gridCells + 1) * 3);
    for (int a = 0; a <= gridCells; ++a) {
        const float x = a * cellWidth + gridOrigin;
        for (int i = 0; i <= gridCells; ++i)
            corners.insert(corners.end(), {x, i * cellHeight + gridOrigin, 0.0f});
    }
    return corners;
}

// Four corner indices per cell of `step` x `step` grid cells, column by column,
// counter-clockwise seen from above; `step` divides the cell count.
std::vector<GLuint> GridQuads(GLuint step)
{
    std::vector<GLuint> quads;
    quads.reserve(gridCells * gridCells * 4 / (step * step));
    for (GLuint a = 0; a < gridCells; a += step) {
        for (GLuint i = 0; i < gridCells; i += step) {
            const GLuint left = a * (gridCells + 1) + i, right = left + step * (gridCells + 1);
            quads.insert(quads.end(), {left, right, right + step, left + step});
        }
    }
    return quads;
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

bool Water::View::CloseTo(const View& other) const
{
    if (size != other.size || !std::equal(projection, projection + 16, other.projection) ||
        std::abs(waveTime - other.waveTime) > maxImageAge)
        return false;
    // Turned by at most about half a degree, moved by at most a tenth of a unit:
    // a few pixels, less than the ripple itself shifts the images.
    for (int i = 0; i < 16; ++i) {
        const float tolerance = i >= 12 ? 0.1f : 0.01f;
        if (std::abs(camera[i] - other.camera[i]) > tolerance)
            return false;
    }
    return true;
}

Water::View Water::CurrentView() const
{
    View view;
    view.size = imageSize;
    view.waveTime = waveTime;
    glGetFloatv(GL_PROJECTION_MATRIX, view.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, view.camera);
    return view;
}

void Water::ForgetImages()
{
    reflectionView = View();
    refractionView = View();
    // However many frames came before (a warm-up draws a few), the turns
    // start again the same way.
    lastAlone = firstTurn;
}

void Water::RenderTextures()
{
    GLint frame = 0; // the view's, or an off-screen frame the view is drawn into
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &frame);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_CLIP_PLANE0);
    const View view = CurrentView();
    const Image next = lastAlone == Image::Reflection ? Image::Refraction : Image::Reflection;
    // The image left out this frame is shown as it is: only while it shows this view.
    const bool alone = alternateImages && (next == Image::Reflection ? refractionView : reflectionView).CloseTo(view);
    if (alone)
        lastAlone = next;
    if (!alone || next == Image::Reflection) {
        RenderReflection();
        reflectionView = view;
    }
    if (!alone || next == Image::Refraction) {
        RenderRefraction();
        refractionView = view;
    }
    rendering = Image::None;
    glDisable(GL_CLIP_PLANE0);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(frame));
}

void Water::RenderReflection()
{
    rendering = Image::Reflection;
    reflectionFbo.Bind();
    glEnable(GL_NORMALIZE); // the mirror scale flips the normals' handedness, not their length
    glPushMatrix();
    glScalef(1.0f, 1.0f, -1.0f);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, imageSize, imageSize);
    // Given after the mirror, so it keeps the unmirrored world's z >= 0.
    const GLdouble aboveWater[4] = {0.0, 0.0, 1.0, 0.0};
    glClipPlane(GL_CLIP_PLANE0, aboveWater);
    glCullFace(GL_FRONT); // mirroring turns front faces into back faces
    ClearImage();
    drawScene();
    glCullFace(GL_BACK);
    glPopAttrib();
    glPopMatrix();
}

void Water::RenderRefraction()
{
    rendering = Image::Refraction;
    refractionFbo.Bind();
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, imageSize, imageSize);
    const GLdouble belowWater[4] = {0.0, 0.0, -1.0, 0.0};
    glClipPlane(GL_CLIP_PLANE0, belowWater);
    ClearImage();
    drawScene();
    glPopAttrib();
    glPopMatrix();
}

void Water::ClearImage()
{
    // Only the corner that is drawn and read: the rest of a 512 x 512 texture is
    // never looked at while the passes fill less of it.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, imageSize, imageSize);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

void Water::Draw()
{
    shader.Bind();
    shader.SetUniform("ReflectionTex", 0);
    shader.SetUniform("RefractionTex", 1);
    SetOptionalUniform("u_WaveTime", waveTime);
    SetOptionalUniform("u_ImageCut", 1.0f - static_cast<float>(imageSize) / textureSize);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, reflectionTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, refractionTexture);
    glActiveTexture(GL_TEXTURE0);
    DrawGrid();
    shader.Unbind();
}

void Water::SetImageSize(int pixels)
{
    imageSize = std::clamp(pixels, 64, textureSize);
}

void Water::UsePlan(const FramePlan& plan)
{
    SetImageSize(plan.waterImageSize);
    SetCoarseGrid(plan.coarseWaterGrid);
    SetAlternateImages(plan.alternateWaterImages);
}

void Water::SetOptionalUniform(const char* name, float value)
{
    try {
        shader.SetUniform(name, value);
    } catch (...) {
        // A program without this input still draws: still water, or whole images.
    }
}

void Water::DrawGrid()
{
    // The same grid every frame: worked out once and handed over as arrays.
    static const std::vector<float> corners = GridCorners();
    static const std::vector<GLuint> quads[] = {GridQuads(1), GridQuads(coarseStep)};
    const std::vector<GLuint>& drawn = quads[coarseGrid ? 1 : 0];
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners.data());
    glDrawElements(GL_QUADS, static_cast<GLsizei>(drawn.size()), GL_UNSIGNED_INT, drawn.data());
    glDisableClientState(GL_VERTEX_ARRAY);
}
