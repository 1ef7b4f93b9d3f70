#include "Assets/MaterialLib.h"

#include "Support/Exception.h"

#include <boost/algorithm/string.hpp>

#include <fstream>
#include <vector>

namespace {

// Blanks, carriage returns and line feeds; tabs are ordinary characters.
bool IsLineBlank(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

} // namespace

void MaterialLib::Load(std::string file, std::string directory)
{
    const std::string path = directory + file;
    std::ifstream in(path.c_str());
    if (!in) {
        Exception e;
        e << tag_error_message("MaterialLib not found") << tag_error_file(ex_file_class(path));
        MIRAGE_THROW(e, "MaterialLib.cpp", 20);
    }

    std::string current;
    std::string line;
    std::vector<std::string> tokens;
    while (std::getline(in, line)) {
        boost::trim_if(line, IsLineBlank);
        if (line.empty())
            continue;
        // Adjacent blanks are not merged: they give empty tokens.
        boost::split(tokens, line, [](char c) { return c == ' '; });
        if (tokens.size() < 2)
            continue;
        if (tokens[0] == "newmtl") {
            current = tokens[1];
            materials[current] = Material();
        } else if (tokens[0] == "map_Kd") {
            Material& entry = materials[current];
            Material copy = entry;
            std::string texturePath = tokens[1];
            boost::replace_all(texturePath, "\\", "/");
            copy.SetTexture(directory + texturePath);
            entry.texture = copy.texture;
            entry.textureName = copy.textureName;
        }
    }
}

Material MaterialLib::GetMaterial(std::string name)
{
    const auto found = materials.find(name);
    if (found == materials.end()) {
        Exception e;
        e << tag_error_message("Material not found") << tag_error_detail(name);
        MIRAGE_THROW(e, "MaterialLib.cpp", 57);
    }
    return found->second;
}
