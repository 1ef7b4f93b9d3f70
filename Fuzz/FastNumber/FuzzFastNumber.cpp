// The model parser's quick number conversion must accept exactly the tokens
// the lexical conversion accepts and give bit for bit the same values; a
// number read from the start of a line must be the one the lexical conversion
// gives for the characters read.
#include "Assets/FastNumber.h"

#include <boost/lexical_cast.hpp>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void CheckFloat(std::string_view token)
{
    float fast = 0.0f;
    float slow = 0.0f;
    const bool fastOk = FastNumber::TryFloat(token, fast);
    const bool slowOk = boost::conversion::try_lexical_convert(token.data(), token.size(), slow);
    if (fastOk != slowOk || (fastOk && std::memcmp(&fast, &slow, sizeof fast) != 0))
        std::abort();
}

void CheckPlainFloat(std::string_view text)
{
    float fast = 0.0f;
    const std::size_t length = FastNumber::ReadPlainFloat(text, fast);
    if (length == 0 || (length < text.size() && text[length] != ' '))
        return;
    float slow = 0.0f;
    if (!boost::conversion::try_lexical_convert(text.data(), length, slow) || std::memcmp(&fast, &slow, sizeof fast) != 0)
        std::abort();
}

void CheckInt(std::string_view token)
{
    int fast = 0;
    int slow = 0;
    const bool fastOk = FastNumber::TryInt(token, fast);
    const bool slowOk = boost::conversion::try_lexical_convert(token.data(), token.size(), slow);
    if (fastOk != slowOk || (fastOk && fast != slow))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view token(reinterpret_cast<const char*>(data), size);
    CheckFloat(token);
    CheckPlainFloat(token);
    CheckInt(token);
    return 0;
}
