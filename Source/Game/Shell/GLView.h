#pragma once

#include <GL/glew.h>

#include "Support/MouseButtons.h"

#include <QGLWidget>
#include <QPoint>

class Game;
class OrbitCamera;

/// The OpenGL view of the main window. Owns the game world and a free orbit camera,
/// sets the fixed GL state and the projection, draws each frame through the world and
/// turns mouse motion into game input. The cursor is hidden and pulled back to a fixed
/// point after every move, so only relative motion steers.
class GLView : public QGLWidget
{
    Q_OBJECT

public:
    explicit GLView(QWidget* parent = nullptr);
    ~GLView() override;

    /// The world; null until the GL initialisation has built it, and for good when that failed.
    Game* GetGame() const { return game; }
    const OrbitCamera& Camera() const { return *camera; }

public slots:
    /// Polygons are drawn as lines from the next frame on.
    void SetWireframe(bool on);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    /// Paints and swaps like the base, then tells the world how long that took.
    void glDraw() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    /// Where every mouse input ends: the world, when there is one.
    /// dx in world units (40 pixels per unit), dy always 0.
    virtual void SendMouseToWorld(float dx, float dy, MouseButtons buttons);

private:
    void ForwardMouse(float dx, float dy, MouseButtons buttons);
    void RecentreCursor();

    QPoint lastMousePos;  // widget pixels of the last press or handled move
    OrbitCamera* camera;  // owning; shown only in the world's camera mode 2
    bool wireframe;       // polygons as lines when true
    Game* game;           // owning; null until initializeGL builds it
};
