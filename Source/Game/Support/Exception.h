#pragma once

#include <boost/assert/source_location.hpp>
#include <boost/current_function.hpp>
#include <boost/exception/all.hpp>
#include <boost/throw_exception.hpp>

#include <exception>
#include <ostream>
#include <string>

/// A file that failed to open or to be used, as shown in error reports.
class ex_file_class
{
public:
    /// `path` is kept as given; the full path is the working directory joined with it.
    explicit ex_file_class(const std::string& path);

    const std::string& Name() const { return name; }
    const std::string& FullPath() const { return fullPath; }

private:
    std::string name;     // the path as the thrower gave it
    std::string fullPath; // current working directory + name
};

/// Shader source numbered line by line for a compile report.
class ShaderSource
{
public:
    /// Prefixes a line end, then numbers every line as "N: ".
    explicit ShaderSource(const std::string& source);

    const std::string& Text() const { return text; }

private:
    std::string text;
};

/// Report text: name + " loaded at: " + full path.
std::ostream& operator<<(std::ostream& out, const ex_file_class& file);
std::ostream& operator<<(std::ostream& out, const ShaderSource& source);

/// The one error type every throw site of the game raises.
class Exception : public boost::exception, public std::exception
{
};

struct tag_error_message_tag;
struct tag_error_detail_tag;
struct tag_error_file_tag;
struct tag_error_model_tag;
struct tag_error_source_tag;

typedef boost::error_info<tag_error_message_tag, std::string> tag_error_message;
typedef boost::error_info<tag_error_detail_tag, std::string> tag_error_detail;
typedef boost::error_info<tag_error_file_tag, ex_file_class> tag_error_file;
typedef boost::error_info<tag_error_model_tag, std::string> tag_error_model;
typedef boost::error_info<tag_error_source_tag, ShaderSource> tag_error_source;

/// Throws `ex` recording the current function, the class's source file name
/// (for example "Game.cpp") and the catalogued line of that throw site.
/// Reports must name the file and line users look up, not build paths.
#define MIRAGE_THROW(ex, file, line) \
    ::boost::throw_exception((ex), ::boost::source_location((file), (line), BOOST_CURRENT_FUNCTION))

/// The diagnostic report of any exception, as the game prints it.
std::string DiagnosticReport(const std::exception& e);

/// Writes the report and a line end to standard output.
void PrintReport(const std::exception& e);
