// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberParsing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace tolvanor {
namespace {

constexpr double Largest = std::numeric_limits<double>::max();

TEST(NumberGrammar, NumbersAndLeadingNumberValues) {
    for (const char* text : {"12", "12.", ".5", "-.5", "+3", "1.5E3", "2e+07", "12.e2", " \t1 "})
        EXPECT_TRUE(IsNumberText(text)) << text;
    // "\24012" is a no-break space (byte 0xA0) before 12: only spaces and tabs are blanks.
    for (const char* text : {"",    " ",   "1e",  "1e+",  ".",   "-",   "-.", "1,5",     "1.2.3",  "--1",   "+-1",
                             "1 2", "inf", "nan", "0x10", "1d5", ".e5", "e5", "1.5E3.2", "12.5\n", "\24012"}) {
        EXPECT_FALSE(IsNumberText(text)) << text;
    }
    EXPECT_EQ(NumberPrefixLength("1.5e-3,4"), 6u);
    EXPECT_EQ(NumberPrefixLength(" 12"), 0u) << "the prefix does not skip blanks";
    // The leading-number value skips blanks and reads the longest number there, else 0; signs,
    // tails and out-of-range exponents after a number are checked against strtod elsewhere.
    const std::pair<std::string, double> cases[] = {
        // clang-format off
        {"+.5", 0.5}, {"", 0}, {"abc", 0}, {"- 5", 0}, {".e5", 0}, {"\n5", 0},
        {"1e99999999999999999999", Largest}, {std::string(400, '9'), Largest},
        // clang-format on
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(LeadingNumberValue(text), expected) << text;
}

// A type mismatch (not a number), an overflow (rounds to infinity in the
// target type) and tiny values (zero or a subnormal: fine), in 64 and 32 bits.
TEST(StrictConversion, TellsMismatchFromOverflowFromTinyInBothWidths) {
    using enum ConversionStatus;
    constexpr double Kept = 7; // a failed conversion leaves the value alone
    // The text, then status and value as a 64-bit and as a 32-bit float.
    const std::tuple<std::string, ConversionStatus, double, ConversionStatus, float> cases[] = {
        // clang-format off
        {" \t402511.37505\t ", Ok, 402511.37505, Ok, 402511.37505f},
        {"1e39", Ok, 1e39, Overflow, Kept}, {"-1e39", Ok, -1e39, Overflow, Kept},
        // Just below and at the halfway point between the largest float and 2^128, then doubles.
        {"3.40282356e38", Ok, 3.40282356e38, Ok, std::numeric_limits<float>::max()},
        {"3.4028236e38", Ok, 3.4028236e38, Overflow, Kept}, {"1.7976931348623158e308", Ok, Largest, Overflow, Kept},
        {"1.7976931348623159e308", Overflow, Kept, Overflow, Kept},
        {"1e99999999999999999999", Overflow, Kept, Overflow, Kept},
        {"1e-50", Ok, 1e-50, Ok, 0}, {"1e-400", Ok, 0, Ok, 0}, {"1e-99999999999999999999", Ok, 0, Ok, 0},
        {"0.000000000000000000000000000000001e-300", Ok, 0, Ok, 0}, {"0e999999999999999999999", Ok, 0, Ok, 0},
        {"1e-40", Ok, 1e-40, Ok, 1e-40f}, {"8e-46", Ok, 8e-46, Ok, std::numeric_limits<float>::denorm_min()},
        // Just below the halfway point of two floats: through a double it would
        // land on that point and round up; straight from the text it rounds down.
        {"1.0000001788139343", Ok, 1.0000001788139343, Ok, std::nextafter(1.0f, 2.0f)},
        {"1e39x", TypeMismatch, Kept, TypeMismatch, Kept}, // the grammar decides before the size
        {"  ", TypeMismatch, Kept, TypeMismatch, Kept}, {"inf", TypeMismatch, Kept, TypeMismatch, Kept},
        // clang-format on
    };
    for (const auto& [text, doubleStatus, doubleValue, floatStatus, floatValue] : cases) {
        double d = Kept;
        float f = Kept;
        EXPECT_EQ(StrictToDouble(text, d), doubleStatus) << text;
        EXPECT_EQ(d, doubleValue) << text;
        EXPECT_EQ(StrictToFloat(text, f), floatStatus) << text;
        EXPECT_EQ(f, floatValue) << text;
    }
}

} // namespace
} // namespace tolvanor
