// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/FieldHelpers.h"
#include "processing/ProfileNumber.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

namespace tolvanor {
namespace {

TEST(ProfileNumbers, ThreeDigitsBeforeTheSeparatorAndTheIntegerInside) {
    EXPECT_EQ(FormatProfileNumber("12a", false), "12a") << "off: unchanged, not even upper-cased";
    const std::pair<const char*, const char*> cases[] = {
        // clang-format off
        {"5", "005"}, {"", "000"}, {"1234", "234"}, {"12a", "12A"}, {"12bd", "2BD"}, {"1\xe9x", "1\xe9X"},
        {"-3", "-03"}, {"-123", "-23"}, {"-", "-00"}, {"3-", "03-"},
        {"12+50", "012+50"}, {"7.5", "007.5"}, {"-3+20", "-03+20"}, {"1234+5", "234+5"}, {"+5", "000+5"},
        {"4+a", "004+A"}, {"12+3.5", "2+3.5"}, {"1.2.3", "001.2"}, {"1+2+3", "001+2"}, // "." wins, later parts go
        // clang-format on
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(FormatProfileNumber(text, true), expected) << text;
    // The integer: digits of the first word, negative after a minus, clamped to 16 bits.
    const std::pair<std::string, int> integers[] = {
        // clang-format off
        {"PRO 12 BD", 12}, {"12.5", 125}, {"012BD", 12}, {"12,34", 12}, {"A1B2 C3", 12},
        {"L-7", -7}, {"12-3", -123}, {"5- 1", 5}, {"", 0}, {"No Number", 0}, {" , -", 0},
        {"32767", 32767}, {"32768", 32767}, {"-32768", -32768}, {"L-99999", -32768}, {std::string(400, '9'), 32767},
        // clang-format on
    };
    for (const auto& [text, expected] : integers) EXPECT_EQ(ExtractInteger(text), expected) << text;
}

// The text right-aligned in the width, cut on the left: the mask's text with
// decimals, the general text without.
TEST(FieldHelpers, RFormatKeyFilterYesAndFileExists) {
    const std::pair<std::string, const char*> cases[] = {
        // clang-format off
        {RFormat(1234.567, 6, 1), "1234.6"}, {RFormat(1234.567, 5, 1), "234.6"}, {RFormat(0.5, 6, 2), "   .50"},
        {RFormat(-0.04, 4, 1), "  .0"}, {RFormat(0.15f, 4, 1), "  .2"}, // 0.1500000 is a tie: away from zero
        {RFormat(12345678.0f, 6), "68E+07"}, {RFormat(std::int16_t{-50}, 6), "   -50"}, {RFormat(12.5, 4, -1), "  13"},
        {RFormat(0.0, 4, -1), "    "}, {RFormat(12.5, 0, 1), ""}, {RFormat(std::string_view("012BD"), 3), "2BD"},
        {RFormat(std::string_view("2.25"), 5, 1), "  2.3"}, {YesNo(true), "Yes"}, {YesNo(false), "No"},
        // clang-format on
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    for (const int key : {8, int{'-'}, int{'.'}, int{'0'}, int{'9'}})
        EXPECT_EQ(NumericKeyFilter(std::int16_t(key)), key);
    for (const int key : {0, 43, 44, 47, 58, 69, 127, -1})
        EXPECT_EQ(NumericKeyFilter(std::int16_t(key)), 0) << key; // +,/:E
    EXPECT_TRUE(IsYes("Y") && !IsYes("yes") && !IsYes(" Yes") && !IsYes("")) << "an upper-case Y first";
    EXPECT_TRUE(FileExists(__FILE__));
    EXPECT_FALSE(FileExists(std::string(__FILE__) + ".missing"));
    EXPECT_FALSE(FileExists(std::filesystem::path(__FILE__).parent_path().string())) << "a folder is not a file";
}

} // namespace
} // namespace tolvanor
