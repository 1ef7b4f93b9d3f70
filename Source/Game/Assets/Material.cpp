#include "Assets/Material.h"

#include "Assets/ResourcesManager.h"

void Material::Bind()
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
}

void Material::Unbind()
{
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Material::SetTexture(std::string path)
{
    texture = resourcesManager.GetTexture(path);
    textureName = path;
}
