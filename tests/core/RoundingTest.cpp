// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace tolvanor {
namespace {

TEST(Rounding, HalvesToEvenClampedAndTheRemainderOfTheDividendsSign) {
    const std::pair<double, double> cases[] = {
        // clang-format off
        {10.5, 10}, {11.5, 12}, {0.5, 0}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-3.5, -4},
        {-0.2, 0}, {-0.0, 0}, {1e300, 1e300}, {4503599627370495.5, 4503599627370496.0},
        {0.49999999999999994, 0}, {0.5000000000000001, 1}, {-2.5000000000000004, -3},
        // clang-format on
    };
    for (const auto& [value, expected] : cases) {
        const double rounded = RoundHalfEven(value);
        EXPECT_EQ(rounded, expected) << value;
        EXPECT_FALSE(std::signbit(rounded) && rounded == 0) << value << " must give a plain zero";
    }
    EXPECT_EQ(RoundToInt16(32767.5), 32767) << "rounds to 32768, clamps to the range";
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt32(-10.5), -10);
    EXPECT_EQ(RoundToInt32(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundToInt32(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::min());
    // The remainder truncates, keeps the dividend's sign and never traps.
    EXPECT_EQ(IntegerRemainder(-30, 360), -30);
    EXPECT_EQ(IntegerRemainder(620, 360), 260);
    EXPECT_EQ(IntegerRemainder(-620, 360), -260);
    EXPECT_EQ(IntegerRemainder(620, -360), 260);
    EXPECT_EQ(IntegerRemainder(5, 0), 0);
    EXPECT_EQ(IntegerRemainder(std::numeric_limits<std::int64_t>::min(), -1), 0);
}

} // namespace
} // namespace tolvanor
