#pragma once

#include <functional>
#include <string>

/// Reads an environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

/// The Qt platform plugin the game asks for, or "" to leave the choice to Qt.
/// On a Wayland session, when the player has not named one in
/// QT_QPA_PLATFORM, it is X11 through XWayland: a Wayland client cannot move
/// the cursor, and steering pulls the hidden cursor back after every move.
/// Without an X display to reach (no DISPLAY) Qt chooses as usual.
std::string ChooseQtPlatform(const EnvironmentLookup& environment);

/// What every program that opens the game's window does before it creates the
/// Qt application: the platform above, the software renderer's threads
/// (`ChooseRendererThreads`), and GL contexts that share their objects, so the
/// process-wide model and texture cache is valid in each.
void PrepareQtApplication();
