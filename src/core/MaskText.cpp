// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MaskText.h"

#include "core/NumberParsing.h"
#include "core/SignificantDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tolvanor {

namespace {

int SignificantCount(ValuePrecision precision) {
    return precision == ValuePrecision::Double ? 15 : 7;
}

// Most values need no digits at all: the mask rounds the significant-digit
// text, not the value, but the two lie within half a unit of the text's last
// digit of each other, so they round alike unless a half lies that close to
// the value scaled to the mask. Below 10^(significant - 1) scaled, the text
// has more decimals than the mask, and that half unit is at most half of
// 10^(1 - significant) times the scaled value (the margin is twice that, no
// decimal exponent needed), plus the scaling's own rounding.
bool QuickMaskedUnits(double magnitude, int decimals, ValuePrecision precision, std::uint64_t& units) noexcept {
    const bool isDouble = precision == ValuePrecision::Double;
    const double scaled = magnitude * ExactPowersOfTen[decimals];
    if (!(scaled < (isDouble ? 1e14 : 1e6))) return false;
    const auto whole = static_cast<std::int64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    const double margin = scaled * ((isDouble ? 1e-14 : 1e-6) + 2.3e-16);
    if (std::fabs(fraction - 0.5) <= margin) return false;
    units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

// The masked magnitude as a whole count of 10^-decimals, the quick way or
// from the significant digits in exact arithmetic. False when the value lies
// outside their range (huge values, long masks, non-finite values).
bool MaskedUnits(double value, int decimals, ValuePrecision precision, std::uint64_t& units) noexcept {
    constexpr int MaxDecimals = 19; // 10^decimals stays a 64-bit integer
    const double magnitude = std::fabs(value);
    units = 0;
    if (!std::isfinite(value) || decimals > MaxDecimals) return false;
    if (magnitude == 0) return true;
    if (QuickMaskedUnits(magnitude, decimals, precision, units)) return true;
    const int significant = SignificantCount(precision);
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!SignificantDigits(magnitude, significant, digits, exponent)) {
        // Far below the mask's last half step even once written with its digits: zero.
        return magnitude * ExactPowersOfTen[decimals] < 0.4;
    }
    // Digits to drop from the right so that `decimals` remain after the point.
    const int drop = significant - 1 - exponent - decimals;
    if (drop <= 0) {
        if (-drop > 19 - significant) return false; // past 64 bits
        units = digits * PowersOfTen[static_cast<std::size_t>(-drop)];
    } else if (drop <= significant) {
        const std::uint64_t divisor = PowersOfTen[static_cast<std::size_t>(drop)];
        units = (digits + divisor / 2) / divisor; // halves away from zero
    }
    return true;
}

// The general road, for what the integer one does not cover: the value's
// significant-digit text rounded as text.
void AppendMaskTextByText(std::string& out, double value, int decimals, ValuePrecision precision) {
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
        return;
    }
    char buffer[32];
    const int significant = SignificantCount(precision);
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    std::string digits;
    for (const char c : text.substr(0, text.find('e'))) {
        if (c != '.') digits.push_back(c);
    }
    const char* exponentAt = text.data() + text.find('e') + 1;
    int pointAt = 0; // digits before the point
    std::from_chars(exponentAt + (*exponentAt == '+' ? 1 : 0), text.data() + text.size(), pointAt);
    ++pointAt;

    // Round the digits to `decimals` places, halves away from zero.
    const int keep = pointAt + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < significant) {
        const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        int at = keep - 1;
        for (; roundUp && at >= 0 && digits[static_cast<std::size_t>(at)] == '9'; --at) {
            digits[static_cast<std::size_t>(at)] = '0';
        }
        if (roundUp && at >= 0) ++digits[static_cast<std::size_t>(at)];
        if (roundUp && at < 0) {
            digits.insert(digits.begin(), '1');
            ++pointAt;
        }
    }
    const auto digitAt = [&](int position) {
        return position >= 0 && position < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(position)]
                                                                           : '0';
    };
    std::string masked;
    for (int i = 0; i < pointAt; ++i) {
        if (!masked.empty() || digitAt(i) != '0') masked.push_back(digitAt(i));
    }
    const bool zero = masked.empty() && digits.find_first_not_of('0') == std::string::npos;
    if (decimals > 0) masked.push_back('.');
    for (int i = 0; i < decimals; ++i) masked.push_back(digitAt(pointAt + i));
    if (value < 0 && !zero) out.push_back('-');
    out += masked;
}

} // namespace

bool ShortMask(double value, int decimals, ValuePrecision precision, ShortNumber& number) noexcept {
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    if (!MaskedUnits(value, decimals, precision, units)) return false;
    number = MakeShortNumber(units, decimals, std::signbit(value) && units != 0, false);
    return true;
}

std::optional<std::string_view> ShortMaskText(std::span<char> buffer, double value, int decimals,
                                              ValuePrecision precision) noexcept {
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    if (buffer.size() < ShortNumberTextSize || !MaskedUnits(value, decimals, precision, units)) return std::nullopt;
    char* const end = buffer.data() + buffer.size();
    char* start = WriteScaledBefore(end, units, decimals);
    if (std::signbit(value) && units != 0) *--start = '-';
    return std::string_view(start, static_cast<std::size_t>(end - start));
}

void AppendMaskText(std::string& out, double value, int decimals, ValuePrecision precision) {
    char buffer[ShortNumberTextSize];
    if (const auto text = ShortMaskText(buffer, value, decimals, precision)) {
        out += *text;
    } else {
        AppendMaskTextByText(out, value, decimals < 0 ? 0 : decimals, precision);
    }
}

std::string MaskText(double value, int decimals, ValuePrecision precision) {
    std::string text;
    AppendMaskText(text, value, decimals, precision);
    return text;
}

std::string MaskText(std::string_view text, int decimals) {
    double value = 0;
    if (StrictToDouble(text, value) != ConversionStatus::Ok) return std::string(text);
    return MaskText(value, decimals, ValuePrecision::Double);
}

// Units and 10^decimals both exact in the type: one correctly rounded
// division gives what reading the text would.
double MaskedValue(double value, int decimals, ValuePrecision precision) {
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    if (!MaskedUnits(value, decimals, precision, units) || units > (std::uint64_t{1} << 53)) {
        return LeadingNumberValue(MaskText(value, decimals, precision));
    }
    const double magnitude = static_cast<double>(units) / ExactPowersOfTen[decimals];
    return std::signbit(value) && units != 0 ? -magnitude : magnitude;
}

float MaskedValue(float value, int decimals) {
    constexpr int MaxExactPower = 10; // 10^10 is the last power of ten exact in a float
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    if (!MaskedUnits(value, decimals, ValuePrecision::Single, units) || units > (std::uint64_t{1} << 24) ||
        decimals > MaxExactPower) {
        return LeadingNumberValueSingle(MaskText(value, decimals));
    }
    const float magnitude = static_cast<float>(units) / static_cast<float>(ExactPowersOfTen[decimals]);
    return std::signbit(value) && units != 0 ? -magnitude : magnitude;
}

} // namespace tolvanor
