#pragma once

#include "Support/Exception.h"

#include <boost/lexical_cast.hpp>

#include <map>
#include <optional>
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
    /// Thrown here, not in a helper, so that the report names this operation.
    template <typename T>
    T GetValue(std::string key) const
    {
        const std::string* text = Find(key);
        if (!text) {
            Exception e;
            e << tag_error_message("Value not found") << tag_error_detail(key);
            MIRAGE_THROW(e, "ConfigFile.cpp", 31);
        }
        return boost::lexical_cast<T>(*text);
    }

    /// The text stored for `key`, or null when the file has no such key.
    const std::string* Find(const std::string& key) const;

    /// An optional key's value: none when it is absent or does not convert.
    /// Never throws and never reports, unlike GetValue.
    template <typename T>
    std::optional<T> FindValue(const std::string& key) const
    {
        const std::string* text = Find(key);
        T value;
        if (text && boost::conversion::try_lexical_convert(*text, value))
            return value;
        return std::nullopt;
    }

private:

    std::map<std::string, std::string> values; // last line of a key wins
};
