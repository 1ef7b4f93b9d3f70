#pragma once

#include <string>

/// Writes the application icon as Icons/<N>x<N>.png below `root` for N = 32, 48, 64, 128 and
/// 256: RGBA, a rounded tile with a row of blocks, a ball and the paddle on the oasis water at
/// dusk. Drawn from shapes at each size (not scaled down), so small sizes stay crisp.
void WriteIcons(const std::string& root);
