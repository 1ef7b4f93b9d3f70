#include <GL/glew.h>

#include "Core/Game.h"
#include "Shell/GLView.h"
#include "Shell/OrbitCamera.h"
#include "Support/Exception.h"
#include "Support/TestSupport.h"
#include "Shell/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QMouseEvent>

#include <vector>

namespace {

struct MouseInput
{
    float dx;
    float dy;
    MouseButtons buttons;
};

// A view whose input to the world is recorded (and can fail, like a world whose
// ball cannot be built).
class RecordingView : public GLView
{
public:
    std::vector<MouseInput> inputs;
    bool failInput = false;
    bool inFront = true;
    using GLView::UsePlatform;

protected:
    bool InFront() const override { return inFront; }
    void SendMouseToWorld(float dx, float dy, MouseButtons buttons) override
    {
        inputs.push_back(MouseInput{dx, dy, buttons});
        if (failInput) {
            Exception e;
            e << tag_error_message("input refused");
            throw e;
        }
    }
};

class GLViewMouse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::EnsureGLContext();
        view.reset(new RecordingView());
        view->resize(640, 480);
    }

    void Press(QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(QEvent::MouseButtonPress, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(view.get(), &event);
    }

    void Move(QPoint to, Qt::MouseButtons held)
    {
        QMouseEvent event(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(view.get(), &event);
    }

    const OrbitCamera& Camera() const { return view->Camera(); }

    std::unique_ptr<RecordingView> view;
};

} // namespace

