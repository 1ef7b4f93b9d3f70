#pragma once

#include <string>

/// Writes the game pieces below `root`: Block, ExplosionBlock (dynamite), ExtraBlock (barrel),
/// LauncherBlock, Extra01 and Paddle, each an OBJ, its MTL and one texture.
void WritePieces(const std::string& root);
