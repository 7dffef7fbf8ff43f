// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneralText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace tolvanor {
namespace {

TEST(GeneralText, SinglesWriteSevenSignificantDigits) {
    EXPECT_EQ(GeneralText(0.5f), "0.5");
    EXPECT_EQ(GeneralText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(GeneralText(1234567.0f), "1234567");
    EXPECT_EQ(GeneralText(0.1f), "0.1");
    EXPECT_EQ(GeneralText(12.3f), "12.3");
    EXPECT_EQ(GeneralText(-1.5e-7f), "-1.5E-07");
    EXPECT_EQ(GeneralText(0.0001f), "0.0001");
    EXPECT_EQ(GeneralText(0.00001f), "1E-05");
    EXPECT_EQ(GeneralText(std::numeric_limits<float>::max()), "3.402823E+38");
}

TEST(GeneralText, DoublesWriteFifteenSignificantDigits) {
    EXPECT_EQ(GeneralText(0.5), "0.5");
    EXPECT_EQ(GeneralText(0.00001), "1E-05");
    EXPECT_EQ(GeneralText(0.1), "0.1");
    EXPECT_EQ(GeneralText(402511.37505), "402511.37505");
    EXPECT_EQ(GeneralText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralText(1234567890123456.0), "1.23456789012346E+15");
    EXPECT_EQ(GeneralText(static_cast<double>(0.1f)), "0.100000001490116");
    EXPECT_EQ(GeneralText(1e300), "1E+300");
    EXPECT_EQ(GeneralText(-2.5), "-2.5");
}

TEST(GeneralText, ZeroIsPlainZero) {
    EXPECT_EQ(GeneralText(0.0), "0");
    EXPECT_EQ(GeneralText(-0.0), "0");
    EXPECT_EQ(GeneralText(-0.0f), "0");
    EXPECT_EQ(GeneralText(std::int64_t{0}), "0");
}

TEST(GeneralText, IntegersArePlainDecimal) {
    EXPECT_EQ(GeneralText(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(GeneralText(std::int32_t{2147483647}), "2147483647");
    EXPECT_EQ(GeneralText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(GeneralText, PropertyMatchesPercentG) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> exponent(-12, 20);
    for (int trial = 0; trial < 20000; ++trial) {
        double value = std::pow(10.0, exponent(random));
        if (trial % 3 == 0) value = std::round(value);
        if (trial % 2 == 1) value = -value;
        if (value == 0) continue; // printf writes "-0"; zero has its own rule
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.15G", value);
        ASSERT_EQ(GeneralText(value), expected);
        const auto single = static_cast<float>(value);
        std::snprintf(expected, sizeof expected, "%.7G", static_cast<double>(single));
        ASSERT_EQ(GeneralText(single), expected);
    }
}

TEST(LeadingBlankText, OnlyNonNegativeNumbersGetTheBlank) {
    EXPECT_EQ(LeadingBlankText(12), " 12");
    EXPECT_EQ(LeadingBlankText(0), " 0");
    EXPECT_EQ(LeadingBlankText(-3), "-3");
    EXPECT_EQ(LeadingBlankText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(ShortestText, WritesTheShortestTextThatReadsBack) {
    EXPECT_EQ(ShortestText(0.0), "0");
    EXPECT_EQ(ShortestText(-0.0), "0");
    EXPECT_EQ(ShortestText(-0.0f), "0");
    EXPECT_EQ(ShortestText(12.5), "12.5");
    EXPECT_EQ(ShortestText(0.00001), "1e-05");
    EXPECT_EQ(ShortestText(402511.37505), "402511.37505");
    EXPECT_EQ(ShortestText(0.1f), "0.1") << "a float is written as a float, not as its double";
    EXPECT_EQ(ShortestText(static_cast<double>(0.1f)), "0.10000000149011612");
    EXPECT_EQ(ShortestText(-3.0f), "-3");
}

TEST(ShortestText, PropertyReadsBackExactly) {
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> exponent(-40, 40);
    for (int trial = 0; trial < 20000; ++trial) {
        const double value = (trial % 2 ? -1 : 1) * std::pow(10.0, exponent(random));
        const std::string text = ShortestText(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(back, value) << text;
        const auto single = static_cast<float>(value);
        const std::string singleText = ShortestText(single);
        float singleBack = 0;
        std::from_chars(singleText.data(), singleText.data() + singleText.size(), singleBack);
        ASSERT_EQ(singleBack, single) << singleText;
    }
}

} // namespace
} // namespace tolvanor
