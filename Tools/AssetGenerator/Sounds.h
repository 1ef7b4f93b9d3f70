#pragma once

#include <string>

/// Writes the game's sounds below `root`/Sounds, under the names the game
/// reads: one short effect per SoundEffect and the ambience, an oasis loop of wind and lapping water whose end runs on into its start.
/// Every effect starts and ends at 0 and peaks below full scale.
void WriteSounds(const std::string& root);
