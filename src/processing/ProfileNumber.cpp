// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/ProfileNumber.h"

#include "core/NumberParsing.h"
#include "core/Rounding.h"
#include "core/Text.h"

namespace tolvanor {

namespace {

// The last `width` characters of the text padded on the left with zeros;
// longer numbers lose their leftmost digits ("1234" -> "234").
std::string ZeroPadded(std::string_view digits, std::size_t width) {
    const std::string padded = std::string(width, '0') + std::string(digits);
    return std::string(RightText(padded, width));
}

// "12" -> "012", "-3" -> "-03": a leading minus keeps its place and two digits follow.
std::string PaddedPart(std::string_view part) {
    if (!part.empty() && part.front() == '-') return "-" + ZeroPadded(part.substr(1), 2);
    return ZeroPadded(part, 3);
}

// "." wins over "+" when a text holds both ("12+3.5" splits at the point).
std::string_view SeparatorOf(std::string_view text) {
    if (text.find('.') != std::string_view::npos) return ".";
    if (text.find('+') != std::string_view::npos) return "+";
    return {};
}

} // namespace

std::string FormatProfileNumber(std::string_view text, bool threeDigits) {
    if (!threeDigits) return std::string(text);
    const auto separator = SeparatorOf(text);
    if (separator.empty()) return UpperAscii(PaddedPart(text));

    // Only the first two parts count: "1.2.3" keeps "1" and "2".
    const auto parts = SplitFields(text, separator.front());
    const std::string_view second = parts.size() > 1 ? parts[1] : std::string_view{};
    return UpperAscii(PaddedPart(parts[0]) + std::string(separator) + std::string(second));
}

std::int16_t ExtractInteger(std::string_view text) {
    std::string digits;
    double sign = 1;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            // A minus anywhere right before a digit makes the whole number negative.
            if (at > 0 && text[at - 1] == '-') sign = -1;
            digits.push_back(c);
        } else if ((c == ' ' || c == ',') && !digits.empty()) {
            break;
        }
    }
    if (digits.empty()) return 0;
    return RoundToInt16(LeadingNumberValue(digits) * sign);
}

} // namespace tolvanor
