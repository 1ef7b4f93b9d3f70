#pragma once

#include <string>

/// Writes Oasis/trees.obj: a handful of date palms on the lake shore, with a trunk texture
/// and fronds whose alpha is cut out for the scene's alpha test.
void WriteTrees(const std::string& root);
