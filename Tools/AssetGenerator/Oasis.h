#pragma once

#include <string>

/// Ground height (world units, z up) of the oasis at (x, y): a lake floor below 0 under the
/// whole water grid (x -21..22, y -21..29), a beach and dunes above 0 outside it, and a rim of
/// high dunes towards the edge (|x|, |y| up to 100) that hides the sky below the horizon.
float TerrainHeight(float x, float y);

/// Writes Oasis/terrain.* and Oasis/trees.* with their textures below `root`.
void WriteOasis(const std::string& root);
