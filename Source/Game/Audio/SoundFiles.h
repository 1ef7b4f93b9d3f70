#pragma once

#include "Audio/SoundEvents.h"

#include <cstddef>

/// The sound files under "Resources/Sounds/", named once for the game that
/// reads them and the asset generator that writes them.
namespace SoundFiles {

inline constexpr const char* folder = "Resources/Sounds/";

/// One file per SoundEffect, in its order.
inline constexpr const char* effects[] = {
    "Launch.wav",     "BlockHit.wav",     "BlockBreak.wav", "Explosion.wav",
    "Release.wav",    "ExtraCaught.wav",  "BallLost.wav",   "WallBounce.wav",
    "PaddleBounce.wav", "LevelCleared.wav", "GameOver.wav",
};
static_assert(sizeof(effects) / sizeof(effects[0]) == static_cast<std::size_t>(SoundEffect::Count),
              "one file per effect");

/// The wind under everything, looped; its end runs on into its start.
inline constexpr const char* wind = "Wind.wav";
/// Water lapping at the shore; one is picked at random each time.
inline constexpr const char* laps[] = {"Lap1.wav", "Lap2.wav", "Lap3.wav"};
/// Rarer details: a palm frond, a distant bird, a ripple close by.
inline constexpr const char* details[] = {"Frond.wav", "Bird.wav", "Ripple.wav"};

} // namespace SoundFiles
