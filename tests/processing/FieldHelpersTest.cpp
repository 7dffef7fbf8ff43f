// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/FieldHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tolvanor {
namespace {

TEST(RFormat, MaskedValuesAreRightAlignedAndCutOnTheLeft) {
    EXPECT_EQ(RFormat(1234.567, 6, 1), "1234.6");
    EXPECT_EQ(RFormat(1234.567, 5, 1), "234.6");
    EXPECT_EQ(RFormat(0.5, 6, 2), "   .50");
    EXPECT_EQ(RFormat(-0.25, 7, 1), "    -.3");
    EXPECT_EQ(RFormat(-0.04, 4, 1), "  .0");
    EXPECT_EQ(RFormat(402511.37505, 14, 5), "  402511.37505");
}

TEST(RFormat, DecimalsZeroGivesTheGeneralText) {
    EXPECT_EQ(RFormat(12.5f, 5), " 12.5");
    EXPECT_EQ(RFormat(0.1f, 6), "   0.1");
    EXPECT_EQ(RFormat(12345678.0f, 6), "68E+07");
    EXPECT_EQ(RFormat(std::int16_t{-50}, 6), "   -50");
    EXPECT_EQ(RFormat(std::int32_t{1000}, 6), "  1000");
    EXPECT_EQ(RFormat(0.0, 3), "  0");
}

TEST(RFormat, SinglesCarrySevenDigitsBeforeTheMask) {
    // 0.15f is 0.1500000059604645: seven digits read 0.1500000, a tie that rounds away.
    EXPECT_EQ(RFormat(0.15f, 4, 1), "  .2");
    EXPECT_EQ(RFormat(2.675f, 5, 2), " 2.68");
    // As a double the same number keeps more digits and still rounds up.
    EXPECT_EQ(RFormat(2.675, 5, 2), " 2.68");
}

TEST(RFormat, TextsPassThroughOrAreMaskedWhenNumbers) {
    EXPECT_EQ(RFormat(std::string_view("012BD"), 6), " 012BD");
    EXPECT_EQ(RFormat(std::string_view("012BD"), 3), "2BD");
    EXPECT_EQ(RFormat(std::string_view("2.25"), 5, 1), "  2.3");
    EXPECT_EQ(RFormat(std::string_view("abc"), 5, 1), "  abc");
}

TEST(RFormat, NegativeDecimalsMaskWholeNumbersAndZeroOrWidthGiveEdges) {
    EXPECT_EQ(RFormat(12.5, 4, -1), "  13");
    EXPECT_EQ(RFormat(0.0, 4, -1), "    ");
    EXPECT_EQ(RFormat(12.5, 0, 1), "");
    EXPECT_EQ(RFormat(12.5, -3, 1), "");
}

TEST(NumericKeyFilter, KeepsDigitsPointMinusAndBackspace) {
    for (const int key : {8, int{'-'}, int{'.'}, int{'0'}, int{'5'}, int{'9'}}) {
        EXPECT_EQ(NumericKeyFilter(static_cast<std::int16_t>(key)), key) << key;
    }
    for (const int key : {0, int{'+'}, int{','}, int{'/'}, int{':'}, int{'a'}, int{'E'}, int{' '}, 13, 127, -1, 300}) {
        EXPECT_EQ(NumericKeyFilter(static_cast<std::int16_t>(key)), 0) << key;
    }
}

TEST(YesNo, WordsAndTheirTest) {
    EXPECT_EQ(YesNo(true), "Yes");
    EXPECT_EQ(YesNo(false), "No");
    EXPECT_TRUE(IsYes("Yes"));
    EXPECT_TRUE(IsYes("Y"));
    EXPECT_FALSE(IsYes("yes"));
    EXPECT_FALSE(IsYes(" Yes"));
    EXPECT_FALSE(IsYes(""));
    EXPECT_FALSE(IsYes("No"));
}

TEST(FileExists, OnlyFilesCount) {
    const auto folder = std::filesystem::temp_directory_path() / "tolvanor-file-exists-test";
    std::filesystem::create_directories(folder);
    const auto file = folder / "present.txt";
    std::ofstream(file) << "x";

    EXPECT_TRUE(FileExists(file.string()));
    EXPECT_FALSE(FileExists((folder / "missing.txt").string()));
    EXPECT_FALSE(FileExists(folder.string()));
    EXPECT_FALSE(FileExists(""));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tolvanor
