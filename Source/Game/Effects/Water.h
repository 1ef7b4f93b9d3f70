#pragma once

#include <GL/glew.h>

#include "Effects/FramePlan.h"
#include "Effects/FramebufferObject.h"
#include "Effects/Shader.h"

#include <functional>

class Game;

/// The animated water plane z = 0. Each frame it renders the scene mirrored
/// (reflection) and below the water (refraction) into two 512 x 512 textures
/// and draws a grid whose shader samples both at each fragment's screen position.
class Water
{
public:
    enum class Image
    {
        None,       // not rendering either texture
        Reflection,
        Refraction,
    };

    /// Draws the scene through game->DrawScene(). Needs "Resources/Water.vert"
    /// and "Resources/Water.frag"; shader errors propagate.
    explicit Water(Game* game);
    /// Draws the scene through `drawScene`, which must leave the matrix stacks balanced.
    explicit Water(std::function<void()> drawScene);

    /// Advances the wave time by `seconds`; above 6283.18 it is reduced once by 6283.18.
    void Update(float seconds);
    /// Renders both textures with the current camera and projection (or one of
    /// them, taking turns, while alternating); restores
    /// the framebuffer that was bound (0: the window), the viewport, the model-view matrix and back-face culling,
    /// leaves clip plane 0 off and GL_NORMALIZE on.
    void RenderTextures();
    /// Draws the grid (x -21..22, y -21..29) with the water program. A missing
    /// "ReflectionTex"/"RefractionTex" uniform throws; a missing "u_WaveTime" or
    /// "u_ImageCut" is ignored.
    void Draw();
    /// Side of the corner of each texture that the passes fill and the grid reads,
    /// pixels, clamped to 64..512; 512 (the whole texture) is the exact picture.
    void SetImageSize(int pixels);
    int ImageSize() const { return imageSize; }
    /// On: the grid is drawn as 16 quads of 25 x 25 cells instead of 10,000 cells.
    /// The shader works per pixel, so the picture stays the same for much less work.
    void SetCoarseGrid(bool on) { coarseGrid = on; }
    /// While on, each RenderTextures renders one texture, the two in turn, so
    /// each is a frame old every other frame; off (exact) renders both each time.
    /// Both are rendered anyway while the one left out was never drawn, or drawn
    /// at another image size, with another projection (a resize), from a
    /// camera that has since moved or turned visibly (a jump) or more than
    /// maxImageAge of wave time ago (frames were left out).
    void SetAlternateImages(bool on) { alternateImages = on; }
    /// The image size, grid and alternation of `plan`, from the next frame on.
    void UsePlan(const FramePlan& plan);
    static constexpr float maxImageAge = 0.03f; // seconds: one 20 ms tick and some rounding
    /// Takes both images for never rendered, so that the next RenderTextures
    /// renders both: what they hold now is not to be shown (frames drawn
    /// before play, with bursts that are not the world's). The turns start
    /// again as after construction.
    void ForgetImages();
    /// The texture being rendered now; None outside RenderTextures.
    Image Rendering() const { return rendering; }

    Game* game = nullptr;         // not owned; null when built with a callback
    GLuint reflectionTexture = 0; // 512 x 512, the mirrored scene above z = 0
    GLuint refractionTexture = 0; // 512 x 512, the scene below z = 0
    GLuint depthBuffer = 0;       // shared by both passes
    FramebufferObject reflectionFbo;
    FramebufferObject refractionFbo;
    Shader shader;
    float waveTime = 0.0f; // seconds, kept in [0, 6283.18]

private:
    /// What an image was last rendered for; one drawn for another view is stale.
    struct View
    {
        int size = 0;               // pixels; 0: never rendered
        GLfloat projection[16] = {};
        GLfloat camera[16] = {};    // model-view
        float waveTime = 0.0f;      // seconds, the water's clock
        /// Same size and projection, a camera that moved too little to show,
        /// and a world at most maxImageAge apart.
        bool CloseTo(const View& other) const;
    };

    Water(Game* game, std::function<void()> drawScene);
    View CurrentView() const;
    void CreateTextures();
    void CreateDepthBuffer();
    void AttachTargets();
    void RenderReflection();
    void RenderRefraction();
    void ClearImage();
    void DrawGrid();

    void SetOptionalUniform(const char* name, float value);

    std::function<void()> drawScene; // draws everything but the water
    int imageSize = 512;             // pixels; see SetImageSize
    bool coarseGrid = false;         // see SetCoarseGrid
    bool alternateImages = false;    // see SetAlternateImages
    Image rendering = Image::None;   // see Rendering
    static constexpr Image firstTurn = Image::Refraction; // lastAlone at the start: the reflection goes alone first
    Image lastAlone = firstTurn;     // the texture rendered last while alternating
    View reflectionView;             // what the reflection texture holds
    View refractionView;             // what the refraction texture holds
};
