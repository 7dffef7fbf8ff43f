// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MaskText.h"

#include "core/NumberParsing.h"

#include <charconv>
#include <cmath>

namespace tolvanor {

namespace {

struct DecimalDigits {
    bool negative = false;
    std::string digits; // significant digits, no point
    int pointAt = 0;    // digits before the decimal point (may be <= 0 or > size)
};

DecimalDigits ToSignificantDigits(double value, int significant) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalDigits out;
    std::size_t at = 0;
    if (text[at] == '-') {
        out.negative = true;
        ++at;
    }
    const auto ePos = text.find('e');
    for (; at < ePos; ++at) {
        if (text[at] != '.') out.digits.push_back(text[at]);
    }
    int exponent = 0;
    const char* expBegin = text.data() + ePos + 1;
    if (*expBegin == '+') ++expBegin;
    std::from_chars(expBegin, text.data() + text.size(), exponent);
    out.pointAt = exponent + 1;
    return out;
}

// Rounds the digit text to `decimals` places, halves away from zero.
void RoundDigits(DecimalDigits& number, int decimals) {
    const int keep = number.pointAt + decimals;
    if (keep >= static_cast<int>(number.digits.size())) return;
    if (keep < 0) {
        number.digits.clear();
        return;
    }
    const bool roundUp = number.digits[static_cast<std::size_t>(keep)] >= '5';
    number.digits.resize(static_cast<std::size_t>(keep));
    if (!roundUp) return;
    int at = keep - 1;
    while (at >= 0 && number.digits[static_cast<std::size_t>(at)] == '9') {
        number.digits[static_cast<std::size_t>(at)] = '0';
        --at;
    }
    if (at >= 0) {
        ++number.digits[static_cast<std::size_t>(at)];
    } else {
        number.digits.insert(number.digits.begin(), '1');
        ++number.pointAt;
    }
}

char DigitAt(const DecimalDigits& number, int position) {
    // position counts from the first significant digit
    if (position < 0 || position >= static_cast<int>(number.digits.size())) return '0';
    return number.digits[static_cast<std::size_t>(position)];
}

} // namespace

std::string MaskText(double value, int decimals, ValuePrecision precision) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    if (decimals < 0) decimals = 0;
    DecimalDigits number = ToSignificantDigits(value, precision == ValuePrecision::Double ? 15 : 7);
    RoundDigits(number, decimals);

    std::string integerPart;
    for (int i = 0; i < number.pointAt; ++i) integerPart.push_back(DigitAt(number, i));
    const auto firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? std::string() : integerPart.substr(firstNonZero);

    std::string fraction;
    for (int i = 0; i < decimals; ++i) fraction.push_back(DigitAt(number, number.pointAt + i));

    const bool isZero = integerPart.empty() && fraction.find_first_not_of('0') == std::string::npos;
    std::string text;
    if (number.negative && !isZero) text.push_back('-');
    text += integerPart;
    if (decimals > 0) {
        text.push_back('.');
        text += fraction;
    }
    return text;
}

std::string MaskText(std::string_view text, int decimals) {
    double value = 0;
    if (StrictToDouble(text, value) != ConversionStatus::Ok) return std::string(text);
    return MaskText(value, decimals, ValuePrecision::Double);
}

} // namespace tolvanor
