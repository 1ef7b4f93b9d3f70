#include <GL/glew.h>

#include "Core/Game.h"
#include "Gameplay/Ball.h"
#include "Shell/GLView.h"
#include "Shell/MainWindow.h"
#include "Support/TestSupport.h"
#include "Shell/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <locale>

// Exported by QtGui and used by its own test library: delivers a key press to the
// shortcut map the way the window system does, so mnemonics and menu shortcuts fire.
bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                  const QString& text, bool autorep, ushort count);

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::EnsureGLContext();
        // Closing a test window must not end event loops that later tests start.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    static QString Label(const MainWindow& window, const char* name)
    {
        const QLabel* label = window.findChild<QLabel*>(name);
        return label ? label->text() : QString("<missing>");
    }

    static void Open(MainWindow& window)
    {
        QApplication::setActiveWindow(&window);
        window.resize(800, 600);
        window.show();
    }

    static void PressShortcut(MainWindow& window, int key)
    {
        qt_sendShortcutOverrideEvent(&window, 0, key, Qt::AltModifier, QString(), false, 1);
    }
};

// Groups digits by threes with a comma, whatever the machine's locales are.
struct CommaGrouping : std::numpunct<char>
{
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

TEST_F(MainWindowTest, ViewSitsAboveTheHeadUpBarAndTakesTheExtraHeight)
{
    ShellTest::WorldFolder folder("StartLevel=3\n");
    MainWindow window;
    const QWidget* form = window.findChild<QWidget*>("SettingsForm");
    ASSERT_NE(nullptr, form);
    EXPECT_EQ("Form", form->windowTitle());
    EXPECT_EQ("Score:", Label(window, "label_2"));
    EXPECT_EQ("Balls:", Label(window, "label"));
    EXPECT_EQ("Level:", Label(window, "label_3"));
    EXPECT_EQ("Switch &Camera (Alt+C)", window.findChild<QPushButton*>("CameraButton")->text());

    Open(window);
    // The world is built while showing, so it exists before the first tick.
    ASSERT_NE(nullptr, window.View()->GetGame());
    EXPECT_EQ(QSize(800, 600), window.size());
    EXPECT_EQ("0", Label(window, "score"));
    EXPECT_EQ("0", Label(window, "balls"));
    EXPECT_EQ("1", Label(window, "level"));

    QApplication::sendPostedEvents();
    const QWidget* container = window.ViewContainer();
    const QRect view = container->geometry();
    EXPECT_LT(view.bottom(), form->geometry().top());
    EXPECT_EQ(container->parentWidget(), window.centralWidget());

    window.resize(800, 800);
    QApplication::sendPostedEvents();
    EXPECT_EQ(view.height() + 200, container->height());
    EXPECT_EQ(view.width(), container->width());
    EXPECT_EQ(container->size(), window.View()->size());

    window.resize(100, 100);
    QApplication::sendPostedEvents();
    EXPECT_GE(container->height(), 300);
    EXPECT_GE(container->width(), 150);
}

TEST_F(MainWindowTest, TicksShowTheWorldsCountersInTheGlobalLocale)
{
    ShellTest::WorldFolder folder("StartLevel=3\n");
    MainWindow window;
    Open(window);
    Game* game = window.View()->GetGame();
    ASSERT_NE(nullptr, game);

    // The window's own clock drives the labels.
    ASSERT_TRUE(ShellTest::RunEventsUntil([&] { return Label(window, "level") == "3"; }));
    EXPECT_EQ(QString::number(game->balls), Label(window, "balls"));

    // A resting ball in play keeps an empty reserve from ending the game
    // (the Game Over box is modal and would stop this test).
    Ball* ball = new Ball(Vec3(0, 0, 0));
    ball->setGame(game);
    ball->setPosition(Vec3(0, -2, 0));
    ASSERT_TRUE(game->entityList.add(ball, true));
    game->score = 1234567;
    game->balls = 0;
    window.on_Timer();
    EXPECT_EQ("1234567", Label(window, "score"));
    EXPECT_EQ("0", Label(window, "balls"));

    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaGrouping));
    window.on_Timer();
    std::locale::global(previous);
    EXPECT_EQ("1,234,567", Label(window, "score"));
}

