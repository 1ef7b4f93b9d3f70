#include "Assets/FastNumber.h"

#include <boost/lexical_cast.hpp>

#include <charconv>

namespace FastNumber {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// from_chars in general format reads a decimal number or "inf"/"nan"; a
// token that starts like a number and is read to its end is therefore a plain
// decimal (with or without exponent), which stream extraction reads the same
// way, correctly rounded. Everything else goes the slow way.
bool StartsLikeNumber(std::string_view token)
{
    const std::size_t first = !token.empty() && token[0] == '-' ? 1 : 0;
    return first < token.size() && (IsDigit(token[first]) || token[first] == '.');
}

template <typename Number>
bool TryFromChars(std::string_view token, Number& value)
{
    const char* end = token.data() + token.size();
    const std::from_chars_result result = std::from_chars(token.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// Up to nine plain digits cannot overflow; the usual face index.
bool TrySmallInt(std::string_view token, int& value)
{
    if (token.empty() || token.size() > 9)
        return false;
    int result = 0;
    for (char c : token) {
        if (!IsDigit(c))
            return false;
        result = result * 10 + (c - '0');
    }
    value = result;
    return true;
}

} // namespace

std::size_t ReadPlainFloat(std::string_view text, float& value)
{
    if (!StartsLikeNumber(text))
        return 0;
    const std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - text.data()) : 0;
}

bool TryFloat(std::string_view token, float& value)
{
    // Out-of-range values fail here and are settled by lexical_cast below.
    if (StartsLikeNumber(token) && TryFromChars(token, value))
        return true;
    return boost::conversion::try_lexical_convert(token.data(), token.size(), value);
}

bool TryInt(std::string_view token, int& value)
{
    if (TrySmallInt(token, value) || TryFromChars(token, value))
        return true;
    return boost::conversion::try_lexical_convert(token.data(), token.size(), value);
}

float ToFloat(std::string_view token)
{
    float value = 0.0f;
    if (StartsLikeNumber(token) && TryFromChars(token, value))
        return value;
    return boost::lexical_cast<float>(token.data(), token.size());
}

int ToInt(std::string_view token)
{
    int value = 0;
    if (TrySmallInt(token, value) || TryFromChars(token, value))
        return value;
    return boost::lexical_cast<int>(token.data(), token.size());
}

} // namespace FastNumber
