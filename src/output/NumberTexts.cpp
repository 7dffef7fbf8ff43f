// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/NumberTexts.h"

#include "core/GeneralText.h"
#include "output/OutputFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tolvanor {

namespace {

constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double NegPow10[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,  1e-8,  1e-9,  1e-10, 1e-11,
                               1e-12, 1e-13, 1e-14, 1e-15, 1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};
constexpr std::uint64_t IntPow10[] = {1,       10,       100,       1000,       10000,         100000,
                                      1000000, 10000000, 100000000, 1000000000, 10000000000ULL};

constexpr int MaxQuickDecimals = 9;

// k with |value| in [10^(k-1), 10^k). Exact for values of 1 and more (powers
// of ten are exact doubles); below 1 it may be one off, which the callers allow for.
int DigitsBeforePoint(double magnitude) {
    int k = 1;
    if (magnitude >= 1) {
        while (k < 22 && magnitude >= Pow10[k]) ++k;
        return k;
    }
    k = 0;
    while (k > -21 && magnitude < NegPow10[1 - k]) --k;
    return k;
}

char* WriteFixedDigits(char* out, std::uint64_t value, int count) {
    for (int at = count - 1; at >= 0; --at) {
        out[at] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}

} // namespace

std::string_view NumberTexts::Keep(std::string text) {
    spill_ = std::move(text);
    return spill_;
}

// The mask first writes the value with its significant digits, then rounds
// that text to the mask's decimals, halves away from zero. Rounding the value
// straight to the decimals gives the same digits unless it lies within the
// significant-digit text's own rounding step of a half; only then the long way.
std::string_view NumberTexts::Mask(double value, int decimals, ValuePrecision precision) {
    const int significant = precision == ValuePrecision::Double ? 15 : 7;
    const double magnitude = std::fabs(value);
    if (decimals < 0 || decimals > MaxQuickDecimals || !(magnitude < 1e15)) {
        return Keep(MaskText(value, decimals, precision));
    }
    char* out = local_.data();
    if (magnitude == 0) {
        if (decimals == 0) return {};
        *out++ = '.';
        for (int i = 0; i < decimals; ++i) *out++ = '0';
        return {local_.data(), static_cast<std::size_t>(out - local_.data())};
    }
    if (magnitude < 1e-15) return Keep(MaskText(value, decimals, precision));

    const bool belowOne = magnitude < 1;
    const int kept = significant - DigitsBeforePoint(magnitude); // decimals of the significant-digit text
    const double scaled = magnitude * Pow10[decimals];
    if (kept <= decimals || !(scaled < 1e15)) return Keep(MaskText(value, decimals, precision));

    // One step more for a carry into the next power of ten, two below 1.
    // Tiny values keep the table's smallest step, which only widens the margin.
    const int step = std::max(decimals - kept + (belowOne ? 2 : 1), -22);
    const double grain = step >= 0 ? Pow10[step] : NegPow10[-step];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= grain + scaled * 2.3e-16) return Keep(MaskText(value, decimals, precision));

    const std::uint64_t rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (value < 0 && rounded != 0) *out++ = '-';
    const std::uint64_t integerPart = rounded / IntPow10[decimals];
    if (integerPart != 0) out = std::to_chars(out, local_.data() + local_.size(), integerPart).ptr;
    if (decimals > 0) {
        *out++ = '.';
        out = WriteFixedDigits(out, rounded % IntPow10[decimals], decimals);
    }
    return {local_.data(), static_cast<std::size_t>(out - local_.data())};
}

// Seven significant digits as %G writes them. Between 1e-4 and 1e7 the text is
// plain decimal, and the float times the power of ten that brings it to seven
// integer digits is exact in a double, so rounding that product is the answer.
std::string_view NumberTexts::General(float value) {
    if (value == 0) return "0";
    const double magnitude = std::fabs(static_cast<double>(value));
    if (!(magnitude >= 1e-4 && magnitude < 1e7)) return Keep(GeneralText(value));

    int k = DigitsBeforePoint(magnitude);
    double scaled = magnitude * Pow10[7 - k];
    if (scaled < 1e6) {
        --k;
        scaled = magnitude * Pow10[7 - k];
    } else if (scaled >= 1e7) {
        ++k;
        scaled = magnitude * Pow10[7 - k];
    }
    double digits = std::nearbyint(scaled);
    if (digits >= 1e7) {
        if (k == 7) return Keep(GeneralText(value)); // 9999999.5 and up: exponent form
        digits = 1e6;
        ++k;
    }

    char text[8];
    WriteFixedDigits(text, static_cast<std::uint64_t>(digits), 7);
    int last = 7; // drop trailing zeros of the fraction
    while (last > std::max(k, 0) && text[last - 1] == '0') --last;

    char* out = local_.data();
    if (value < 0) *out++ = '-';
    if (k > 0) {
        for (int i = 0; i < k; ++i) *out++ = text[i];
        if (last > k) {
            *out++ = '.';
            for (int i = k; i < last; ++i) *out++ = text[i];
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = k; i < 0; ++i) *out++ = '0';
        for (int i = 0; i < last; ++i) *out++ = text[i];
    }
    return {local_.data(), static_cast<std::size_t>(out - local_.data())};
}

std::string_view NumberTexts::Integer(std::int64_t value) {
    const auto result = std::to_chars(local_.data(), local_.data() + local_.size(), value);
    return {local_.data(), static_cast<std::size_t>(result.ptr - local_.data())};
}

void WriteRightAligned(OutputFile& file, std::string_view text, int width) {
    if (width <= 0) return;
    const auto size = static_cast<std::size_t>(width);
    if (text.size() >= size) {
        file.Write(text.substr(text.size() - size));
    } else {
        file.PutSpaces(size - text.size());
        file.Write(text);
    }
}

} // namespace tolvanor
