#pragma once

#include "Support/Exception.h"

#include <boost/lexical_cast.hpp>

#include <map>
#include <string>

/// Key=value settings read once from a text file.
class ConfigFile
{
public:
    /// Reads the whole file; throws "ConfigFile not found" or
    /// "Could not parse ConfigFile Line" on the first problem.
    explicit ConfigFile(std::string path);

    /// Throws "Value not found" for an absent key; a value that does not
    /// convert lets boost::bad_lexical_cast through untouched.
    template <typename T>
    T GetValue(std::string key) const
    {
        return boost::lexical_cast<T>(RawValue(key));
    }

private:
    const std::string& RawValue(const std::string& key) const;

    std::map<std::string, std::string> values; // last line of a key wins
};
