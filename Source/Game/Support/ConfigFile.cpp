#include "Support/ConfigFile.h"

#include <boost/algorithm/string.hpp>

#include <fstream>
#include <vector>

ConfigFile::ConfigFile(std::string path)
{
    std::ifstream file(path.c_str());
    if (!file.is_open()) {
        Exception e;
        e << tag_error_message("ConfigFile not found") << tag_error_file(ex_file_class(path));
        MIRAGE_THROW(e, "ConfigFile.cpp", 16);
    }
    std::string line;
    while (std::getline(file, line)) {
        boost::algorithm::trim_if(line, boost::algorithm::is_any_of(" \r\n"));
        boost::algorithm::erase_all(line, " ");
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> pieces;
        boost::algorithm::split(pieces, line, boost::algorithm::is_any_of("="));
        if (pieces.size() != 2) {
            Exception e;
            e << tag_error_message("Could not parse ConfigFile Line") << tag_error_detail(line)
              << tag_error_file(ex_file_class(path));
            MIRAGE_THROW(e, "ConfigFile.cpp", 35);
        }
        values[pieces[0]] = pieces[1];
    }
}

const std::string* ConfigFile::Find(const std::string& key) const
{
    auto it = values.find(key);
    return it == values.end() ? nullptr : &it->second;
}
