#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

/// What the game needs of the current OpenGL context, checked once after
/// `glewInit` so that a driver that lacks it is reported instead of crashing
/// at the first missing entry point.
class GLRequirements
{
public:
    /// Reads the context that is current now; `current` false says that the
    /// caller's own context could not be made or made current. `glewResult`
    /// is what `glewInit` returned.
    GLRequirements(bool current, GLenum glewResult);

    /// What is missing, each as a player-readable name; empty when all is there.
    const std::vector<std::string>& Missing() const { return missing; }
    /// Throws an `Exception` naming what is missing, the driver's version and
    /// renderer; does nothing when all is there.
    void ThrowIfMissing() const;

    /// Sampler objects (OpenGL 3.3) are optional: without them the particles
    /// keep their texture's own filtering.
    static bool HasSamplerObjects();

private:
    void Need(bool present, const char* what);

    std::vector<std::string> missing;
    std::string version;   // GL_VERSION, or "none" without a usable context
    std::string renderer;  // GL_RENDERER, or "none"
};
