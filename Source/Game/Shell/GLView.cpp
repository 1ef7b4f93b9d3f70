#include <GL/glew.h>

#include "Shell/GLView.h"

#include "Audio/OpenAlSound.h"
#include "Core/Game.h"
#include "Shell/OrbitCamera.h"
#include "Support/Exception.h"

#include <GL/glu.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>

namespace {

// The cursor is parked here after every move; a fixed point, not the view's centre.
const QPoint parkingPoint(300, 300);

MouseButtons HeldButtons(Qt::MouseButtons held)
{
    MouseButtons buttons;
    buttons.left = (held & Qt::LeftButton) != 0;
    buttons.right = (held & Qt::RightButton) != 0;
    return buttons;
}

} // namespace

GLView::GLView(QWidget* parent)
    : QGLWidget(parent)
    , lastMousePos(0, 0)
    , camera(nullptr)
    , wireframe(false)
    , game(nullptr)
{
    camera = new OrbitCamera(0.0, 0.0, 35.0);
    camera->SetElevation(45.0);
    camera->SetAzimuth(180.0);
    setCursor(Qt::BlankCursor);
}

GLView::~GLView()
{
    delete camera;
    // The world releases GL objects, so its clean-up runs in this view's context.
    makeCurrent();
    delete game;
}

void GLView::SetWireframe(bool on)
{
    wireframe = on;
}

void GLView::initializeGL()
{
    // Any failure is reported and leaves the view without a world; the program goes on.
    try {
        glewInit(); // a missing entry point shows up where it is first used
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_NORMALIZE);
        glClearColor(0.4f, 0.4f, 0.8f, 1.0f);
        game = new Game();
        game->StartGame();
        game->UseSound(OpenAlSound::Open(game->soundSettings));
    } catch (const std::exception& e) {
        PrintReport(e);
    }
}

void GLView::resizeGL(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.1, 500.0);
    glMatrixMode(GL_MODELVIEW);
}

void GLView::paintGL()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera->Apply();
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    if (!game)
        return; // building the world failed and was reported: the cleared view is all there is
    try {
        game->Render();
    } catch (const std::exception& e) {
        PrintReport(e); // the rest of this frame is not drawn
    }
}

void GLView::glDraw()
{
    // The swap waits for the renderer, so this is the frame's real cost; the
    // world's own clock stays the tick.
    QElapsedTimer clock;
    clock.start();
    QGLWidget::glDraw();
    if (game)
        game->FrameTook(static_cast<double>(clock.nsecsElapsed()) / 1e6);
}

void GLView::mousePressEvent(QMouseEvent* event)
{
    lastMousePos = event->pos();
    ForwardMouse(0.0f, 0.0f, HeldButtons(event->buttons()));
}

void GLView::mouseMoveEvent(QMouseEvent* event)
{
    const int mx = event->x() - lastMousePos.x();
    const int my = event->y() - lastMousePos.y();
    if (mx == 0 && my == 0)
        return; // this also swallows the move that parking the cursor causes
    const Qt::MouseButtons held = event->buttons();
    ForwardMouse(static_cast<float>(mx / 40.0), 0.0f, HeldButtons(held));
    if (held & Qt::MiddleButton) {
        camera->SetElevation(camera->Elevation() + my);
        camera->SetAzimuth(camera->Azimuth() - mx);
    } else if (held & Qt::RightButton) {
        camera->SetDistance(camera->Distance() - my);
    }
    RecentreCursor();
}

void GLView::SendMouseToWorld(float dx, float dy, MouseButtons buttons)
{
    if (game)
        game->HandleMouse(dx, dy, buttons);
}

void GLView::ForwardMouse(float dx, float dy, MouseButtons buttons)
{
    // An error in the world's input handling (a ball that cannot be built, say) is
    // reported; the camera and the cursor are still handled.
    try {
        SendMouseToWorld(dx, dy, buttons);
    } catch (const std::exception& e) {
        PrintReport(e);
    }
}

void GLView::RecentreCursor()
{
    QCursor::setPos(mapToGlobal(parkingPoint));
    lastMousePos = parkingPoint;
}
