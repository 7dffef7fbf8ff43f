// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "core/Rounding.h"

#include <gtest/gtest.h>

namespace tolvanor {
namespace {

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(IntegerRemainder(-30, 360), -30);
    EXPECT_EQ(IntegerRemainder(620, 360), 260);
}

TEST(MaskText, RoundsTheSignificantDigitTextHalvesAway) {
    EXPECT_EQ(MaskText(0.5, 2), ".50");
    EXPECT_EQ(MaskText(-0.25, 4), "-.2500");
    EXPECT_EQ(MaskText(-0.04, 1), ".0");
    EXPECT_EQ(MaskText(12.25, 1), "12.3");
    EXPECT_EQ(MaskText(-12.25, 1), "-12.3");
}

TEST(GeneralText, FollowsPercentG) {
    EXPECT_EQ(GeneralText(0.5), "0.5");
    EXPECT_EQ(GeneralText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(GeneralText(0.00001), "1E-05");
    EXPECT_EQ(ShortestText(-0.0), "0");
}

TEST(StrictConversion, TellsMismatchFromOverflow) {
    float value = 0;
    EXPECT_EQ(StrictToFloat("1e39", value), ConversionStatus::Overflow);
    EXPECT_EQ(StrictToFloat("1e", value), ConversionStatus::TypeMismatch);
    EXPECT_EQ(StrictToFloat(" 2.5\t", value), ConversionStatus::Ok);
    EXPECT_EQ(value, 2.5f);
}

} // namespace
} // namespace tolvanor
