#include "Assets/ResourcesManager.h"

#include "Assets/StaticModel.h"
#include "Support/Exception.h"

#include <IL/il.h>
#include <IL/ilu.h>
// ILUT declares its OpenGL functions only on request.
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

ResourcesManager resourcesManager;

ResourcesManager::ResourcesManager()
{
    ilInit();
    iluInit();
    ilutInit();
    ilEnable(IL_CONV_PAL);
    ilutEnable(ILUT_OPENGL_CONV);
    ilutRenderer(ILUT_OPENGL);
    // Rows bottom first, as OpenGL expects, whatever the file stores.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
}

GLuint ResourcesManager::GetTexture(std::string path)
{
    const auto found = textures.find(path);
    if (found != textures.end())
        return found->second;
    const GLuint texture = LoadTexture(path);
    textures[path] = texture;
    return texture;
}

StaticModel& ResourcesManager::GetModel(std::string path)
{
    const auto found = models.find(path);
    if (found != models.end())
        return *found->second;
    boost::shared_ptr<StaticModel> model(new StaticModel());
    model->Load(path);
    models[path] = model;
    return *model;
}

void ResourcesManager::ReleaseModelBuffers()
{
    for (auto& [path, model] : models)
        model->ReleaseBuffers();
}

GLuint ResourcesManager::LoadTexture(std::string path)
{
    // Set up before main, ILUT could not ask GL for its texture size limit and
    // assumed 256, which would shrink every larger image. Ask again now that a
    // context is current.
    if (!glLimitsRead) {
        ilutRenderer(ILUT_OPENGL);
        glLimitsRead = true;
    }
    // A stale code from an earlier call must not fail this load.
    while (ilGetError() != IL_NO_ERROR) {
    }

    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilLoadImage(path.c_str());
    const ILenum error = ilGetError();
    if (error != IL_NO_ERROR) {
        ilDeleteImages(1, &image);
        Exception e;
        e << tag_error_message("Texture couldn't be loaded") << tag_error_file(ex_file_class(path))
          << tag_error_detail(iluErrorString(error));
        MIRAGE_THROW(e, "ResourcesManager.cpp", 52);
    }

    const GLuint texture = ilutGLBindMipmaps();
    ilDeleteImages(1, &image);
    if (texture == 0) {
        Exception e;
        e << tag_error_message("Texture couldn't be created") << tag_error_file(ex_file_class(path));
        MIRAGE_THROW(e, "ResourcesManager.cpp", 68);
    }
    return texture;
}
