#pragma once

#include <string>

/// Writes the game's sounds below `root`/Sounds: one short effect per
/// SoundEffect, under the names the game reads, and the oasis ambience.
/// Every effect starts and ends at 0 and peaks below full scale.
void WriteSounds(const std::string& root);
