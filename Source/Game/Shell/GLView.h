#pragma once

#include "Shell/QtOpenGLHeaders.h"
#include "Support/MouseButtons.h"

#include <QPoint>

#include <memory>

class FrameTimer;
class Game;
class OrbitCamera;

/// The OpenGL view of the main window, a window of its own that the main window
/// holds in a container: it draws straight into its window, with no composition
/// pass behind it. Owns the game world and a free orbit camera, sets the fixed GL
/// state and the projection, draws each frame through the world and turns mouse
/// motion into game input. While the game's window is the active one the
/// cursor is hidden and pulled back to a fixed point after every move, so only
/// relative motion steers; behind another window the pointer passes over the
/// view like over any window, and steers nothing.
class GLView : public QOpenGLWindow
{
    Q_OBJECT

public:
    explicit GLView(QWindow* parent = nullptr);
    ~GLView() override;

    /// The surface every view asks for: double-buffered RGB without alpha, 24-bit
    /// depth, 8-bit stencil, any version with the compatibility functions.
    static QSurfaceFormat Format();

    /// The world; null until the GL initialisation has built it, and for good when that failed.
    Game* GetGame() const { return game; }
    const OrbitCamera& Camera() const { return *camera; }
    /// What the last frame timed cost to draw, without the swap, milliseconds;
    /// the frame budget's measure, known a frame or two late. 0 before the
    /// first, and while the frame budget is pinned (nothing is timed then).
    double LastFrameMs() const { return lastFrameMs; }
    /// On: mouse input comes from a program (the demo harness) and steers
    /// whichever window is in front, as the player's does while the game is.
    void SetScriptedInput(bool on);

    /// Makes the context and runs the GL initialisation (which builds the
    /// world) now, if that has not happened yet; otherwise Qt does it at the
    /// window's first resize or paint, after the window's first tick could run.
    void InitializeNow();
    /// Paints and swaps at once, the tick's synchronous repaint. Does nothing
    /// before the window is on screen. Leaves the view's context current.
    void RenderNow();
    /// The last frame as drawn, read back from the window's framebuffer; opaque RGB.
    QImage GrabFrame();

public slots:
    /// Polygons are drawn as lines from the next frame on.
    void SetWireframe(bool on);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    /// Draws the frame, then tells the world what an earlier one cost: the
    /// frame's own work, never the wait for the display.
    void paintGL() override;
    /// Without a context that could be made current, the events that paint
    /// are dropped: Qt's own paint would call GL through that context.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    /// Shows the frame; a stand-in can take its place to model the display's wait.
    virtual void SwapBuffers();
    /// Where every mouse input ends: the world, when there is one.
    /// dx in world units (40 pixels per unit), dy always 0.
    virtual void SendMouseToWorld(float dx, float dy, MouseButtons buttons);
    /// Whether the game's window is the active one.
    virtual bool InFront() const;
    /// Steers as on the platform named (Qt's name for it): only some let a
    /// program move the pointer, which re-centring it needs.
    void UsePlatform(const QString& platformName);
    /// The processor's monotonic clock, milliseconds: what frames are timed by.
    virtual double ClockMs() const;

private:
    void DrawFrame();
    void BeginFrame(); // clears the view and applies the camera
    void WarmUp();
    void ReleaseGL();
    bool Steering() const { return scriptedInput || InFront(); }
    void FollowActivation();
    void BringToFront();
    void ForwardMouse(float dx, float dy, MouseButtons buttons);
    void RecentreCursor();

    QPoint lastMousePos;  // widget pixels of the last press or handled move
    OrbitCamera* camera;  // owning; shown only in the world's camera mode 2
    bool wireframe;       // polygons as lines when true
    Game* game;           // owning; null until initializeGL builds it, and after ReleaseGL
    std::unique_ptr<FrameTimer> frameTimer; // made with the world; null without one
    double lastFrameMs = 0.0; // the last frame's own work, milliseconds
    bool initialized = false; // initializeGL has run
    bool drawable = false;    // the context was made and made current in initializeGL
    bool warmedUp = false;    // the renderer has drawn every level once, before the first frame
    bool scriptedInput = false; // see SetScriptedInput
    bool steering = false;      // Steering() at the last activation change
    bool pointerMovable = true; // the platform lets a program move the pointer (Wayland does not)
};
