#pragma once

#include <string>

/// Writes the game's sounds below `root`/Sounds: one short effect per event
/// (Launch, BlockHit, BlockBreak, Explosion, Release, ExtraCaught, BallLost,
/// WallBounce, PaddleBounce, LevelCleared, GameOver) and Ambience.wav, an
/// oasis loop of wind and lapping water whose end runs on into its start.
/// Every effect starts and ends at 0 and peaks below full scale.
void WriteSounds(const std::string& root);
