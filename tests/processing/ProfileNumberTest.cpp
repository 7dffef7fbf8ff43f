// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/ProfileNumber.h"

#include <gtest/gtest.h>

#include <limits>

namespace tolvanor {
namespace {

TEST(FormatProfileNumber, OffLeavesTheTextAsItIs) {
    EXPECT_EQ(FormatProfileNumber("12a", false), "12a");
    EXPECT_EQ(FormatProfileNumber("", false), "");
    EXPECT_EQ(FormatProfileNumber("1234", false), "1234");
}

TEST(FormatProfileNumber, PadsOrCutsToThreeDigits) {
    EXPECT_EQ(FormatProfileNumber("5", true), "005");
    EXPECT_EQ(FormatProfileNumber("", true), "000");
    EXPECT_EQ(FormatProfileNumber("012", true), "012");
    EXPECT_EQ(FormatProfileNumber("1234", true), "234");
    EXPECT_EQ(FormatProfileNumber("12a", true), "12A");
    // Real survey names: the letters stay, the number in front may be cut.
    EXPECT_EQ(FormatProfileNumber("12bd", true), "2BD");
}

TEST(FormatProfileNumber, KeepsTheMinusAndTwoDigits) {
    EXPECT_EQ(FormatProfileNumber("-3", true), "-03");
    EXPECT_EQ(FormatProfileNumber("-123", true), "-23");
    EXPECT_EQ(FormatProfileNumber("-", true), "-00");
    // Only a leading minus counts.
    EXPECT_EQ(FormatProfileNumber("3-", true), "03-");
}

TEST(FormatProfileNumber, PadsOnlyThePartBeforeTheSeparator) {
    EXPECT_EQ(FormatProfileNumber("12+50", true), "012+50");
    EXPECT_EQ(FormatProfileNumber("7.5", true), "007.5");
    EXPECT_EQ(FormatProfileNumber("-3+20", true), "-03+20");
    EXPECT_EQ(FormatProfileNumber("1234+5", true), "234+5");
    EXPECT_EQ(FormatProfileNumber("+5", true), "000+5");
    EXPECT_EQ(FormatProfileNumber("5+", true), "005+");
    EXPECT_EQ(FormatProfileNumber("4+a", true), "004+A");
}

TEST(FormatProfileNumber, PointWinsOverPlusAndLaterPartsAreDropped) {
    EXPECT_EQ(FormatProfileNumber("12+3.5", true), "2+3.5");
    EXPECT_EQ(FormatProfileNumber("1.2.3", true), "001.2");
    EXPECT_EQ(FormatProfileNumber("1+2+3", true), "001+2");
}

TEST(FormatProfileNumber, UpperCasesAsciiOnly) {
    EXPECT_EQ(FormatProfileNumber("1\xe9x", true), "1\xe9X");
}

TEST(ExtractInteger, CollectsTheDigitsOfTheFirstWord) {
    EXPECT_EQ(ExtractInteger("PRO 12 BD"), 12);
    EXPECT_EQ(ExtractInteger("12.5"), 125);
    EXPECT_EQ(ExtractInteger("012BD"), 12);
    EXPECT_EQ(ExtractInteger("12,34"), 12);
    EXPECT_EQ(ExtractInteger("A1B2 C3"), 12);
}

TEST(ExtractInteger, AMinusBeforeAnyDigitMakesItNegative) {
    EXPECT_EQ(ExtractInteger("L-7"), -7);
    EXPECT_EQ(ExtractInteger("12-3"), -123);
    EXPECT_EQ(ExtractInteger("-5"), -5);
    // A minus not followed by a digit does nothing.
    EXPECT_EQ(ExtractInteger("5- 1"), 5);
}

TEST(ExtractInteger, WithoutDigitsGivesZero) {
    EXPECT_EQ(ExtractInteger(""), 0);
    EXPECT_EQ(ExtractInteger("No Number"), 0);
    EXPECT_EQ(ExtractInteger(" , -"), 0);
}

TEST(ExtractInteger, ClampsToSixteenBits) {
    EXPECT_EQ(ExtractInteger("32767"), 32767);
    EXPECT_EQ(ExtractInteger("32768"), std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(ExtractInteger("-32768"), -32768);
    EXPECT_EQ(ExtractInteger("L-99999"), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(ExtractInteger(std::string(400, '9')), std::numeric_limits<std::int16_t>::max());
}

} // namespace
} // namespace tolvanor
