#pragma once

#include "Assets/Material.h"

#include <map>
#include <string>

/// The materials of the MTL files named by one OBJ file; lives for one parse.
/// Only "newmtl" and "map_Kd" lines are read.
class MaterialLib
{
public:
    /// Reads directory + file and adds its materials; a later definition of a
    /// name replaces the earlier one. Throws "MaterialLib not found" when the
    /// file does not open; texture errors pass through.
    void Load(std::string file, std::string directory);

    /// A copy of the material of that exact name; throws "Material not found".
    Material GetMaterial(std::string name);

private:
    std::map<std::string, Material> materials; // by name, compared byte by byte
};
