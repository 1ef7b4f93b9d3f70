#include "Assets/FastNumber.h"

#include <boost/lexical_cast.hpp>

#include <charconv>

namespace FastNumber {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips a run of digits from `at`; returns how many there were.
std::size_t SkipDigits(std::string_view token, std::size_t& at)
{
    const std::size_t start = at;
    while (at < token.size() && IsDigit(token[at]))
        ++at;
    return at - start;
}

// [-] digits [. digits] [(e|E) [+|-] digits], at least one mantissa digit.
// Both from_chars and stream extraction read such a token the same way,
// correctly rounded; anything outside this shape goes the slow way.
bool IsPlainDecimal(std::string_view token)
{
    std::size_t at = 0;
    if (at < token.size() && token[at] == '-')
        ++at;
    std::size_t digits = SkipDigits(token, at);
    if (at < token.size() && token[at] == '.') {
        ++at;
        digits += SkipDigits(token, at);
    }
    if (digits == 0)
        return false;
    if (at < token.size() && (token[at] == 'e' || token[at] == 'E')) {
        ++at;
        if (at < token.size() && (token[at] == '+' || token[at] == '-'))
            ++at;
        if (SkipDigits(token, at) == 0)
            return false;
    }
    return at == token.size();
}

template <typename Number>
bool TryFromChars(std::string_view token, Number& value)
{
    const char* end = token.data() + token.size();
    const std::from_chars_result result = std::from_chars(token.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

} // namespace

bool TryFloat(std::string_view token, float& value)
{
    // Out-of-range values fail here and are settled by lexical_cast below.
    if (IsPlainDecimal(token) && TryFromChars(token, value))
        return true;
    return boost::conversion::try_lexical_convert(token.data(), token.size(), value);
}

bool TryInt(std::string_view token, int& value)
{
    if (TryFromChars(token, value))
        return true;
    return boost::conversion::try_lexical_convert(token.data(), token.size(), value);
}

float ToFloat(std::string_view token)
{
    float value = 0.0f;
    if (IsPlainDecimal(token) && TryFromChars(token, value))
        return value;
    return boost::lexical_cast<float>(token.data(), token.size());
}

int ToInt(std::string_view token)
{
    int value = 0;
    if (TryFromChars(token, value))
        return value;
    return boost::lexical_cast<int>(token.data(), token.size());
}

} // namespace FastNumber
