// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Remark.h"

#include "processing/ProfileNumber.h"

namespace tolvanor {

namespace {
constexpr std::string_view NoNumber = "No Number";

char UpperAsciiChar(char c) noexcept {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

bool IsProfileRemark(std::string_view remark) noexcept {
    return remark.size() >= 3 && UpperAsciiChar(remark[0]) == 'P' && UpperAsciiChar(remark[1]) == 'R' &&
           UpperAsciiChar(remark[2]) == 'O';
}

std::string_view RawProfileNumber(std::string_view remark) noexcept {
    if (remark.size() <= 3) return {};
    const auto rest = remark.substr(3);
    return rest.substr(0, rest.find(' '));
}

std::string ProfileNumberFromRemark(std::string_view remark, bool threeDigits) {
    if (remark.size() <= 3) return std::string(NoNumber);
    return FormatProfileNumber(RawProfileNumber(remark), threeDigits);
}

std::string_view ShotTypeFromRemark(std::string_view remark) noexcept {
    const auto firstSpace = remark.find(' ');
    if (firstSpace == std::string_view::npos) return {};
    auto second = remark.substr(firstSpace + 1);
    second = second.substr(0, second.find(' '));
    if (second.size() != 1) return {};
    switch (second.front()) {
    case 'A':
    case 'B':
    case 'L':
    case 'S':
    case 'W':
        return second;
    default:
        return {};
    }
}

std::string_view SurveyTypeFromProfileNumber(std::string_view profileNumber) noexcept {
    if (profileNumber.size() < 2) return {};
    const auto last = profileNumber.substr(profileNumber.size() - 2);
    if (last == "BD" || last == "AD" || last == "CS") return last;
    return {};
}

} // namespace tolvanor
