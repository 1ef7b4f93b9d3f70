#include "Support/Exception.h"

#include <boost/filesystem.hpp>

#include <iostream>

ex_file_class::ex_file_class(const std::string& path)
    : name(path)
    , fullPath((boost::filesystem::current_path() / path).string())
{
}

ShaderSource::ShaderSource(const std::string& source)
    : text("\n" + source)
{
    int number = 1;
    for (std::string::size_type pos = text.find('\n'); pos != std::string::npos; pos = text.find('\n', pos)) {
        const std::string label = std::to_string(number++) + ": ";
        text.insert(pos + 1, label);
        pos += 1 + label.size();
    }
}

std::ostream& operator<<(std::ostream& out, const ex_file_class& file)
{
    return out << file.Name() << " loaded at: " << file.FullPath();
}

std::ostream& operator<<(std::ostream& out, const ShaderSource& source)
{
    return out << source.Text();
}

std::string DiagnosticReport(const std::exception& e)
{
    return boost::diagnostic_information(e);
}

void PrintReport(const std::exception& e)
{
    std::cout << DiagnosticReport(e) << std::endl;
}
