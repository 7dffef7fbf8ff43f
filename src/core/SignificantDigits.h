// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tolvanor {

// The first `precision` (1 to 18) significant decimal digits of a positive
// finite value, rounded as printf rounds them (the exact binary value, ties
// to even): value ~ digits x 10^(exponent - precision + 1) with
// 10^(precision-1) <= digits < 10^precision. Exact integer arithmetic, no
// text. False when the value lies outside this route's range (below about
// 1e-20 or from 10^precision up); callers then take the general road.
bool SignificantDigits(double value, int precision, std::uint64_t& digits, int& exponent) noexcept;

// 10^power for 0 <= power <= 19.
std::uint64_t PowerOfTen(int power) noexcept;

// 10^power as a double, exact for 0 <= power <= 22.
double ExactPowerOfTen(int power) noexcept;

} // namespace tolvanor
