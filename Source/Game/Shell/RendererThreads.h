#pragma once

#include "Shell/QtPlatform.h"

#include <string>

/// How many threads Mesa's software renderer is to draw with, as the text
/// LP_NUM_THREADS takes, or "" to leave the renderer's own choice: twice the
/// processor's `cores` on a machine of 2 to 4 of them, unless the player has
/// set the variable. Hardware drivers never read it.
std::string ChooseRendererThreads(const EnvironmentLookup& environment, unsigned cores);
