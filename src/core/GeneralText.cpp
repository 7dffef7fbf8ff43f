// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneralText.h"

#include "core/SignificantDigits.h"

#include <charconv>
#include <cmath>

namespace tolvanor {

namespace {

// Plain decimal (what %G writes for exponents from -4 up to the precision)
// from the significant digits; false for what needs the exponent form or
// lies outside the digits' exact route.
bool AppendPlainGeneral(std::string& out, double value, int precision) {
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!SignificantDigits(std::fabs(value), precision, digits, exponent) || exponent < -4 || exponent >= precision) {
        return false;
    }
    char text[20];
    std::to_chars(text, text + sizeof text, digits);
    int last = precision; // trailing zeros of the fraction are dropped
    while (last > exponent + 1 && text[last - 1] == '0') --last;

    char buffer[32];
    char* at = buffer;
    if (value < 0) *at++ = '-';
    if (exponent < 0) {
        *at++ = '0';
        *at++ = '.';
        for (int zero = exponent + 1; zero < 0; ++zero) *at++ = '0';
        for (int i = 0; i < last; ++i) *at++ = text[i];
    } else {
        for (int i = 0; i <= exponent; ++i) *at++ = text[i];
        if (last > exponent + 1) *at++ = '.';
        for (int i = exponent + 1; i < last; ++i) *at++ = text[i];
    }
    out.append(buffer, at);
    return true;
}

template <typename Real> void AppendGeneral(std::string& out, Real value, int precision) {
    if (value == 0) {
        out.push_back('0');
        return;
    }
    if (std::isfinite(value) && AppendPlainGeneral(out, static_cast<double>(value), precision)) return;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    for (char* at = buffer; at != result.ptr; ++at) out.push_back(*at == 'e' ? 'E' : *at);
}

template <typename Real> std::string Shortest(Real value) {
    if (value == 0) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

void AppendGeneralText(std::string& out, double value) {
    AppendGeneral(out, value, 15);
}

void AppendGeneralText(std::string& out, float value) {
    AppendGeneral(out, value, 7);
}

void AppendGeneralText(std::string& out, std::int64_t value) {
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string GeneralText(double value) {
    std::string text;
    AppendGeneralText(text, value);
    return text;
}

std::string GeneralText(float value) {
    std::string text;
    AppendGeneralText(text, value);
    return text;
}

std::string GeneralText(std::int64_t value) {
    return std::to_string(value);
}

std::string LeadingBlankText(std::int64_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string ShortestText(double value) {
    return Shortest(value);
}

std::string ShortestText(float value) {
    return Shortest(value);
}

} // namespace tolvanor
