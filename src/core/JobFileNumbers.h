// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SignificantDigits.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

// The job file's number texts: the shortest text that reads back to the
// same value, as std::to_chars writes it (fixed or exponent form, whichever
// is shorter, fixed on a tie). Surveyed values have few decimals, so the
// text is found the short way: the fewest decimals k whose rounded
// value x 10^k reads back to the value. Values that way does not cover go
// to std::to_chars.

namespace tolvanor {

namespace detail {

inline constexpr double RoundingBias = 4503599627370496.0; // 2^52: adding it rounds to a whole number, ties to even

inline int DigitCount(std::uint64_t value) noexcept {
    int count = 1;
    while (count < 20 && value >= PowersOfTen[static_cast<std::size_t>(count)]) ++count;
    return count;
}

// digits x 10^-decimals (digits > 0, no trailing zero unless decimals is 0)
// in the shorter of the fixed and exponent forms, after a "-" when negative.
inline char* PutDecimal(char* out, bool negative, std::uint64_t digits, int decimals) noexcept {
    int trailingZeros = 0;
    if (decimals == 0) {
        for (; digits % 10 == 0; digits /= 10) ++trailingZeros;
    }
    const int count = DigitCount(digits);
    const int exponent = count - 1 - decimals + trailingZeros; // of the first digit
    const int exponentDigits = std::abs(exponent) >= 100 ? 3 : 2;
    const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + exponentDigits;
    const int fixedLength = exponent >= 0 ? std::max(count + trailingZeros, exponent + 1) + (decimals > 0 ? 1 : 0)
                                          : 2 + (-exponent - 1) + count;
    if (negative) *out++ = '-';
    if (fixedLength <= scientificLength) {
        if (exponent < 0) {
            *out++ = '0';
            *out++ = '.';
            for (int i = 0; i < -exponent - 1; ++i) *out++ = '0';
            char* const end = out + count;
            WriteScaledBefore(end, digits, 0);
            return end;
        }
        char* const end = out + fixedLength;
        char* at = end;
        for (int i = 0; i < trailingZeros; ++i) *--at = '0';
        WriteScaledBefore(at, digits, decimals);
        return end;
    }
    // d.ddde+XX: the digits with the point after the first.
    WriteScaledBefore(out + count + (count > 1 ? 1 : 0), digits, count - 1);
    out += count + (count > 1 ? 1 : 0);
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (exponentDigits == 3) *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// The fewest decimals whose rounded value reads back to `magnitude`: one
// correctly rounded division gives what reading the text would.
// Below 2^50 the product's own rounding cannot move it past the half
// between two candidates, and whole numbers are all distinct values.
inline bool ShortDecimal(double magnitude, std::uint64_t& digits, int& decimals) noexcept {
    constexpr double Limit = 1125899906842624.0; // 2^50
    for (decimals = 0; decimals <= 22; ++decimals) {
        const double scaled = magnitude * ExactPowersOfTen[decimals];
        if (!(scaled < Limit)) return false;
        const double whole = (scaled + RoundingBias) - RoundingBias;
        if (whole != 0 && whole / ExactPowersOfTen[decimals] == magnitude) {
            digits = static_cast<std::uint64_t>(whole);
            return true;
        }
    }
    return false;
}

// The same for a 32-bit float. The float times 10^k (k <= 12) is exact in a
// double, so the distance of each candidate from it is exact too; it reads
// back when within half the float's spacing on its side (a tie goes to the
// even float).
// Below 2^24 whole numbers are all distinct floats, so no shorter text
// rounds the whole part.
inline bool ShortDecimal(float value, std::uint64_t& digits, int& decimals) noexcept {
    constexpr double Limit = 16777216.0; // 2^24
    const double magnitude = std::fabs(static_cast<double>(value));
    if (!(magnitude < Limit)) return false;
    const auto bits = std::bit_cast<std::uint32_t>(std::fabs(value));
    const int biased = static_cast<int>(bits >> 23);
    if (biased == 0 || biased == 0xFF) return false;               // subnormal, infinite or NaN
    const double halfSpacing = std::ldexp(1.0, biased - 127 - 24); // half the spacing above
    const bool evenFloat = (bits & 1) == 0;
    const double halfBelow = (bits & 0x7FFFFF) == 0 ? halfSpacing / 2 : halfSpacing; // a power of two: finer below
    for (decimals = 0; decimals <= 12; ++decimals) {
        const double scaled = magnitude * ExactPowersOfTen[decimals];
        if (!(scaled < RoundingBias)) return false;
        const double whole = (scaled + RoundingBias) - RoundingBias;
        const double distance = whole - scaled; // exact
        const double bound = (distance < 0 ? halfBelow : halfSpacing) * ExactPowersOfTen[decimals];
        const double away = std::fabs(distance);
        if (whole != 0 && (away < bound || (away == bound && evenFloat))) {
            digits = static_cast<std::uint64_t>(whole);
            return true;
        }
    }
    return false;
}

} // namespace detail

// The shortest round-trip text of a finite non-zero value at `out` (room
// for 32 characters); returns its end. Values from 10^-3 up take the short way.
template <typename Real> char* PutShortest(char* out, Real value) noexcept {
    std::uint64_t digits = 0;
    int decimals = 0;
    const Real magnitude = std::fabs(value);
    if (magnitude >= Real(1e-3) && detail::ShortDecimal(value < 0 ? magnitude : value, digits, decimals)) {
        return detail::PutDecimal(out, value < 0, digits, decimals);
    }
    return std::to_chars(out, out + 32, value).ptr;
}

} // namespace tolvanor
