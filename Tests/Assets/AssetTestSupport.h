#pragma once

#include "Support/Exception.h"

#include <string>

class StaticModel;

namespace AssetTestSupport {

/// A width x height RGB PNG written through DevIL.
void WritePng(const std::string& path, int width = 4, int height = 4);

/// Triangles that the model's Draw sends to GL (a primitives-generated query).
int CountDrawnTriangles(StaticModel& model);

/// A tag's text value, or "<absent>".
template <typename Tag>
std::string Info(const boost::exception& e)
{
    const auto* value = boost::get_error_info<Tag>(e);
    return value ? *value : std::string("<absent>");
}

/// Line number recorded at the throw site, or -1.
int ThrowLine(const boost::exception& e);

/// The source file name recorded at the throw site, or "".
std::string ThrowFile(const boost::exception& e);

/// Loads `path` into a fresh model and returns the Exception it throws;
/// fails the test when nothing or something else is thrown.
Exception LoadFailure(const std::string& path);

} // namespace AssetTestSupport
