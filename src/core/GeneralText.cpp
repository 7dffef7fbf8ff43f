// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneralText.h"

#include <charconv>

namespace tolvanor {

namespace {

template <typename Real>
std::string GeneralWithPrecision(Real value, int precision) {
    if (value == 0) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

template <typename Real>
std::string Shortest(Real value) {
    if (value == 0) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string GeneralText(double value) {
    return GeneralWithPrecision(value, 15);
}

std::string GeneralText(float value) {
    return GeneralWithPrecision(value, 7);
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
