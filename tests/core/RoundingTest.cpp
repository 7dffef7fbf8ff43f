// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tolvanor {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(4503599627370495.5), 4503599627370496.0);
}

TEST(RoundHalfEven, AnythingOffTheHalfGoesToTheNearest) {
    EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0);
    EXPECT_EQ(RoundHalfEven(0.5000000000000001), 1);
    EXPECT_EQ(RoundHalfEven(2.5000000000000004), 3);
    EXPECT_EQ(RoundHalfEven(-2.5000000000000004), -3);
    EXPECT_EQ(RoundHalfEven(-0.49999999999999994), 0);
    EXPECT_EQ(RoundHalfEven(1e300), 1e300);
    EXPECT_EQ(RoundHalfEven(-7.0), -7);
}

TEST(RoundHalfEven, ZeroComesOutPositive) {
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.5)));
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.2)));
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.0)));
}

TEST(RoundToInteger, ClampsIntoTheTargetRange) {
    EXPECT_EQ(RoundToInt16(32766.5), 32766);
    EXPECT_EQ(RoundToInt16(32767.5), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(1e10), 32767);
    EXPECT_EQ(RoundToInt16(-1e10), -32768);
    EXPECT_EQ(RoundToInt16(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt32(2147483646.5), 2147483646);
    EXPECT_EQ(RoundToInt32(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundToInt32(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32(-10.5), -10);
}

TEST(IntegerRemainder, TruncatesAndKeepsTheDividendsSign) {
    EXPECT_EQ(IntegerRemainder(-30, 360), -30);
    EXPECT_EQ(IntegerRemainder(620, 360), 260);
    EXPECT_EQ(IntegerRemainder(-620, 360), -260);
    EXPECT_EQ(IntegerRemainder(620, -360), 260);
    EXPECT_EQ(IntegerRemainder(-720, 360), 0);
    EXPECT_EQ(IntegerRemainder(7, 1), 0);
}

TEST(IntegerRemainder, NeverTraps) {
    EXPECT_EQ(IntegerRemainder(5, 0), 0);
    EXPECT_EQ(IntegerRemainder(std::numeric_limits<std::int64_t>::min(), -1), 0);
    static_assert(IntegerRemainder(9, 4) == 1);
}

} // namespace
} // namespace tolvanor
