#include <GL/glew.h>

#include "Shell/MainWindow.h"

#include "Core/Game.h"
#include "Shell/GLView.h"
#include "Support/Exception.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

#include <sstream>

namespace {

// The Game Over box is shown once per process, however many ticks report the loss.
bool gameOverShown = false;

// Decimal text in the global locale (digit grouping included, none by default).
QString DecimalText(int value)
{
    std::ostringstream text;
    text << value;
    return QString::fromLatin1(text.str().c_str());
}

} // namespace

MainWindow::MainWindow()
    : QMainWindow()
    , view(nullptr)
    , viewContainer(nullptr)
{
    QWidget* central = new QWidget(this);
    BuildCentralWidget(central);
    setCentralWidget(central);
    BuildMenu();
    timer.setInterval(20);
    timer.setSingleShot(false);
    timer.start();
}

void MainWindow::BuildCentralWidget(QWidget* central)
{
    QVBoxLayout* layout = new QVBoxLayout(central);
    // The view is a window of its own (a window receives moves without a held
    // button, so they steer the paddle too); its container takes its place in
    // the layout and owns it.
    view = new GLView();
    viewContainer = QWidget::createWindowContainer(view, central);
    viewContainer->setMinimumSize(150, 300);
    layout->addWidget(viewContainer, 1);
    QWidget* formWidget = new QWidget(central);
    form.setupUi(formWidget);
    layout->addWidget(formWidget, 0);
    connect(&timer, SIGNAL(timeout()), this, SLOT(on_Timer()));
    connect(form.CameraButton, SIGNAL(clicked()), this, SLOT(on_CameraSwitch()));
}

void MainWindow::BuildMenu()
{
    QMenu* fileMenu = new QMenu(this);
    fileMenu->setTitle("&File");
    QAction* exitAction = fileMenu->addAction("E&xit", this, SLOT(close()));
    exitAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    menuBar()->addMenu(fileMenu);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    view->InitializeNow();
}

void MainWindow::UpdateRenderWindow()
{
    view->RenderNow();
}

void MainWindow::on_Timer()
{
    Game* game = view->GetGame();
    if (!game)
        return; // building the world failed and was reported: nothing to tick
    // An error leaving the world is reported; the clock keeps running.
    try {
        const float dt = static_cast<float>(static_cast<double>(timer.interval()) / 1000.0);
        // A tick builds and deletes balls, which create and release GL objects.
        view->makeCurrent();
        game->Update(dt);
        view->RenderNow();
        ShowCounters(*game);
        AnnounceGameOver(*game);
    } catch (const std::exception& e) {
        PrintReport(e);
    }
}

void MainWindow::on_CameraSwitch()
{
    if (Game* game = view->GetGame())
        ++game->cameraMode;
}

void MainWindow::ShowCounters(const Game& game)
{
    form.score->setText(DecimalText(game.score));
    form.balls->setText(DecimalText(game.balls));
    form.level->setText(DecimalText(game.level));
}

void MainWindow::AnnounceGameOver(const Game& game)
{
    if (gameOverShown || !game.IsGameOver())
        return;
    // Set before the box opens: its own event loop keeps delivering ticks.
    gameOverShown = true;
    QMessageBox::information(this, "Game Over", "You lost. Please start a new game!", QMessageBox::Ok,
                             QMessageBox::NoButton);
}
