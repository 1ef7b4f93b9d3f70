#pragma once

#include <string>

/// Writes Particles/Rauch.png (smoke puff), Sparkle.png (star) and Fire.png (fire ball) below
/// `root`: RGBA with soft alpha that is 0 at the border, in light colours the systems tint.
void WriteSprites(const std::string& root);
