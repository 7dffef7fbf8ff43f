// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SignificantDigits.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace tolvanor {

// Decimal digits of a positive value: 1233 / 2^12 is about log10(2), so the
// bit width gives the count or one more, and a comparison settles it.
inline int DecimalDigitCount(std::uint64_t value) noexcept {
    const int guess = std::bit_width(value) * 1233 >> 12;
    return guess + 1 - (value < PowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// A number text of the short kind, worked out but not yet written: `Units`
// with `Decimals` digits after the point, as WriteScaledBefore writes them,
// after a "0" and a "-" when asked. Its length is known first, so it can be
// written straight to where it belongs: writing digits to a scratch buffer
// and copying them on makes the copy wait for every small store before it.
struct ShortNumber {
    std::uint64_t Units = 0;
    int Decimals = 0;
    std::size_t Length = 0;   // of the whole text
    bool Negative = false;    // a "-" first
    bool LeadingZero = false; // a "0" before the point (or the lone "0" of zero)
};

// Digits before the point of a short number (none for a zero integer part).
inline std::size_t IntegerDigits(std::uint64_t units, int decimals) noexcept {
    if (units == 0) return 0;
    const int digits = DecimalDigitCount(units);
    return digits > decimals ? static_cast<std::size_t>(digits - decimals) : 0;
}

// A short number with its length worked out from its parts.
inline ShortNumber MakeShortNumber(std::uint64_t units, int decimals, bool negative, bool leadingZero) noexcept {
    const std::size_t integers = IntegerDigits(units, decimals);
    const std::size_t before = integers == 0 && leadingZero ? 1 : integers;
    const std::size_t after = decimals > 0 ? static_cast<std::size_t>(decimals) + 1 : 0;
    return {units, decimals, (negative ? 1 : 0) + before + after, negative, leadingZero};
}

// Writes the text so that it ends at `end`; returns where it starts
// (end - number.Length).
inline char* WriteShortNumberBefore(char* end, const ShortNumber& number) noexcept {
    char* at = WriteScaledBefore(end, number.Units, number.Decimals);
    if (number.LeadingZero) *--at = '0';
    if (number.Negative) *--at = '-';
    return at;
}

} // namespace tolvanor
