#include <GL/glew.h>

#include "Shell/GLView.h"

#include "Assets/ResourcesManager.h"
#include "Audio/OpenAlSound.h"
#include "Core/Game.h"
#include "Core/RendererWarmUp.h"
#include "Core/StartingLevel.h"
#include "Effects/GLRequirements.h"
#include "Shell/FrameTimer.h"
#include "Shell/OrbitCamera.h"
#include "Support/Exception.h"

#include <GL/glu.h>

#include <functional>
#include <optional>

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QResizeEvent>

namespace {

// The cursor is parked here after every move; a fixed point, not the view's centre.
const QPoint parkingPoint(300, 300);

// Start-up's trial frames wait for the renderer, and not for the swap: that
// times the frame's own work on every driver, at once. A swap may return
// before the frame is drawn, or wait for the display's refresh however cheap
// the frame was.
double MillisecondsToDraw(const std::function<void()>& frame)
{
    QElapsedTimer clock;
    clock.start();
    frame();
    glFinish();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

MouseButtons HeldButtons(Qt::MouseButtons held)
{
    MouseButtons buttons;
    buttons.left = (held & Qt::LeftButton) != 0;
    buttons.right = (held & Qt::RightButton) != 0;
    return buttons;
}

} // namespace

GLView::GLView(QWindow* parent)
    // Every view's context shares with Qt's global one, so the process-wide
    // model and texture cache is valid in each of them.
    : QOpenGLWindow(QOpenGLContext::globalShareContext(), NoPartialUpdate, parent)
    , lastMousePos(0, 0)
    , camera(nullptr)
    , wireframe(false)
    , game(nullptr)
{
    setFormat(Format());
    camera = new OrbitCamera(0.0, 0.0, 35.0);
    camera->SetElevation(45.0);
    camera->SetAzimuth(180.0);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &GLView::FollowActivation);
    // The GL objects go while this view's context is current: at exit the
    // window is never destroyed, so its context is not either.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &GLView::ReleaseGL);
    UsePlatform(QGuiApplication::platformName());
}

GLView::~GLView()
{
    delete camera;
    ReleaseGL();
}

void GLView::ReleaseGL()
{
    if (drawable) {
        makeCurrent();
        frameTimer.reset();
        delete game;
        game = nullptr;
        // Drawn through this view's context; the next draw anywhere fills them again.
        resourcesManager.ReleaseModelBuffers();
        doneCurrent();
    }
    if (context())
        disconnect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GLView::ReleaseGL);
}

QSurfaceFormat GLView::Format()
{
    QSurfaceFormat format;
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    return format;
}

void GLView::SetWireframe(bool on)
{
    wireframe = on;
}

void GLView::initializeGL()
{
    initialized = true;
    drawable = context() && context()->isValid() && QOpenGLContext::currentContext() == context();
    // Any failure is reported and leaves the view without a world; the program goes on.
    try {
        const GLenum glewResult = drawable ? glewInit() : GLenum(GLEW_ERROR_NO_GL_VERSION);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_NORMALIZE);
        glClearColor(0.4f, 0.4f, 0.8f, 1.0f);
        // A driver without what the world draws with is reported here, not
        // found at the first missing entry point.
        GLRequirements(drawable, glewResult).ThrowIfMissing();
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GLView::ReleaseGL);
        game = new Game();
        game->StartGame();
        game->UseSound(OpenAlSound::Open(game->soundSettings));
        frameTimer = std::make_unique<FrameTimer>([this] { return ClockMs(); });
    } catch (const std::exception& e) {
        PrintReport(e);
    }
}

void GLView::resizeGL(int width, int height)
{
    if (!drawable)
        return;
    makeCurrent(); // Qt may resize without making the context current
    // Qt gives the size in the desktop's units; a scaled (high-density) screen
    // has more pixels than that.
    const qreal scale = devicePixelRatio();
    glViewport(0, 0, qRound(width * scale), qRound(height * scale));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.1, 500.0);
    glMatrixMode(GL_MODELVIEW);
}

