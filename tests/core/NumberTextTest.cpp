// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace tolvanor {
namespace {

// The value's 15 significant digits (7 for a 32-bit float), rounded to the
// mask's decimals with halves away from zero; no "0" before the point, no
// "-0". Only what the randomized check below never reaches: more than six
// decimals, masks without decimals, values of 1e20 and more, texts.
TEST(MaskText, RoundsTheDecimalTextOfTheValue) {
    // clang-format off
    EXPECT_EQ(MaskText(static_cast<double>(0.1f), 10), ".1000000015");
    EXPECT_EQ(MaskText(0.1f, 10), ".1000000000");
    EXPECT_EQ(MaskText(12.5, -2), "13");
    EXPECT_EQ(MaskText(1e20, 4), "100000000000000000000.0000");
    EXPECT_EQ(MaskText(-1e-300, 2), ".00");
    EXPECT_EQ(MaskText(3.4028235e38f, 0), "340282300000000000000000000000000000000");
    // clang-format on
    EXPECT_EQ(MaskText(std::string_view(" 2.25 "), 1), "2.3");
    EXPECT_EQ(MaskText(std::string_view("-0.01"), 1), ".0");
    EXPECT_EQ(MaskText(std::string_view("12BD"), 1), "12BD");
    EXPECT_EQ(MaskText(std::string_view("1e999"), 1), "1e999") << "out of range is not a number to mask";
}

// The general texts of floats are checked against printf below; here the
// integers and the job file's shortest text in the field's own type.
TEST(GeneralText, WritesTheConventionalTexts) {
    const std::pair<std::string, const char*> cases[] = {
        // clang-format off
        {GeneralText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        {LeadingBlankText(0), " 0"}, {LeadingBlankText(-3), "-3"},
        {ShortestText(-0.0), "0"}, {ShortestText(-0.0f), "0"}, {ShortestText(0.00001), "1e-05"},
        {ShortestText(402511.37505), "402511.37505"}, {ShortestText(3.4028235e38f), "3.4028235e+38"},
        {ShortestText(0.1f), "0.1"}, {ShortestText(static_cast<double>(0.1f)), "0.10000000149011612"},
        // clang-format on
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

__extension__ typedef unsigned __int128 Wide;

// Independent of the code under test: printf's significant digits, rounded to
// the mask in integers with halves away from zero (for |value| below 1e20).
std::string ReferenceMask(double value, int decimals, int significant) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", significant - 1, value);
    const char* exponent = std::strchr(text, 'e');
    Wide units = 0;
    for (const char* c = text; c != exponent; ++c) units = *c >= '0' && *c <= '9' ? units * 10 + (*c - '0') : units;
    const int shift = decimals + std::atoi(exponent + 1) - (significant - 1); // units x 10^shift
    Wide scale = 1;
    for (int i = 0; i < (shift < 0 ? std::min(-shift, significant + 1) : shift); ++i) scale *= 10;
    units = shift >= 0 ? units * scale : (units + scale / 2) / scale;
    std::string digits;
    for (Wide rest = units; rest != 0 || static_cast<int>(digits.size()) < decimals; rest /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    if (decimals > 0) digits.insert(digits.end() - decimals, '.');
    return (text[0] == '-' && units != 0 ? "-" : "") + digits;
}

template <typename Real> Real Saturated(Real value) {
    return std::isinf(value) ? std::copysign(std::numeric_limits<Real>::max(), value) : value;
}

// The fast routes of the masks, general texts and number reading against
// printf and strtod: random binary values over many magnitudes, decimal ties
// at every place, their 32-bit roundings, and texts with every kind of tail.
TEST(NumberConventions, AgreeWithPrintfAndStrtodEverywhere) {
    const auto bits = [](auto value) { return std::bit_cast<std::uint64_t>(static_cast<double>(value)); };
    // Ties, carries and the turning points of digits and exponents, then random values.
    // clang-format off
    std::vector<double> values = {-0.0, 0.05, -0.05, 0.15, 999.95, -999.95, 1.005, 2.5, 9.99995, 0.99995,
                                  999999.99995, 1e-13, 4.9999999999999996e-10, 5e-324, 9999999.5, 16777217.0,
                                  9.999999999999995e14, 123456789012345678.0, 0.1249999999999999, 0.12499999999999,
                                  -0.049, 2.675, 1.45, 402511.37, 1234567890123456.0, -1.5e-7, 0.1};
    // clang-format on
    std::mt19937_64 random(20240607);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 140) - 130));
        const double tie = (static_cast<double>(random() % 100000000) + 0.5) / std::pow(10.0, random() % 9);
        values.push_back(i % 2 ? tie : -tie);
    }
    const char* tails[] = {"", " ", "\t", "x", "e", "e-7", "E+2", ".", "5", " 1", "e400", "e-400"};
    for (const double value : values) {
        const float single = static_cast<float>(value);
        if (std::fabs(value) >= 1e20) continue;
        for (int decimals = 0; decimals <= 6; ++decimals) {
            const auto text = ReferenceMask(value, decimals, 15);
            const auto singleText = ReferenceMask(single, decimals, 7);
            ASSERT_EQ(MaskText(value, decimals), text) << value << " " << decimals;
            ASSERT_EQ(MaskText(single, decimals), singleText) << single << " " << decimals;
            ASSERT_EQ(bits(MaskedValue(value, decimals)), bits(std::strtod(text.c_str(), nullptr))) << text;
            ASSERT_EQ(bits(MaskedValue(single, decimals)), bits(std::strtof(singleText.c_str(), nullptr))) << text;
        }
        char general[32];
        std::snprintf(general, sizeof general, "%.7G", static_cast<double>(single));
        ASSERT_EQ(GeneralText(single), single == 0 ? "0" : general); // never "-0"
        std::snprintf(general, sizeof general, "%.15G", value);
        ASSERT_EQ(GeneralText(value), value == 0 ? "0" : general);

        // Reading: the leading number, and the strict conversions of the whole text.
        std::string digits = std::to_string(random() >> (random() % 64));
        digits.insert(random() % (digits.size() + 1), random() % 4 ? "." : "");
        for (const auto& base : {MaskText(value, static_cast<int>(random() % 5)), std::string(general), digits}) {
            const std::string text = (random() % 2 ? "-" : "") + base + tails[random() % std::size(tails)];
            const std::string blanked = (random() % 2 ? " \t" : "") + text;
            ASSERT_EQ(bits(LeadingNumberValue(blanked)), bits(Saturated(std::strtod(text.c_str(), nullptr)))) << text;
            ASSERT_EQ(bits(LeadingNumberValueSingle(blanked)), bits(Saturated(std::strtof(text.c_str(), nullptr))));
            const std::string trimmed = text.substr(0, text.find_last_not_of(" \t") + 1);
            char* end = nullptr;
            const double expected = std::strtod(trimmed.c_str(), &end);
            const auto status = *end != '\0' || end == trimmed.c_str() ? ConversionStatus::TypeMismatch
                                : std::isinf(expected)                 ? ConversionStatus::Overflow
                                                                       : ConversionStatus::Ok;
            double parsed = 0;
            ASSERT_EQ(StrictToDouble(blanked, parsed), status) << text;
            float single32 = 0;
            const bool singleOk = StrictToFloat(blanked, single32) == ConversionStatus::Ok;
            ASSERT_EQ(bits(parsed), bits(status == ConversionStatus::Ok ? expected : 0.0)) << text;
            ASSERT_EQ(bits(single32), bits(singleOk ? std::strtof(trimmed.c_str(), nullptr) : 0.0f)) << text;
        }
    }
}

} // namespace
} // namespace tolvanor
