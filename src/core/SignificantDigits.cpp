// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SignificantDigits.h"

#include <array>
#include <bit>
#include <cstddef>

namespace tolvanor {

namespace {

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

constexpr auto PowersOfTen = Powers<20>(10);
constexpr auto PowersOfFive = Powers<28>(5); // 5^27 is the last below 2^64

constexpr std::array<double, 23> DoublePowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// About floor(log10(2^binaryExponent)); 78913 / 2^18 is log10(2). The
// decimal exponent of a value with that leading bit may be one off either
// way, which the caller corrects.
int DecimalExponentGuess(int binaryExponent) noexcept {
    return (binaryExponent * 78913) >> 18;
}

} // namespace

std::uint64_t PowerOfTen(int power) noexcept {
    return PowersOfTen[static_cast<std::size_t>(power)];
}

double ExactPowerOfTen(int power) noexcept {
    return DoublePowersOfTen[static_cast<std::size_t>(power)];
}

bool SignificantDigits(double value, int precision, std::uint64_t& digits, int& exponent) noexcept {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : (fraction | (std::uint64_t{1} << 52));
    const int binaryExponent = biased == 0 ? -1074 : biased - 1075;
    if (mantissa == 0) return false;

    const std::uint64_t low = PowerOfTen(precision - 1);
    const std::uint64_t high = PowerOfTen(precision);
    // value x 10^k should have `precision` digits before the point.
    int k = precision - 1 - DecimalExponentGuess(std::bit_width(mantissa) - 1 + binaryExponent);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (k < 0 || k >= static_cast<int>(PowersOfFive.size())) return false;
        // value x 10^k = mantissa x 5^k x 2^(binaryExponent + k), exactly.
        const Uint128 product = static_cast<Uint128>(mantissa) * PowersOfFive[static_cast<std::size_t>(k)];
        const int shift = -(binaryExponent + k);
        Uint128 quotient = 0;
        bool roundUp = false;
        if (shift <= 0) {
            if (-shift > 10) return false;
            quotient = product << -shift;
        } else {
            if (shift >= 127) return false;
            quotient = product >> shift;
            const Uint128 remainder = product & ((Uint128{1} << shift) - 1);
            const Uint128 half = Uint128{1} << (shift - 1);
            roundUp = remainder > half || (remainder == half && (quotient & 1) != 0);
        }
        if (quotient >= high || quotient < low) {
            k += quotient < low ? 1 : -1;
            continue;
        }
        digits = static_cast<std::uint64_t>(quotient) + (roundUp ? 1 : 0);
        if (digits == high) { // 9.99...5 rounds up to the next power of ten
            digits = low;
            --k;
        }
        exponent = precision - 1 - k;
        return true;
    }
    return false;
}

} // namespace tolvanor
