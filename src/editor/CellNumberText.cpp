// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CellNumberText.h"

#include "core/NumberParsing.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tolvanor {

namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr std::array<std::uint64_t, 20> PowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

constexpr std::array<std::uint64_t, 28> PowersOfFive = [] {
    std::array<std::uint64_t, 28> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 5;
    }
    return powers;
}();

// Exactly representable powers of ten for the fast decimal-to-binary route.
constexpr std::array<double, 23> DoublePowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::array<float, 11> FloatPowersOfTen = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// floor(log10(x)) from the binary exponent: right or one too small, which
// the caller corrects.
int DecimalExponentGuess(int binaryExponentOfLeadingBit) noexcept {
    // 78913 / 2^18 is log10(2) to six places; the shift floors.
    return (binaryExponentOfLeadingBit * 78913) >> 18;
}

// The value's `precision` significant decimal digits, rounded as printf
// rounds (exact binary value, ties to even): |value| ~ digits * 10^(exponent
// - precision + 1) with 10^(precision-1) <= digits < 10^precision. False when
// the value lies outside the range this exact integer route covers.
bool SignificantDigits(double absValue, int precision, std::uint64_t& digits, int& exponent) noexcept {
    const auto bits = std::bit_cast<std::uint64_t>(absValue);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : (fraction | (std::uint64_t{1} << 52));
    const int binaryExponent = biased == 0 ? -1074 : biased - 1075;

    const std::uint64_t low = PowersOfTen[static_cast<std::size_t>(precision - 1)];
    const std::uint64_t high = PowersOfTen[static_cast<std::size_t>(precision)];
    int k = precision - 1 - DecimalExponentGuess(std::bit_width(mantissa) - 1 + binaryExponent);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (k < 0 || k >= static_cast<int>(PowersOfFive.size())) return false;
        // absValue * 10^k = mantissa * 5^k * 2^(binaryExponent + k), exactly.
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
        if (quotient >= high) {
            --k;
            continue;
        }
        if (quotient < low) {
            ++k;
            continue;
        }
        digits = static_cast<std::uint64_t>(quotient) + (roundUp ? 1 : 0);
        if (digits == high) {
            digits = low;
            --k;
        }
        exponent = precision - 1 - k;
        return true;
    }
    return false;
}

// The value as an integer count of 10^-decimals after the mask's rounding
// (halves away from zero on the significant digits). False when out of range.
bool MaskedUnits(double absValue, int decimals, ValuePrecision precision, std::uint64_t& units) noexcept {
    if (absValue == 0) {
        units = 0;
        return true;
    }
    const int significant = precision == ValuePrecision::Double ? 15 : 7;
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!SignificantDigits(absValue, significant, digits, exponent)) return false;
    // Digits to drop from the right so that `decimals` remain after the point.
    const int drop = significant - 1 - exponent - decimals;
    if (drop <= 0) {
        if (-drop > 3) return false;
        units = digits * PowersOfTen[static_cast<std::size_t>(-drop)];
    } else if (drop > significant) {
        units = 0;
    } else {
        const auto divisor = PowersOfTen[static_cast<std::size_t>(drop)];
        units = (digits + divisor / 2) / divisor;
    }
    return true;
}

void AppendDecimal(std::string& out, std::uint64_t value) {
    char buffer[20];
    char* at = buffer + sizeof buffer;
    do {
        *--at = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    out.append(at, buffer + sizeof buffer);
}

// A plain decimal text: optional blanks, optional "-", digits with at most one
// point and nothing after. `units` holds all its digits, `scale` how many
// follow the point. False for anything else or more than `maxDigits` digits.
bool PlainDecimal(std::string_view text, int maxDigits, bool& negative, std::uint64_t& units, int& scale) noexcept {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    units = 0;
    scale = 0;
    int digitCount = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        if (++digitCount > maxDigits) return false;
        units = units * 10 + static_cast<std::uint64_t>(c - '0');
        if (point) ++scale;
    }
    return digitCount > 0;
}