void GLView::paintGL()
{
    if (!warmedUp)
        WarmUp(); // before the clock: start-up, not a frame the budget should hear of
    // A pinned budget has nothing to choose, so nothing is timed.
    if (!game || !frameTimer || game->governor.Pinned()) {
        DrawFrame();
        return;
    }
    frameTimer->Begin();
    DrawFrame();
    if (const std::optional<double> took = frameTimer->End()) {
        lastFrameMs = *took;
        game->FrameTook(lastFrameMs);
    }
}

double GLView::ClockMs() const
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

bool GLView::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool paints = type == QEvent::Expose || type == QEvent::UpdateRequest || type == QEvent::Paint;
    if (paints && initialized && !drawable)
        return true;
    return QOpenGLWindow::event(event);
}

void GLView::BeginFrame()
{
    // The stencil, unused, shares the depth buffer's words: cleared with the
    // depth, both are filled at once instead of the depth under a mask. A
    // frame scaled up over the whole view needs no clearing of its own.
    if (!game || !game->ViewScaled())
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera->Apply();
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
}

void GLView::WarmUp()
{
    warmedUp = true;
    if (!game)
        return;
    try {
        const auto frame = [this] {
            BeginFrame();
            game->Render();
        };
        WarmUpRenderer(*game, frame);
        ChooseStartingLevel(*game, [&frame] { return MillisecondsToDraw(frame); });
    } catch (const std::exception&) {
        // Not reported here: the frame drawn next meets the same fault and reports it.
    }
}

void GLView::DrawFrame()
{
    BeginFrame();
    if (!game)
        return; // building the world failed and was reported: the cleared view is all there is
    try {
        game->Render();
    } catch (const std::exception& e) {
        PrintReport(e); // the rest of this frame is not drawn
    }
}

void GLView::InitializeNow()
{
    if (isValid())
        return;
    create();
    QResizeEvent event(size(), size());
    resizeEvent(&event); // makes the context, runs initializeGL, then resizeGL
}

void GLView::RenderNow()
{
    if (!isExposed() || !drawable)
        return; // nothing on screen to draw into yet, or no context to draw with
    makeCurrent();
    paintGL();
    SwapBuffers();
}

void GLView::SwapBuffers()
{
    context()->swapBuffers(this);
}

QImage GLView::GrabFrame()
{
    if (!drawable)
        return QImage();
    makeCurrent();
    const QSize pixels = size() * devicePixelRatio();
    QImage image(pixels, QImage::Format_RGBX8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, pixels.width(), pixels.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image.mirrored(); // GL's rows run bottom up
}

void GLView::mousePressEvent(QMouseEvent* event)
{
    lastMousePos = event->position().toPoint();
    if (Steering())
        ForwardMouse(0.0f, 0.0f, HeldButtons(event->buttons()));
    else
        BringToFront();
}

void GLView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!Steering()) {
        lastMousePos = at; // the pointer passes over the view; the next steering starts here
        return;
    }
    const int mx = at.x() - lastMousePos.x();
    const int my = at.y() - lastMousePos.y();
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
    if (pointerMovable)
        RecentreCursor();
    else
        lastMousePos = at; // the next motion is measured from where the pointer really is
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

void GLView::SetScriptedInput(bool on)
{
    scriptedInput = on;
    FollowActivation();
}

bool GLView::InFront() const
{
    return isActive();
}

void GLView::BringToFront()
{
    // As a click on any window does; a window manager may have done it already.
    QWindow* top = this;
    while (top->parent())
        top = top->parent();
    top->requestActivate();
}

void GLView::UsePlatform(const QString& platformName)
{
    // A Wayland client cannot move the pointer; asking only earns a warning a move.
    pointerMovable = !platformName.startsWith(QLatin1String("wayland"));
    FollowActivation();
}

void GLView::FollowActivation()
{
    const bool steer = Steering();
    // Back in front, steering resumes from wherever the pointer is now. A
    // program's input goes on from its own last move.
    if (steer && !steering && !scriptedInput)
        lastMousePos = mapFromGlobal(QCursor::pos());
    steering = steer;
    if (steer && pointerMovable)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
}

void GLView::RecentreCursor()
{
    QCursor::setPos(mapToGlobal(parkingPoint));
    lastMousePos = parkingPoint;
}
