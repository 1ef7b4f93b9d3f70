#pragma once

#include <GL/glew.h>

#include <string>

/// The one diffuse texture a submesh is drawn with. Held and copied by value.
class Material
{
public:
    Material() = default;

    /// Enables GL_TEXTURE_2D and binds `texture`; texturing stays enabled.
    virtual void Bind();
    /// Binds texture 0; GL_TEXTURE_2D stays enabled.
    virtual void Unbind();
    /// Fetches `path` through the resources manager, then stores it as `textureName`.
    /// A texture error leaves the material unchanged. Needs a current GL context.
    virtual void SetTexture(std::string path);

    GLuint texture = 0;      // GL texture name, 0 for none
    std::string textureName; // path relative to the working directory, empty for none
};
