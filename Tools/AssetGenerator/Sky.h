#pragma once

#include "Image.h"
#include "Mesh.h"

#include <string>

/// Colour of the desert sky seen in world direction `direction` (unit; z up): warm haze at the
/// horizon, blue overhead, the sun where the scene's light comes from, a few clouds.
Rgba SkyColour(V3 direction);

/// Writes SkySphere/ (unit sphere seen from inside and its texture) below `root`.
void WriteSkySphere(const std::string& root);

/// Writes the six cube-map faces of the same sky into `root`/Ball/.
void WriteSkyCubeFaces(const std::string& root);
