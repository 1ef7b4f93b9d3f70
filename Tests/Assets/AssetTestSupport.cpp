#include "Assets/AssetTestSupport.h"

#include <GL/glew.h>

#include "Assets/StaticModel.h"

#include <IL/il.h>
#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace AssetTestSupport {

void WritePng(const std::string& path, int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 3));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(i * 37);
    boost::filesystem::create_directories(boost::filesystem::path(path).parent_path());
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    ASSERT_TRUE(ilSave(IL_PNG, path.c_str())) << path;
    ilDeleteImages(1, &image);
}

int CountDrawnTriangles(StaticModel& model)
{
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    model.Draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint triangles = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
    glDeleteQueries(1, &query);
    return static_cast<int>(triangles);
}

int ThrowLine(const boost::exception& e)
{
    const int* line = boost::get_error_info<boost::throw_line>(e);
    return line ? *line : -1;
}

std::string ThrowFile(const boost::exception& e)
{
    const char* const* file = boost::get_error_info<boost::throw_file>(e);
    return file ? *file : "";
}

Exception LoadFailure(const std::string& path)
{
    StaticModel model;
    try {
        model.Load(path);
    } catch (const Exception& e) {
        return e;
    } catch (...) {
        ADD_FAILURE() << "Load of " << path << " threw something other than Exception";
        return Exception();
    }
    ADD_FAILURE() << "Load of " << path << " did not fail";
    return Exception();
}

} // namespace AssetTestSupport
