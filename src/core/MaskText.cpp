// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MaskText.h"

#include "core/NumberParsing.h"
#include "core/SignificantDigits.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tolvanor {

namespace {

int SignificantCount(ValuePrecision precision) {
    return precision == ValuePrecision::Double ? 15 : 7;
}

// The everyday road: the masked magnitude as a whole count of 10^-decimals,
// from the significant digits in exact integer arithmetic. False when the
// value lies outside its range (huge values, long masks, non-finite values).
bool MaskedUnits(double value, int decimals, ValuePrecision precision, std::uint64_t& units) noexcept {
    constexpr int MaxDecimals = 19; // 10^decimals stays a 64-bit integer
    const double magnitude = std::fabs(value);
    units = 0;
    if (!std::isfinite(value) || decimals > MaxDecimals) return false;
    if (magnitude == 0) return true;
    const int significant = SignificantCount(precision);
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!SignificantDigits(magnitude, significant, digits, exponent)) {
        // Far below the mask's last half step even once written with its digits: zero.
        return magnitude * ExactPowerOfTen(decimals) < 0.4;
    }
    // Digits to drop from the right so that `decimals` remain after the point.
    const int drop = significant - 1 - exponent - decimals;
    if (drop <= 0) {
        if (-drop > 19 - significant) return false; // past 64 bits
        units = digits * PowerOfTen(-drop);
    } else if (drop <= significant) {
        const std::uint64_t divisor = PowerOfTen(drop);
        units = (digits + divisor / 2) / divisor; // halves away from zero
    }
    return true;
}

// Writes the text of (negative ? -1 : 1) x units / 10^decimals; returns its end.
char* WriteUnits(char* out, bool negative, std::uint64_t units, int decimals) noexcept {
    if (negative && units != 0) *out++ = '-';
    const std::uint64_t scale = PowerOfTen(decimals);
    if (units >= scale) out = std::to_chars(out, out + 20, units / scale).ptr;
    if (decimals == 0) return out;
    *out++ = '.';
    std::uint64_t fraction = units % scale;
    for (int at = decimals - 1; at >= 0; --at) {
        out[at] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + decimals;
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

void AppendMaskText(std::string& out, double value, int decimals, ValuePrecision precision) {
    decimals = decimals < 0 ? 0 : decimals;
    std::uint64_t units = 0;
    if (!MaskedUnits(value, decimals, precision, units)) {
        AppendMaskTextByText(out, value, decimals, precision);
        return;
    }
    char buffer[48]; // sign, 20 integer digits, point, 19 decimals
    out.append(buffer, WriteUnits(buffer, std::signbit(value), units, decimals));
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
    const double magnitude = static_cast<double>(units) / ExactPowerOfTen(decimals);
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
    const float magnitude = static_cast<float>(units) / static_cast<float>(ExactPowerOfTen(decimals));
    return std::signbit(value) && units != 0 ? -magnitude : magnitude;
}

} // namespace tolvanor
