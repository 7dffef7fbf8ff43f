// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's fast number texts must agree exactly with the general routines.
#include "editor/CellNumberText.h"

#include "core/MaskText.h"
#include "core/NumberParsing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tolvanor {
namespace {

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Values where rounding is delicate: exact ties in binary, halves at the
// mask's last place, carries through nines, magnitudes at the route's edges.
std::vector<double> DelicateValues() {
    std::vector<double> values = {0.0,      -0.0,         0.05,           0.15,      0.25,      0.5,
                                  0.95,     0.995,        9.99995,        99.95,     1048576.5, 1048577.5,
                                  2.5,      3.5,          1234567.123456, 1e-9,      1e-13,     1e-14,
                                  1e-21,    1e-22,        999999.99995,   9999999.5, 1e15,      999999999999999.0,
                                  1e16,     1e20,         1e300,          5e-324,    0.1,       0.2,
                                  0.3,      402511.37505, 12345678.0,     0.00001,   0.045,     -0.045,
                                  -0.04999, -0.05,        -1.05,          1.0e7,     8388608.5, 16777217.0};
    for (int exponent = -25; exponent <= 20; ++exponent) {
        const double power = std::pow(10.0, exponent);
        values.push_back(power);
        values.push_back(std::nextafter(power, 0.0));
        values.push_back(std::nextafter(power, 1e308));
        values.push_back(5 * power);
    }
    return values;
}

TEST(CellNumberText, MaskTextMatchesTheGeneralRoutine) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-16, 17);
    auto values = DelicateValues();
    for (int i = 0; i < 60000; ++i) values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (int i = 0; i < 20000; ++i) values.push_back(std::round(mantissa(random) * 1e6) / 1e3); // short decimals
    values.push_back(std::numeric_limits<double>::infinity());
    values.push_back(std::numeric_limits<double>::quiet_NaN());

    std::string text = "stale text";
    for (const double value : values) {
        for (const int decimals : {0, 1, 2, 4, 6}) {
            AssignMaskText(text, value, decimals, ValuePrecision::Double);
            ASSERT_EQ(text, MaskText(value, decimals)) << value << " decimals " << decimals;
            const auto single = static_cast<float>(value);
            AssignMaskText(text, single, decimals);
            ASSERT_EQ(text, MaskText(single, decimals)) << single << " decimals " << decimals;
        }
    }
}

TEST(CellNumberText, ReadBackIsTheValueOfTheText) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> values(-3e4f, 3e4f);
    std::string text;
    for (int i = 0; i < 50000; ++i) {
        const float value = i < 1000 ? values(random) / 1e6f : values(random) * (i % 5 == 0 ? 1e3f : 1.0f);
        for (const int decimals : {1, 2}) {
            const float readBack = AssignMaskTextReadBack(text, value, decimals);
            ASSERT_TRUE(SameBits(readBack, CellSingleValue(text))) << text;
            float strict = 0;
            ASSERT_EQ(StrictToFloat(text, strict), ConversionStatus::Ok) << text;
            ASSERT_EQ(readBack, strict) << text;
        }
    }
}

const std::vector<std::string> SampleTexts = {"",
                                              " ",
                                              ".",
                                              "-",
                                              "+",
                                              "-.",
                                              "12",
                                              " 12",
                                              "\t-3",
                                              "12.",
                                              ".5",
                                              "-.5",
                                              "-0",
                                              "-.0",
                                              "007",
                                              "12abc",
                                              "1.2.3",
                                              "1e3",
                                              "1E-2",
                                              "1e",
                                              "+5",
                                              "- 5",
                                              "12 ",
                                              " 12.50 ",
                                              "abc",
                                              "1,5",
                                              "123456789012345",
                                              "1234567890123456",
                                              "0.1234567890123456789",
                                              "99999999",
                                              "16777217",
                                              "3.4028236e38",
                                              "-1e39",
                                              "1e400",
                                              "Yes",
                                              "4108000.5000",
                                              "512000.1230",
                                              "-1.05",
                                              "1234567.1235",
                                              "9999999.95"};

TEST(CellNumberText, LeadingValuesMatchTheGeneralRoutine) {
    for (const auto& text : SampleTexts) {
        EXPECT_TRUE(SameBits(CellNumberValue(text), LeadingNumberValue(text))) << '"' << text << '"';
    }
}

TEST(CellNumberText, SingleValuesRoundOnceFromTheText) {
    for (const auto& text : SampleTexts) {
        const auto trimmed = text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
        const auto number = trimmed.substr(0, NumberPrefixLength(trimmed));
        float expected = 0;
        const auto status = number.empty() ? ConversionStatus::Ok : StrictToFloat(number, expected);
        if (status == ConversionStatus::Overflow) {
            expected = number.front() == '-' ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
        }
        EXPECT_TRUE(SameBits(CellSingleValue(text), expected)) << '"' << text << '"';
    }
    // 16777217 lies between two floats: one rounding gives the even one.
    EXPECT_EQ(CellSingleValue("16777217"), 16777216.0f);
}

TEST(CellNumberText, WholeNumbersAreThoseOfTheGrammar) {
    for (const auto& text : SampleTexts) {
        double value = -1;
        EXPECT_EQ(CellWholeNumber(text, value), IsNumberText(text)) << '"' << text << '"';
        if (IsNumberText(text)) {
            EXPECT_TRUE(SameBits(value, LeadingNumberValue(text))) << text;
        }
        EXPECT_EQ(CellWholeSingleValue(text), IsNumberText(text) ? CellSingleValue(text) : 0.0f) << text;
    }
}

} // namespace
} // namespace tolvanor
