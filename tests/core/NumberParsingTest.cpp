// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberParsing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tolvanor {
namespace {

TEST(NumberGrammar, AcceptsEveryDigitShape) {
    for (const char* text : {"12", "12.", "12.5", ".5", "-.5", "+3", "1.5E3", "1.5e-3", "2e+07", "12.e2", "0", "007"}) {
        EXPECT_TRUE(IsNumberText(text)) << text;
    }
}

TEST(NumberGrammar, RejectsWhatIsNotANumber) {
    for (const char* text : {"",    " ",   "1e",  "1e+", ".",   "-",    "+",   "-.",  "1,5", "1.2.3",
                             "--1", "+-1", "1 2", "inf", "nan", "0x10", "1d5", ".e5", "e5",  "1.5E3.2"}) {
        EXPECT_FALSE(IsNumberText(text)) << text;
    }
}

TEST(NumberGrammar, SurroundingSpacesAndTabsAreAllowed) {
    EXPECT_TRUE(IsNumberText(" \t12.5 \t"));
    EXPECT_FALSE(IsNumberText("12.5\n"));
    EXPECT_FALSE(IsNumberText("\xa0"
                              "12"));
}

TEST(NumberGrammar, PrefixIsTheLongestNumberAtTheStart) {
    EXPECT_EQ(NumberPrefixLength("12abc"), 2u);
    EXPECT_EQ(NumberPrefixLength("1e"), 1u);
    EXPECT_EQ(NumberPrefixLength("1e+x"), 1u);
    EXPECT_EQ(NumberPrefixLength("1.5e-3,4"), 6u);
    EXPECT_EQ(NumberPrefixLength("-.5."), 3u);
    EXPECT_EQ(NumberPrefixLength("12..5"), 3u);
    EXPECT_EQ(NumberPrefixLength("."), 0u);
    EXPECT_EQ(NumberPrefixLength(" 12"), 0u) << "the prefix does not skip blanks";
    EXPECT_EQ(NumberPrefixLength(""), 0u);
}

TEST(LeadingNumberValue, ReadsTheNumberAfterLeadingBlanks) {
    EXPECT_EQ(LeadingNumberValue("12"), 12);
    EXPECT_EQ(LeadingNumberValue("  \t-3.5e2x"), -350);
    EXPECT_EQ(LeadingNumberValue("12abc"), 12);
    EXPECT_EQ(LeadingNumberValue("1 2"), 1) << "a blank ends the number";
    EXPECT_EQ(LeadingNumberValue("1,5"), 1);
    EXPECT_EQ(LeadingNumberValue("1e"), 1);
    EXPECT_EQ(LeadingNumberValue("+.5"), 0.5);
    EXPECT_EQ(LeadingNumberValue("5."), 5);
}

TEST(LeadingNumberValue, NoNumberGivesZero) {
    for (const char* text : {"", "   ", "abc", "- 5", ".e5", "\n5", "E5"}) {
        EXPECT_EQ(LeadingNumberValue(text), 0) << text;
    }
}

TEST(LeadingNumberValue, ExtremesSaturateOrVanish) {
    EXPECT_EQ(LeadingNumberValue("1e400"), std::numeric_limits<double>::max());
    EXPECT_EQ(LeadingNumberValue("-1e400"), -std::numeric_limits<double>::max());
    EXPECT_EQ(LeadingNumberValue("1e-400"), 0);
    EXPECT_EQ(LeadingNumberValue("1e-99999999999999999999"), 0);
    EXPECT_EQ(LeadingNumberValue("1e99999999999999999999"), std::numeric_limits<double>::max());
    EXPECT_EQ(LeadingNumberValue(std::string(400, '9')), std::numeric_limits<double>::max());
}

TEST(StrictConversion, AcceptsNumbersWithSurroundingBlanks) {
    double d = 0;
    EXPECT_EQ(StrictToDouble(" \t402511.37505\t ", d), ConversionStatus::Ok);
    EXPECT_EQ(d, 402511.37505);
    EXPECT_EQ(StrictToDouble("+5", d), ConversionStatus::Ok);
    EXPECT_EQ(d, 5);
    EXPECT_EQ(StrictToDouble("-.5", d), ConversionStatus::Ok);
    EXPECT_EQ(d, -0.5);
    float f = 0;
    EXPECT_EQ(StrictToFloat("12.", f), ConversionStatus::Ok);
    EXPECT_EQ(f, 12.0f);
}

TEST(StrictConversion, AnythingElseIsATypeMismatch) {
    double d = 7;
    float f = 7;
    for (const char* text : {"", "  ", "1e", "12 3", "1,5", "abc", "inf", "nan", "0x1p3", "12m", ".", "-"}) {
        EXPECT_EQ(StrictToDouble(text, d), ConversionStatus::TypeMismatch) << text;
        EXPECT_EQ(StrictToFloat(text, f), ConversionStatus::TypeMismatch) << text;
    }
    EXPECT_EQ(d, 7) << "a failed conversion leaves the value alone";
    EXPECT_EQ(f, 7);
    // The grammar decides before the size does.
    EXPECT_EQ(StrictToFloat("1e39x", f), ConversionStatus::TypeMismatch);
}

TEST(StrictConversion, OverflowIsRoundingToInfinityInTheTargetType) {
    float f = 0;
    double d = 0;
    EXPECT_EQ(StrictToFloat("1e39", f), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToFloat("-1e39", f), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToDouble("1e39", d), ConversionStatus::Ok);
    // Just below the float halfway point to 2^128 rounds to the largest float.
    EXPECT_EQ(StrictToFloat("3.40282356e38", f), ConversionStatus::Ok);
    EXPECT_EQ(f, std::numeric_limits<float>::max());
    EXPECT_EQ(StrictToFloat("3.4028236e38", f), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToDouble("1.7976931348623158e308", d), ConversionStatus::Ok);
    EXPECT_EQ(d, std::numeric_limits<double>::max());
    EXPECT_EQ(StrictToDouble("1.7976931348623159e308", d), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToDouble("-1e309", d), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToDouble("1e99999999999999999999", d), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToDouble(std::string(400, '9'), d), ConversionStatus::Overflow);
}

TEST(StrictConversion, TinyValuesAreNotOverflows) {
    float f = 1;
    double d = 1;
    EXPECT_EQ(StrictToFloat("1e-50", f), ConversionStatus::Ok);
    EXPECT_EQ(f, 0);
    EXPECT_EQ(StrictToDouble("1e-400", d), ConversionStatus::Ok);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(StrictToDouble("1e-99999999999999999999", d), ConversionStatus::Ok);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(StrictToDouble("0.000000000000000000000000000000001e-300", d), ConversionStatus::Ok);
    EXPECT_EQ(d, 0);
    // A float too small to be normal keeps its nearest subnormal value.
    EXPECT_EQ(StrictToFloat("1e-40", f), ConversionStatus::Ok);
    EXPECT_EQ(f, 1e-40f);
    EXPECT_EQ(StrictToFloat("8e-46", f), ConversionStatus::Ok);
    EXPECT_EQ(f, std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(StrictToDouble("0e999999999999999999999", d), ConversionStatus::Ok);
    EXPECT_EQ(d, 0);
}

TEST(StrictConversion, FloatsRoundOnceFromTheDecimalText) {
    // Just below the halfway point between 1+2^-23 and 1+2^-22. Through a
    // double it would land exactly on the halfway point and round to even
    // (up); straight from the text it rounds down.
    float f = 0;
    EXPECT_EQ(StrictToFloat("1.0000001788139343", f), ConversionStatus::Ok);
    EXPECT_EQ(f, std::nextafter(1.0f, 2.0f));
    EXPECT_EQ(static_cast<float>(1.0000001788139343), std::nextafter(std::nextafter(1.0f, 2.0f), 2.0f));
    EXPECT_EQ(StrictToFloat("0.1", f), ConversionStatus::Ok);
    EXPECT_EQ(f, 0.1f);
}

} // namespace
} // namespace tolvanor
