#pragma once

#include <string>

/// Writes the oasis ambience below `root`/Sounds: a wind loop without gusts
/// of its own (the game adds them) whose end runs on into its start, laps of
/// water, and the rarer details the game scatters among them. All but the
/// bird are at lower rates than the effects: there is little above a few kHz in them.
void WriteAmbience(const std::string& root);
