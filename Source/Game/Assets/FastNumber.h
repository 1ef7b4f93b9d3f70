#pragma once

#include <cstddef>
#include <string_view>

/// Number conversion for model text that agrees exactly with
/// boost::lexical_cast: plain decimal tokens take a fast path, everything else
/// (a leading '+', "inf", "nan", garbage) is handed to lexical_cast itself, so a
/// token it rejects is still rejected and one it accepts gives the same value.
namespace FastNumber {

/// Reads a plain decimal number at the start of `text`: the characters read,
/// 0 where the fast path does not apply. When the number is followed by the
/// end or a separator, the value is what lexical_cast gives for those characters.
std::size_t ReadPlainFloat(std::string_view text, float& value);

/// False where lexical_cast<float> would fail.
bool TryFloat(std::string_view token, float& value);
/// False where lexical_cast<int> would fail.
bool TryInt(std::string_view token, int& value);

/// As lexical_cast<float>: throws its bad_lexical_cast on failure.
float ToFloat(std::string_view token);
/// As lexical_cast<int>: throws its bad_lexical_cast on failure.
int ToInt(std::string_view token);

} // namespace FastNumber
