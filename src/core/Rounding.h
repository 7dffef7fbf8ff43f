// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tolvanor {

// To the nearest integer, exact halves to the even one: 10.5 -> 10, 11.5 -> 12, -0.5 -> 0.
double RoundHalfEven(double value) noexcept;

// RoundHalfEven, then clamped into the 16- or 32-bit range.
std::int16_t RoundToInt16(double value) noexcept;
std::int32_t RoundToInt32(double value) noexcept;

// Truncating remainder with the sign of the dividend: -30 mod 360 = -30.
// A divisor of 0 gives 0; so does -1, which would overflow for the lowest dividend.
constexpr std::int64_t IntegerRemainder(std::int64_t dividend, std::int64_t divisor) noexcept {
    return divisor == 0 || divisor == -1 ? 0 : dividend % divisor;
}

} // namespace tolvanor