// A plain decimal of up to 7 digits (below 2^24) over at most 10^10, both
// exact floats: one correctly rounded division.
bool PlainSingle(std::string_view text, float& value) noexcept {
    bool negative = false;
    std::uint64_t units = 0;
    int scale = 0;
    if (!PlainDecimal(text, 7, negative, units, scale) || scale >= static_cast<int>(FloatPowersOfTen.size())) {
        return false;
    }
    const float magnitude = static_cast<float>(units) / FloatPowersOfTen[static_cast<std::size_t>(scale)];
    value = negative ? -magnitude : magnitude;
    return true;
}

// Writes the masked text; false (nothing written) when the exact route does not cover the value.
bool WriteMaskText(std::string& out, double value, int decimals, ValuePrecision precision, std::uint64_t& units) {
    if (!std::isfinite(value) || decimals > 9 || !MaskedUnits(std::fabs(value), decimals, precision, units)) {
        return false;
    }
    out.clear();
    if (std::signbit(value) && units != 0) out.push_back('-');
    const auto scale = PowersOfTen[static_cast<std::size_t>(decimals)];
    const auto integerPart = units / scale;
    if (integerPart != 0) AppendDecimal(out, integerPart);
    if (decimals == 0) return true;
    out.push_back('.');
    auto fraction = units % scale;
    const auto fractionAt = out.size();
    out.append(static_cast<std::size_t>(decimals), '0');
    for (auto i = static_cast<std::size_t>(decimals); i > 0 && fraction != 0; --i) {
        out[fractionAt + i - 1] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return true;
}

} // namespace

void AssignMaskText(std::string& out, double value, int decimals, ValuePrecision precision) {
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    if (!WriteMaskText(out, value, decimals, precision, units)) out = MaskText(value, decimals, precision);
}

float AssignMaskTextReadBack(std::string& out, float value, int decimals) {
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    const bool written = WriteMaskText(out, value, decimals, ValuePrecision::Single, units);
    // Up to 2^24 units and 10^10 are exact floats: one correctly rounded division,
    // the same value the text converts to.
    if (!written || units > (std::uint64_t{1} << 24) || decimals >= static_cast<int>(FloatPowersOfTen.size())) {
        if (!written) out = MaskText(value, decimals, ValuePrecision::Single);
        return CellSingleValue(out);
    }
    const float magnitude = static_cast<float>(units) / FloatPowersOfTen[static_cast<std::size_t>(decimals)];
    return std::signbit(value) && units != 0 ? -magnitude : magnitude;
}

double CellNumberValue(std::string_view text) noexcept {
    bool negative = false;
    std::uint64_t units = 0;
    int scale = 0;
    // Up to 15 digits and 10^22 both exact: one correctly rounded division.
    if (PlainDecimal(text, 15, negative, units, scale)) {
        const double magnitude = static_cast<double>(units) / DoublePowersOfTen[static_cast<std::size_t>(scale)];
        return negative ? -magnitude : magnitude;
    }
    return LeadingNumberValue(text);
}

bool CellWholeNumber(std::string_view text, double& value) noexcept {
    bool negative = false;
    std::uint64_t units = 0;
    int scale = 0;
    if (PlainDecimal(text, 15, negative, units, scale)) {
        const double magnitude = static_cast<double>(units) / DoublePowersOfTen[static_cast<std::size_t>(scale)];
        value = negative ? -magnitude : magnitude;
        return true;
    }
    if (!IsNumberText(text)) return false;
    value = LeadingNumberValue(text);
    return true;
}

float CellWholeSingleValue(std::string_view text) noexcept {
    float value = 0;
    if (PlainSingle(text, value)) return value;
    return IsNumberText(text) ? CellSingleValue(text) : 0.0f;
}

float CellSingleValue(std::string_view text) noexcept {
    float value = 0;
    if (PlainSingle(text, value)) return value;
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    const auto rest = text.substr(at);
    const auto length = NumberPrefixLength(rest);
    if (length == 0) return 0;
    if (StrictToFloat(rest.substr(0, length), value) == ConversionStatus::Overflow) {
        const float largest = std::numeric_limits<float>::max();
        return rest.front() == '-' ? -largest : largest;
    }
    return value;
}

} // namespace tolvanor