TEST_F(MainWindowTest, AltCAndTheButtonAdvanceTheCameraMode)
{
    ShellTest::WorldFolder folder("StartLevel=0\n");
    MainWindow window;
    Open(window);
    Game* game = window.View()->GetGame();
    ASSERT_NE(nullptr, game);
    const int start = game->cameraMode;

    PressShortcut(window, Qt::Key_C);
    ASSERT_TRUE(ShellTest::RunEventsUntil([&] { return game->cameraMode != start; }));
    EXPECT_EQ(start + 1, game->cameraMode);

    QPushButton* button = window.findChild<QPushButton*>("CameraButton");
    button->click();
    button->click();
    button->click();
    EXPECT_EQ(start + 4, game->cameraMode); // the counter itself never wraps
}

TEST_F(MainWindowTest, AltF4ExitsThroughTheFileMenu)
{
    ShellTest::WorldFolder folder("StartLevel=0\n");
    MainWindow window;
    Open(window);
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(1, menus.size());
    EXPECT_EQ("&File", menus[0]->text());
    ASSERT_NE(nullptr, menus[0]->menu());
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(1, items.size());
    EXPECT_EQ("E&xit", items[0]->text());

    PressShortcut(window, Qt::Key_F4);
    EXPECT_TRUE(ShellTest::RunEventsUntil([&] { return !window.isVisible(); }));
}

TEST_F(MainWindowTest, GameOverBoxOpensOnceWhileTicksGoOn)
{
    ShellTest::WorldFolder folder("StartLevel=0\n");
    MainWindow window;
    Open(window);
    Game* game = window.View()->GetGame();
    ASSERT_NE(nullptr, game);

    int boxes = 0;
    QString title, text, scoreWhileOpen;
    // The first box ticks the lost world twice more before it is closed. Any other box is
    // counted and closed by a second timer, since a timer does not fire again while its
    // own handler is still running.
    QTimer firstBoxHandler;
    firstBoxHandler.setInterval(10);
    QObject::connect(&firstBoxHandler, &QTimer::timeout, [&] {
        QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || boxes > 0)
            return;
        box->setProperty("first", true);
        ++boxes;
        title = box->windowTitle();
        text = box->text();
        game->score = 99;
        window.on_Timer();
        window.on_Timer();
        scoreWhileOpen = Label(window, "score");
        box->done(QMessageBox::Ok);
    });
    QTimer otherBoxCloser;
    otherBoxCloser.setInterval(10);
    QObject::connect(&otherBoxCloser, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            QMessageBox* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible() && !box->property("first").toBool() && !box->property("closed").toBool()) {
                box->setProperty("closed", true);
                ++boxes;
                box->done(QMessageBox::Ok);
            }
        }
    });
    firstBoxHandler.start();
    otherBoxCloser.start();

    game->balls = 0;
    game->gameOver = true;
    window.on_Timer();
    EXPECT_EQ(1, boxes);
    EXPECT_EQ("Game Over", title);
    EXPECT_EQ("You lost. Please start a new game!", text);
    EXPECT_EQ("99", scoreWhileOpen);

    window.on_Timer();
    game->score = 7;
    EXPECT_TRUE(ShellTest::RunEventsUntil([&] { return Label(window, "score") == "7"; })); // a real tick
    EXPECT_EQ(1, boxes);
}

TEST_F(MainWindowTest, WithoutAWorldTicksAndTheButtonChangeNothing)
{
    ShellTest::WorldFolder folder(""); // no Config.cfg
    ShellTest::CapturedStdout out;
    MainWindow window;
    Open(window);
    EXPECT_EQ(nullptr, window.View()->GetGame());
    EXPECT_NE(std::string::npos, out.Text().find("ConfigFile not found"));

    window.on_Timer();
    window.on_CameraSwitch();
    window.UpdateRenderWindow();
    EXPECT_EQ("0", Label(window, "score"));
    EXPECT_EQ("0", Label(window, "balls"));
    EXPECT_EQ("1", Label(window, "level"));
}
