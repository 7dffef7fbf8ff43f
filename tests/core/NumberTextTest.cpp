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
#include <tuple>
#include <utility>

namespace tolvanor {
namespace {

// A value, the mask's number of decimals and the text.
template <typename Value> using MaskCase = std::tuple<Value, int, const char*>;

// The value's 15 significant digits (7 for a 32-bit float), rounded to the
// mask's decimals with halves away from zero; no "0" before the point, no "-0".
TEST(MaskText, RoundsTheDecimalTextOfTheValueSevenDigitsForSingles) {
    const MaskCase<double> cases[] = {
        // clang-format off
        {12.25, 1, "12.3"}, {-12.25, 1, "-12.3"}, {0.125, 2, ".13"}, {-0.125, 2, "-.13"}, {2.5, 0, "3"},
        {-2.5, 0, "-3"}, {0.00005, 4, ".0001"},
        // 1.005 is stored as 1.00499999999999989..., its 15 digits read 1.00500000000000.
        {1.005, 2, "1.01"}, {-1.005, 2, "-1.01"}, {2.675, 2, "2.68"},
        {0.1249999999999999, 2, ".13"}, {0.12499999999999, 2, ".12"}, // digits past the 15th never count
        {0.5, 4, ".5000"}, {-0.25, 4, "-.2500"}, {0.0096, 2, ".01"}, {0.004, 1, ".0"},
        {0.0, 1, ".0"}, {-0.0, 1, ".0"}, {-0.04, 1, ".0"}, {-0.049, 1, ".0"}, {-0.05, 1, "-.1"},
        {0.99995, 4, "1.0000"}, {9.99995, 4, "10.0000"}, {-999.95, 1, "-1000.0"}, {0.5, 0, "1"},
        {0.0, 0, ""}, {-0.4, 0, ""}, {1234.4, 0, "1234"}, {12.5, -2, "13"}, // masks without decimals
        {1e20, 4, "100000000000000000000.0000"}, {-1.2345678901234567e18, 1, "-1234567890123460000.0"},
        {1e-20, 4, ".0000"}, {-1e-300, 2, ".00"}, {5e-324, 2, ".00"}, {16777217.0, 1, "16777217.0"},
        {static_cast<double>(0.1f), 10, ".1000000015"}, {static_cast<double>(1.45f), 1, "1.5"},
        // clang-format on
    };
    for (const auto& [value, decimals, expected] : cases) EXPECT_EQ(MaskText(value, decimals), expected) << value;
    const MaskCase<float> singles[] = {
        // clang-format off
        {0.15f, 1, ".2"}, // 0.1500000059604645 reads 1.500000e-01: a tie
        {1.45f, 1, "1.5"}, {16777216.0f, 1, "16777220.0"}, {0.1f, 10, ".1000000000"}, {-0.04f, 1, ".0"},
        {402511.37f, 4, "402511.4000"}, {3.4028235e38f, 0, "340282300000000000000000000000000000000"},
        // clang-format on
    };
    for (const auto& [value, decimals, expected] : singles) EXPECT_EQ(MaskText(value, decimals), expected) << value;
    // Texts are masked when they are numbers.
    EXPECT_EQ(MaskText(std::string_view(" 2.25 "), 1), "2.3");
    EXPECT_EQ(MaskText(std::string_view("-0.01"), 1), ".0");
    EXPECT_EQ(MaskText(std::string_view("12BD"), 1), "12BD");
    EXPECT_EQ(MaskText(std::string_view("1e999"), 1), "1e999") << "out of range is not a number to mask";
}

// General text: %.7G of a single, %.15G of a double, plain integers, "0" for
// a negative zero; the job file's shortest text in the field's own type.
TEST(GeneralText, WritesTheConventionalTexts) {
    const std::pair<std::string, const char*> cases[] = {
        // clang-format off
        {GeneralText(12345678.0f), "1.234568E+07"}, {GeneralText(1234567.0f), "1234567"}, {GeneralText(0.1f), "0.1"},
        {GeneralText(-1.5e-7f), "-1.5E-07"}, {GeneralText(0.00001), "1E-05"},
        {GeneralText(123456789012345.0), "123456789012345"}, {GeneralText(1234567890123456.0), "1.23456789012346E+15"},
        {GeneralText(static_cast<double>(0.1f)), "0.100000001490116"}, {GeneralText(-0.0), "0"},
        {GeneralText(-0.0f), "0"}, {GeneralText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
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
    std::vector<double> values = {-0.0,
                                  0.05,
                                  -0.05,
                                  0.15,
                                  999.95,
                                  -999.95,
                                  1.005,
                                  2.5,
                                  9.99995,
                                  0.99995,
                                  999999.99995,
                                  1e-13,
                                  4.9999999999999996e-10,
                                  5e-324,
                                  9999999.5,
                                  16777217.0,
                                  9.999999999999995e14,
                                  123456789012345678.0};
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
