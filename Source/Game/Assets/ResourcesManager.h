#pragma once

#include <GL/glew.h>

#include <boost/shared_ptr.hpp>

#include <map>
#include <string>

class StaticModel;

/// Process-wide cache of textures and shared meshes, keyed by path exactly as
/// given ("Resources/..." relative to the working directory). Also sets up the
/// image library. Entries live until exit; GL textures are never deleted.
class ResourcesManager
{
public:
    /// Initialises DevIL; needs no GL context.
    ResourcesManager();
    ResourcesManager(const ResourcesManager&) = delete;
    ResourcesManager& operator=(const ResourcesManager&) = delete;

    /// The texture of `path`, loading it (mipmapped) on first request. A failed
    /// load is not remembered, so a later request reads the file again.
    /// Needs a current GL context.
    GLuint GetTexture(std::string path);

    /// The shared model of `path`, loading it on first request. The reference
    /// stays valid until exit; a failed load is not stored.
    StaticModel& GetModel(std::string path);

    /// Gives the shared models' GL buffers back; they are filled again at their
    /// next draw. Needs the context they were drawn in current: the view calls
    /// it while its own is, before the context or the application goes.
    void ReleaseModelBuffers();

private:
    GLuint LoadTexture(std::string path);

    // Declared in this order so that the models go before the textures at exit.
    std::map<std::string, GLuint> textures;                          // image path -> GL texture
    std::map<std::string, boost::shared_ptr<StaticModel>> models;    // model path -> loaded model
    bool glLimitsRead = false; // ILUT has seen a current GL context
};

/// The one instance, constructed before main runs.
extern ResourcesManager resourcesManager;
