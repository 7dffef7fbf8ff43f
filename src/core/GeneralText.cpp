// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneralText.h"

#include "core/MaskText.h"
#include "core/SignificantDigits.h"

#include <charconv>
#include <cmath>

namespace tolvanor {

namespace {

// Plain decimal, what %G writes for exponents from -4 up to the precision,
// from the significant digits; nothing for what needs the exponent form or
// lies outside the digits' exact route.
std::optional<std::string_view> PlainGeneral(std::span<char> buffer, double value, int precision) noexcept {
    std::uint64_t digits = 0;
    int exponent = 0;
    if (buffer.size() < ShortNumberTextSize) return std::nullopt;
    char* const end = buffer.data() + buffer.size();
    if (value == 0) { // a negative zero too
        *(end - 1) = '0';
        return std::string_view(end - 1, 1);
    }
    if (!std::isfinite(value) || !SignificantDigits(std::fabs(value), precision, digits, exponent) || exponent < -4 ||
        exponent >= precision) {
        return std::nullopt;
    }
    // Trailing zeros of the fraction are dropped.
    int kept = precision;
    for (; kept > exponent + 1 && digits % 10 == 0; --kept) digits /= 10;
    char* at = WriteScaledBefore(end, digits, kept - exponent - 1); // the digits after the point
    if (*at == '.') *--at = '0';
    if (value < 0) *--at = '-';
    return std::string_view(at, static_cast<std::size_t>(end - at));
}

template <typename Real> void AppendGeneral(std::string& out, Real value, int precision) {
    char buffer[ShortNumberTextSize];
    if (const auto text = PlainGeneral(buffer, value, precision)) {
        out += *text;
        return;
    }
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

std::optional<std::string_view> ShortGeneralText(std::span<char> buffer, double value) noexcept {
    return PlainGeneral(buffer, value, 15);
}

std::optional<std::string_view> ShortGeneralText(std::span<char> buffer, float value) noexcept {
    return PlainGeneral(buffer, value, 7);
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
