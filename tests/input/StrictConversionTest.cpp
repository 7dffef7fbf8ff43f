// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's number conversions take a short road for plain decimals; it
// must give exactly what the general conversion gives.
#include "core/NumberParsing.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>

namespace tolvanor {
namespace {

template <typename Real> Real Reference(const std::string& text) {
    Real value{};
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    std::from_chars(first, text.data() + text.size(), value);
    return value;
}

template <typename Real> bool SameBits(Real a, Real b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(StrictConversion, PlainDecimalsReadExactlyAsTheGeneralConversion) {
    std::mt19937_64 random(99);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (random() % 4 == 0) text += random() % 2 ? "-" : "+";
        const int integerDigits = static_cast<int>(random() % 12);
        const int fractionDigits = static_cast<int>(random() % 12);
        for (int d = 0; d < integerDigits; ++d) text += static_cast<char>('0' + random() % 10);
        if (fractionDigits > 0 || random() % 2) text += '.';
        for (int d = 0; d < fractionDigits; ++d) text += static_cast<char>('0' + random() % 10);
        if (integerDigits + fractionDigits == 0) continue;

        double asDouble = 0;
        float asFloat = 0;
        ASSERT_EQ(StrictToDouble(text, asDouble), ConversionStatus::Ok) << text;
        ASSERT_EQ(StrictToFloat(text, asFloat), ConversionStatus::Ok) << text;
        ASSERT_TRUE(SameBits(asDouble, Reference<double>(text))) << text;
        ASSERT_TRUE(SameBits(asFloat, Reference<float>(text))) << text;
    }
}

TEST(StrictConversion, TheShortRoadKeepsSignsAndLeavesOtherTextsToTheGrammar) {
    double value = 7;
    EXPECT_EQ(StrictToDouble("-0", value), ConversionStatus::Ok);
    EXPECT_TRUE(std::signbit(value));
    EXPECT_EQ(StrictToDouble("1.2.3", value), ConversionStatus::TypeMismatch);
    EXPECT_EQ(LeadingNumberValue("  42,x"), 42);
    EXPECT_EQ(LeadingNumberValue("12.5"), 12.5);
    EXPECT_EQ(LeadingNumberValue("3e2"), 300);
    EXPECT_EQ(LeadingNumberValue("1234567890123456789"), 1234567890123456789.0);
}

} // namespace
} // namespace tolvanor
