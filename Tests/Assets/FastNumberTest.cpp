#include "Assets/FastNumber.h"

#include <boost/lexical_cast.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Tokens built from the pieces model files and broken files contain.
std::vector<std::string> GeneratedTokens(std::size_t count)
{
    std::mt19937 random(12345);
    const auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const char* const signs[] = {"", "", "-", "+", "--"};
    const char* const exponents[] = {"", "", "", "e", "E", "e+", "e-", "E-"};
    const char* const tails[] = {"", "", "", "", "f", " ", "x", ".", "e"};
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < count; ++i) {
        std::string token = signs[pick(5)];
        const std::size_t whole = pick(4) == 0 ? pick(45) : pick(4);
        for (std::size_t d = 0; d < whole; ++d)
            token += static_cast<char>('0' + (d == 0 && pick(3) == 0 ? 0 : pick(10)));
        if (pick(3) != 0) {
            token += '.';
            const std::size_t fraction = pick(5) == 0 ? pick(50) : pick(8);
            for (std::size_t d = 0; d < fraction; ++d)
                token += static_cast<char>('0' + pick(10));
        }
        const char* exponent = exponents[pick(8)];
        if (*exponent) {
            token += exponent;
            const std::size_t digits = pick(4);
            for (std::size_t d = 0; d < digits; ++d)
                token += static_cast<char>('0' + pick(10));
        }
        token += tails[pick(9)];
        tokens.push_back(token);
    }
    return tokens;
}

const std::vector<std::string> specialTokens = {
    "", "-", "+", ".", "-.", "0", "-0", "+0", "00000001.500000", ".5", "-.5", "5.", "inf", "-inf", "+inf", "INF",
    "Infinity", "nan", "-nan", "NaN", "nan(1)", "1e", "1e+", "1E-", "1e5", "1e+05", "3.4028235e38", "3.4028236e38",
    "1e39", "-1e39", "1e-39", "1e-46", "1e-50", "1.17549435e-38", "0x10", "1,5", "1.5f", "1..2", "\t1", " 1", "1 ",
    "2147483647", "2147483648", "-2147483648", "-2147483649", "99999999999999999999", "+7", "007", "1/2",
    "123456789012345678901234567890.123456789012345678901234567890e-20", "0.000001", "-0.000000",
};

bool SameFloat(float a, float b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(FastNumber, AgreesWithLexicalCastOnEveryToken)
{
    std::vector<std::string> tokens = GeneratedTokens(40000);
    tokens.insert(tokens.end(), specialTokens.begin(), specialTokens.end());
    std::size_t acceptedFloats = 0;
    for (const std::string& token : tokens) {
        SCOPED_TRACE("token \"" + token + "\"");
        float expectedFloat = 0.0f;
        const bool floatOk = boost::conversion::try_lexical_convert(token, expectedFloat);
        float fast = 0.0f;
        ASSERT_EQ(floatOk, FastNumber::TryFloat(token, fast));
        if (floatOk) {
            ++acceptedFloats;
            ASSERT_TRUE(SameFloat(expectedFloat, fast)) << expectedFloat << " vs " << fast;
            ASSERT_TRUE(SameFloat(expectedFloat, FastNumber::ToFloat(token)));
        } else {
            ASSERT_THROW(FastNumber::ToFloat(token), boost::bad_lexical_cast);
        }

        int expectedInt = 0;
        const bool intOk = boost::conversion::try_lexical_convert(token, expectedInt);
        int fastInt = 0;
        ASSERT_EQ(intOk, FastNumber::TryInt(token, fastInt));
        if (intOk) {
            ASSERT_EQ(expectedInt, fastInt);
            ASSERT_EQ(expectedInt, FastNumber::ToInt(token));
        } else {
            ASSERT_THROW(FastNumber::ToInt(token), boost::bad_lexical_cast);
        }
    }
    // The generator must exercise both outcomes in earnest.
    EXPECT_GT(acceptedFloats, tokens.size() / 5);
    EXPECT_LT(acceptedFloats, tokens.size() * 3 / 4);
}
