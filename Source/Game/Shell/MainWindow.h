#pragma once

#include "ui_SettingsForm.h"

#include <QMainWindow>
#include <QTimer>

class Game;
class GLView;

/// Widget pointers of the head-up form, filled by its set-up.
using SettingsFormUi = Ui::SettingsForm;

/// The application window: the GL view above a one-line head-up form with score,
/// balls, level and the camera button, a File menu with Exit, and the 20 ms timer
/// that is the game's only clock.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();

    GLView* View() const { return view; }
    /// The widget that holds the view's window in the layout.
    QWidget* ViewContainer() const { return viewContainer; }
    /// The game clock, for tools that step the ticks themselves.
    QTimer& Clock() { return timer; }

public slots:
    /// Repaints the view at once.
    void UpdateRenderWindow();
    /// One game tick: a fixed 0.02 s step, the repaint, the labels, the Game Over box once.
    void on_Timer();
    /// Advances the world's camera mode by one.
    void on_CameraSwitch();

protected:
    /// The view's world is built here, so it exists before the first tick.
    void showEvent(QShowEvent* event) override;

private:
    void BuildCentralWidget(QWidget* central);
    void BuildMenu();
    void ShowCounters(const Game& game);
    void AnnounceGameOver(const Game& game);

    SettingsFormUi form;
    GLView* view;           // owned by its container
    QWidget* viewContainer; // owned through the central widget
    QTimer timer;  // the game clock
};
