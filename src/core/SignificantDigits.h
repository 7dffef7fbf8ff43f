// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The decimal digits of binary values without going through text, shared
// by the number texts. Inline: they run for every number of a whole-job pass.

namespace tolvanor {

namespace detail {
__extension__ typedef unsigned __int128 Uint128;

template <std::size_t Count> constexpr std::array<std::uint64_t, Count> Powers(std::uint64_t base) {
    std::array<std::uint64_t, Count> powers{};
    std::uint64_t power = 1;
    for (auto& entry : powers) {
        entry = power;
        power *= base;
    }
    return powers;
}

inline constexpr auto PowersOfFive = Powers<28>(5); // 5^27 is the last below 2^64

inline constexpr auto DigitPairs = [] { // "00" to "99"
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();
} // namespace detail

// 10^0 to 10^19.
inline constexpr auto PowersOfTen = detail::Powers<20>(10);

// 10^-22 to 10^22, the nearest doubles: NearPowersOfTen[22 + n] is about 10^n.
inline constexpr double NearPowersOfTen[] = {
    1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
    1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,  1e7,
    1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21, 1e22};
// 10^0 to 10^22, all exact as doubles.
inline constexpr const double* ExactPowersOfTen = NearPowersOfTen + 22;

// floor(log10(value)) of a positive finite value. 78913 / 2^18 is log10(2),
// so the leading bit gives it or one less, and a comparison settles that
// (from 1e-22 to 1e22). Right at a power of ten below 1, and outside that
// range, it may be one off; callers allow for that.
inline int DecimalExponent(double value) noexcept {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const int leadingBit = biased != 0 ? biased - 1023 : std::bit_width(bits) - 1075;
    int exponent = leadingBit * 78913 >> 18;
    if (exponent >= -23 && exponent < 22 && value >= NearPowersOfTen[22 + exponent + 1]) ++exponent;
    return exponent;
}

// The first `precision` (1 to 15) significant decimal digits of a positive
// finite value, rounded as printf rounds them (the exact binary value, ties
// to even): value ~ digits x 10^(exponent - precision + 1) with
// 10^(precision-1) <= digits < 10^precision. Exact arithmetic, no text.
// False when the value lies outside this route's range (below about 1e-20
// or from 10^precision up); callers then take the general road.
inline bool SignificantDigits(double value, int precision, std::uint64_t& digits, int& exponent) noexcept {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : (fraction | (std::uint64_t{1} << 52));
    const int binaryExponent = biased == 0 ? -1074 : biased - 1075;
    if (mantissa == 0) return false;

    const std::uint64_t low = PowersOfTen[static_cast<std::size_t>(precision - 1)];
    const std::uint64_t high = PowersOfTen[static_cast<std::size_t>(precision)];
    // value x 10^k should have `precision` digits before the point.
    int k = precision - 1 - DecimalExponent(value);
    const auto finish = [&](std::uint64_t whole, bool roundUp) {
        digits = whole + (roundUp ? 1 : 0);
        if (digits == high) { // 9.99...5 rounds up to the next power of ten
            digits = low;
            --k;
        }
        exponent = precision - 1 - k;
        return true;
    };
    // A value of 24 significant bits (any 32-bit float) times 10^k up to 10^10
    // is exact in a double, so its digits come from one multiplication.
    constexpr std::uint64_t BelowSingleBits = (std::uint64_t{1} << 29) - 1;
    if ((mantissa & BelowSingleBits) == 0 && k >= 0 && k <= 10) {
        const double scaled = value * ExactPowersOfTen[k];
        if (scaled >= static_cast<double>(low) && scaled < static_cast<double>(high)) {
            const auto whole = static_cast<std::uint64_t>(scaled);
            const double rest = scaled - static_cast<double>(whole);
            return finish(whole, rest > 0.5 || (rest == 0.5 && (whole & 1) != 0));
        }
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (k < 0 || k >= static_cast<int>(detail::PowersOfFive.size())) return false;
        // value x 10^k = mantissa x 5^k x 2^(binaryExponent + k), exactly.
        const detail::Uint128 product =
            static_cast<detail::Uint128>(mantissa) * detail::PowersOfFive[static_cast<std::size_t>(k)];
        const int shift = -(binaryExponent + k);
        detail::Uint128 quotient = 0;
        bool roundUp = false;
        if (shift <= 0) {
            if (-shift > 10) return false;
            quotient = product << -shift;
        } else {
            if (shift >= 127) return false;
            quotient = product >> shift;
            // The bits shifted out, moved to the top: above a half, or a tie to even.
            const detail::Uint128 tail = product << (128 - shift);
            constexpr detail::Uint128 Half = detail::Uint128{1} << 127;
            roundUp = tail > Half || (tail == Half && (quotient & 1) != 0);
        }
        if (quotient >= high || quotient < low) {
            k += quotient < low ? 1 : -1;
            continue;
        }
        return finish(static_cast<std::uint64_t>(quotient), roundUp);
    }
    return false;
}

namespace detail {
template <typename Unsigned> char* WriteScaledBefore(char* end, Unsigned units, int decimals) noexcept {
    const auto pair = [&](Unsigned twoDigits) {
        end -= 2;
        std::memcpy(end, &DigitPairs[2 * twoDigits], 2);
    };
    int left = decimals;
    for (; left >= 2; left -= 2, units /= 100) pair(units % 100);
    if (left == 1) {
        *--end = static_cast<char>('0' + units % 10);
        units /= 10;
    }
    if (decimals > 0) *--end = '.';
    for (; units >= 100; units /= 100) pair(units % 100);
    if (units >= 10) {
        pair(units);
    } else if (units > 0) {
        *--end = static_cast<char>('0' + units);
    }
    return end;
}
} // namespace detail

// Writes units / 10^decimals backwards from `end`, without sign and without
// a "0" before the point ("12.50", ".05"; nothing for zero without decimals);
// returns where the text starts. Two digits at a time, in 32 bits when the
// units allow.
inline char* WriteScaledBefore(char* end, std::uint64_t units, int decimals) noexcept {
    if (units <= 0xFFFFFFFF) return detail::WriteScaledBefore(end, static_cast<std::uint32_t>(units), decimals);
    return detail::WriteScaledBefore(end, units, decimals);
}

} // namespace tolvanor
