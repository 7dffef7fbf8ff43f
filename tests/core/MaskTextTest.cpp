// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MaskText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace tolvanor {
namespace {

TEST(MaskText, TiesRoundAwayFromZero) {
    EXPECT_EQ(MaskText(12.25, 1), "12.3");
    EXPECT_EQ(MaskText(-12.25, 1), "-12.3");
    EXPECT_EQ(MaskText(0.125, 2), ".13");
    EXPECT_EQ(MaskText(-0.125, 2), "-.13");
    EXPECT_EQ(MaskText(2.5, 0), "3");
    EXPECT_EQ(MaskText(-2.5, 0), "-3");
    EXPECT_EQ(MaskText(0.00005, 4), ".0001");
}

TEST(MaskText, RoundsTheFifteenDigitTextNotTheBinaryValue) {
    // 1.005 is stored as 1.00499999999999989...; its 15 digits read 1.00500000000000.
    EXPECT_EQ(MaskText(1.005, 2), "1.01");
    EXPECT_EQ(MaskText(2.675, 2), "2.68");
    EXPECT_EQ(MaskText(-1.005, 2), "-1.01");
    // Beyond 15 digits nothing counts: ...4999999 is a tie at 15 digits.
    EXPECT_EQ(MaskText(0.1249999999999999, 2), ".13");
    EXPECT_EQ(MaskText(0.12499999999999, 2), ".12");
}

TEST(MaskText, SinglesCarrySevenDigits) {
    EXPECT_EQ(MaskText(0.15f, 1), ".2"); // 0.1500000059604645 -> 1.500000e-01
    EXPECT_EQ(MaskText(0.15, 1), ".2");
    EXPECT_EQ(MaskText(1.45f, 1), "1.5"); // 1.4500000476837158 -> 1.450000
    EXPECT_EQ(MaskText(static_cast<double>(1.45f), 1), "1.5");
    EXPECT_EQ(MaskText(16777217.0, 1), "16777217.0");
    EXPECT_EQ(MaskText(16777216.0f, 1), "16777220.0");
    EXPECT_EQ(MaskText(0.1f, 4), ".1000");
    EXPECT_EQ(MaskText(static_cast<double>(0.1f), 10), ".1000000015");
    EXPECT_EQ(MaskText(0.1f, 10), ".1000000000");
    EXPECT_EQ(MaskText(402511.37f, 4), "402511.4000");
}

TEST(MaskText, NoLeadingZeroAndNoNegativeZero) {
    EXPECT_EQ(MaskText(0.5, 4), ".5000");
    EXPECT_EQ(MaskText(-0.25, 4), "-.2500");
    EXPECT_EQ(MaskText(0.0, 1), ".0");
    EXPECT_EQ(MaskText(-0.0, 1), ".0");
    EXPECT_EQ(MaskText(-0.04, 1), ".0");
    EXPECT_EQ(MaskText(-0.05, 1), "-.1");
    EXPECT_EQ(MaskText(-0.049, 1), ".0");
    EXPECT_EQ(MaskText(0.0096, 2), ".01");
    EXPECT_EQ(MaskText(0.004, 1), ".0");
}

TEST(MaskText, CarriesPropagateIntoNewDigits) {
    EXPECT_EQ(MaskText(0.99995, 4), "1.0000");
    EXPECT_EQ(MaskText(9.99995, 4), "10.0000");
    EXPECT_EQ(MaskText(-999.95, 1), "-1000.0");
    EXPECT_EQ(MaskText(0.95, 1), "1.0");
    EXPECT_EQ(MaskText(0.5, 0), "1");
}

TEST(MaskText, WholeNumberMaskWritesZeroAsEmpty) {
    EXPECT_EQ(MaskText(0.0, 0), "");
    EXPECT_EQ(MaskText(0.4, 0), "");
    EXPECT_EQ(MaskText(-0.4, 0), "");
    EXPECT_EQ(MaskText(1234.4, 0), "1234");
    EXPECT_EQ(MaskText(12.5, -2), "13") << "negative decimals act as none";
}

TEST(MaskText, HugeAndTinyValues) {
    EXPECT_EQ(MaskText(1e20, 4), "100000000000000000000.0000");
    EXPECT_EQ(MaskText(-1.2345678901234567e18, 1), "-1234567890123460000.0");
    EXPECT_EQ(MaskText(1e-20, 4), ".0000");
    EXPECT_EQ(MaskText(-1e-300, 2), ".00");
    EXPECT_EQ(MaskText(5e-324, 2), ".00");
    EXPECT_EQ(MaskText(1.7976931348623157e308, 0).size(), 309u);
    EXPECT_EQ(MaskText(3.4028235e38f, 0), "340282300000000000000000000000000000000");
}

TEST(MaskText, AllIntegerDigitsWhateverTheMaskWidth) {
    EXPECT_EQ(CoordinateText(402511.37505), "402511.3751");
    EXPECT_EQ(CoordinateText(12345678901.5), "12345678901.5000");
    EXPECT_EQ(DistanceText(1234567.0f), "1234567.0");
    EXPECT_EQ(SounderText(-123456.789f), "-123456.80");
}

TEST(MaskText, TextsAreMaskedWhenTheyAreNumbers) {
    EXPECT_EQ(MaskText(std::string_view(" 2.25 "), 1), "2.3");
    EXPECT_EQ(MaskText(std::string_view("1.005"), 2), "1.01");
    EXPECT_EQ(MaskText(std::string_view("-0.01"), 1), ".0");
    EXPECT_EQ(MaskText(std::string_view("12BD"), 1), "12BD");
    EXPECT_EQ(MaskText(std::string_view(""), 1), "");
    EXPECT_EQ(MaskText(std::string_view("1e999"), 1), "1e999") << "out of range is not a number to mask";
}

// Reference: the value's %.*e text rounded to the mask in whole-number arithmetic.
std::string MaskReference(double value, int decimals, int significant) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
    const std::string text(buffer);
    const bool negative = text[0] == '-';
    const auto ePos = text.find('e');
    long long mantissa = 0;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (text[i] != '.') mantissa = mantissa * 10 + (text[i] - '0');
    }
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    int shift = exponent - (significant - 1) + decimals;
    long long scaled = mantissa;
    if (shift >= 0) {
        while (shift-- > 0) scaled *= 10;
    } else if (shift < -18) { // the 15 digits are far below a half
        scaled = 0;
    } else {
        long long divisor = 1;
        while (shift++ < 0) divisor *= 10;
        scaled = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
    long long unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    const long long whole = scaled / unit;
    const long long fraction = scaled % unit;
    std::string result = negative && scaled != 0 ? "-" : "";
    if (whole != 0) result += std::to_string(whole);
    if (decimals > 0) {
        std::string digits = std::to_string(fraction);
        result += "." + std::string(static_cast<std::size_t>(decimals) - digits.size(), '0') + digits;
    }
    return result;
}

TEST(MaskText, PropertyMatchesWholeNumberRoundingOfThePrintfDigits) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> exponent(-7, 12);
    std::uniform_int_distribution<int> decimals(0, 5);
    std::uniform_int_distribution<int> kind(0, 3);
    for (int trial = 0; trial < 20000; ++trial) {
        double value = std::pow(10.0, exponent(random));
        if (kind(random) == 0) value = std::round(value * 1000) / 1000 + 0.0005; // near-ties
        if (trial % 2 == 1) value = -value;
        const int places = decimals(random);
        ASSERT_EQ(MaskText(value, places), MaskReference(value, places, 15)) << value << " " << places;
        const auto single = static_cast<float>(value);
        ASSERT_EQ(MaskText(single, places), MaskReference(single, places, 7)) << single << " " << places;
    }
}

} // namespace
} // namespace tolvanor
