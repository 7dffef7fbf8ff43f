// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Text.h"

namespace tolvanor {

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

namespace {
std::string_view TrimAny(std::string_view text, std::string_view blanks) noexcept {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
} // namespace

std::string_view TrimSpaces(std::string_view text) noexcept {
    return TrimAny(text, " ");
}

std::string_view TrimBlanks(std::string_view text) noexcept {
    return TrimAny(text, " \t");
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const auto next = text.find(separator, start);
        if (next == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, next - start));
        start = next + 1;
    }
}

std::string_view RightText(std::string_view text, std::size_t count) noexcept {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

} // namespace tolvanor