TEST_F(GLViewMouse, PressAndMovesBecomeWorldInput)
{
    Press(QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    Move(QPoint(140, 100), Qt::NoButton);                   // 40 px right: one unit
    Move(QPoint(300, 250), Qt::RightButton);                 // straight up: vertical motion is dropped
    Move(QPoint(280, 300), Qt::LeftButton | Qt::RightButton); // 20 px left
    ASSERT_EQ(4u, view->inputs.size());
    EXPECT_EQ(0.0f, view->inputs[0].dx);
    EXPECT_EQ(0.0f, view->inputs[0].dy);
    EXPECT_TRUE(view->inputs[0].buttons.left);
    EXPECT_FALSE(view->inputs[0].buttons.right);
    EXPECT_EQ(1.0f, view->inputs[1].dx);
    EXPECT_EQ(0.0f, view->inputs[1].dy);
    EXPECT_FALSE(view->inputs[1].buttons.left);
    EXPECT_EQ(0.0f, view->inputs[2].dx);
    EXPECT_EQ(0.0f, view->inputs[2].dy);
    EXPECT_TRUE(view->inputs[2].buttons.right);
    EXPECT_EQ(-0.5f, view->inputs[3].dx);
    EXPECT_TRUE(view->inputs[3].buttons.left && view->inputs[3].buttons.right);
    // Without a world the input goes nowhere, and nothing breaks.
    EXPECT_EQ(nullptr, view->GetGame());
}

TEST_F(GLViewMouse, CursorIsParkedAfterAMoveButNotForAMoveInPlace)
{
    Press(QPoint(120, 80), Qt::MiddleButton, Qt::MiddleButton);
    QCursor::setPos(10, 10);
    Move(QPoint(120, 80), Qt::MiddleButton);
    EXPECT_EQ(1u, view->inputs.size());
    EXPECT_EQ(QPoint(10, 10), QCursor::pos());
    EXPECT_DOUBLE_EQ(45.0, Camera().Elevation());
    EXPECT_DOUBLE_EQ(180.0, Camera().Azimuth());

    Move(QPoint(121, 80), Qt::NoButton);
    EXPECT_EQ(view->mapToGlobal(QPoint(300, 300)), QCursor::pos());
    // The next motion is measured from the parking point, not from where the cursor was.
    Move(QPoint(340, 300), Qt::NoButton);
    ASSERT_EQ(3u, view->inputs.size());
    EXPECT_EQ(1.0f, view->inputs[2].dx);
}

TEST_F(GLViewMouse, BehindAnotherWindowThePointerIsLeftFreeAndSteersNothing)
{
    view->inFront = false;
    QCursor::setPos(10, 10);
    Press(QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    Move(QPoint(180, 100), Qt::MiddleButton);
    EXPECT_TRUE(view->inputs.empty());
    EXPECT_EQ(QPoint(10, 10), QCursor::pos()) << "pulled back by a window that is not in front";
    EXPECT_DOUBLE_EQ(180.0, Camera().Azimuth());

    // Back in front, the first move steers, from where the pointer was.
    view->inFront = true;
    Move(QPoint(220, 100), Qt::NoButton);
    ASSERT_EQ(1u, view->inputs.size());
    EXPECT_EQ(1.0f, view->inputs[0].dx);
    EXPECT_EQ(view->mapToGlobal(QPoint(300, 300)), QCursor::pos());
}

TEST_F(GLViewMouse, WhereThePointerCannotBeMovedMotionIsMeasuredFromWhereItReallyIs)
{
    view->UsePlatform("wayland");
    QCursor::setPos(10, 10);
    Press(QPoint(100, 100), Qt::NoButton, Qt::NoButton);
    Move(QPoint(140, 100), Qt::NoButton);
    Move(QPoint(180, 100), Qt::NoButton); // still rightwards, left of the parking point
    ASSERT_EQ(3u, view->inputs.size());
    EXPECT_EQ(1.0f, view->inputs[1].dx);
    EXPECT_EQ(1.0f, view->inputs[2].dx);
    EXPECT_EQ(QPoint(10, 10), QCursor::pos());
}

TEST_F(GLViewMouse, MiddleButtonOrbitsRightButtonZoomsMiddleWins)
{
    Press(QPoint(300, 300), Qt::MiddleButton, Qt::MiddleButton);
    Move(QPoint(300, 200), Qt::MiddleButton); // 100 px up
    EXPECT_DOUBLE_EQ(-55.0, Camera().Elevation());
    Move(QPoint(300, 0), Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(-89.99, Camera().Elevation());
    Move(QPoint(500, 300), Qt::MiddleButton); // 200 px right
    EXPECT_DOUBLE_EQ(340.0, Camera().Azimuth());
    Move(QPoint(500, 300), Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(140.0, Camera().Azimuth());
    EXPECT_DOUBLE_EQ(35.0, Camera().Distance());

    Move(QPoint(300, 310), Qt::RightButton); // 10 px down: closer
    EXPECT_DOUBLE_EQ(25.0, Camera().Distance());
    Move(QPoint(300, 400), Qt::RightButton);
    EXPECT_EQ(1.1920928955078125e-07, Camera().Distance());
    EXPECT_DOUBLE_EQ(-89.99, Camera().Elevation());

    Move(QPoint(300, 280), Qt::MiddleButton | Qt::RightButton); // 20 px up, both held
    EXPECT_EQ(1.1920928955078125e-07, Camera().Distance());
    EXPECT_DOUBLE_EQ(-89.99, Camera().Elevation()); // -109.99 clamps
    Move(QPoint(300, 400), Qt::MiddleButton | Qt::RightButton);
    EXPECT_NEAR(10.01, Camera().Elevation(), 1e-9);
}

TEST_F(GLViewMouse, FailingWorldInputIsReportedAndTheCameraStillMoves)
{
    view->failInput = true;
    ShellTest::CapturedStdout out;
    EXPECT_NO_THROW(Press(QPoint(300, 300), Qt::LeftButton, Qt::LeftButton | Qt::MiddleButton));
    EXPECT_NO_THROW(Move(QPoint(300, 290), Qt::LeftButton | Qt::MiddleButton));
    const std::string text = out.Text();
    EXPECT_EQ(2u, view->inputs.size());
    EXPECT_NE(std::string::npos, text.find("input refused"));
    EXPECT_NE(std::string::npos, text.find("Dynamic exception type: "));
    EXPECT_DOUBLE_EQ(35.0, Camera().Elevation());
    EXPECT_EQ(view->mapToGlobal(QPoint(300, 300)), QCursor::pos());
}

namespace {

// Keeps each frame in the back buffer, where it can be read back.
class UnswappedView : public GLView
{
protected:
    void SwapBuffers() override {}
};

// A display that makes the swap wait, as a vsync of 10 Hz would: its clock
// moves on by 100 ms in every swap and stands still otherwise.
class WaitingSwapView : public GLView
{
public:
    double clockMs = 0.0;

protected:
    void SwapBuffers() override { clockMs += 100.0; }
    double ClockMs() const override { return clockMs; }
};

class GLViewDrawing : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::EnsureGLContext(); }

    // Shows the view, which builds the world, once the window system has mapped it.
    static void Show(GLView& view)
    {
        view.show();
        ASSERT_TRUE(ShellTest::RunEventsUntil([&] { return view.isExposed(); }));
    }

    // Paints one frame into the back buffer and leaves the view's context current.
    static void PaintOnce(GLView& view)
    {
        view.RenderNow();
    }
};

} // namespace

TEST_F(GLViewDrawing, WithoutAWorldTheReportIsPrintedAndTheViewOnlyCleared)
{
    ShellTest::WorldFolder folder(""); // no Config.cfg: the world cannot be built
    ShellTest::CapturedStdout out;
    UnswappedView view;
    view.resize(200, 100);
    Show(view);
    PaintOnce(view);
    EXPECT_EQ(nullptr, view.GetGame());
    EXPECT_NE(std::string::npos, out.Text().find("ConfigFile not found"));

    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(100, 50, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_NEAR(102, pixel[0], 1);
    EXPECT_NEAR(102, pixel[1], 1);
    EXPECT_NEAR(204, pixel[2], 1);

    view.SetWireframe(true);
    PaintOnce(view);
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(GL_LINE, modes[0]);
}

TEST_F(GLViewDrawing, WorldIsBuiltAndStartedAndTheProjectionFollowsTheSize)
{
    ShellTest::WorldFolder folder("StartLevel=2\n");
    UnswappedView view;
    view.resize(400, 100);
    Show(view);
    PaintOnce(view);
    ASSERT_NE(nullptr, view.GetGame());
    EXPECT_FALSE(view.GetGame()->IsGameOver());

    double p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    const double cotHalfFov = 2.414213562373095; // 1 / tan(22.5 degrees)
    EXPECT_NEAR(cotHalfFov, p[5], 1e-6);
    EXPECT_NEAR(cotHalfFov / 4.0, p[0], 1e-6);
    EXPECT_NEAR(-500.1 / 499.9, p[10], 1e-6);   // near 0.1, far 500
    EXPECT_NEAR(-100.0 / 499.9, p[14], 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
}

TEST_F(GLViewDrawing, TheFrameBudgetIsNotChargedForTheDisplaysWait)
{
    ShellTest::WorldFolder folder("StartLevel=1\n");
    ShellTest::CapturedStdout out; // the level's framebuffer lines
    WaitingSwapView view;
    view.resize(64, 32);
    Show(view);
    for (int frame = 0; frame < 6; ++frame)
        view.RenderNow();
    EXPECT_EQ(600.0, view.clockMs);
    EXPECT_GT(view.LastFrameMs(), 0.0) << "no frame's cost became known";
    EXPECT_LT(view.LastFrameMs(), 100.0);
}
