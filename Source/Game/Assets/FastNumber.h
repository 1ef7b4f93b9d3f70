#pragma once

#include <string_view>

/// Number conversion for model text that agrees exactly with
/// boost::lexical_cast: plain decimal tokens take a fast path, everything else
/// (a leading '+', "inf", "nan", garbage) is handed to lexical_cast itself, so a
/// token it rejects is still rejected and one it accepts gives the same value.
namespace FastNumber {

/// False where lexical_cast<float> would fail.
bool TryFloat(std::string_view token, float& value);
/// False where lexical_cast<int> would fail.
bool TryInt(std::string_view token, int& value);

/// As lexical_cast<float>: throws its bad_lexical_cast on failure.
float ToFloat(std::string_view token);
/// As lexical_cast<int>: throws its bad_lexical_cast on failure.
int ToInt(std::string_view token);

} // namespace FastNumber
