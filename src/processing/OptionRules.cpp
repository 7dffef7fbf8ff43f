// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/OptionRules.h"

#include "core/NumberParsing.h"
#include "processing/FieldHelpers.h"

namespace tolvanor {
namespace {

constexpr char32_t Backspace = 8;

constexpr bool IsAsciiDigit(char32_t key) noexcept {
    return key >= U'0' && key <= U'9';
}
constexpr bool IsAsciiLetter(char32_t key) noexcept {
    return (key >= U'a' && key <= U'z') || (key >= U'A' && key <= U'Z');
}

} // namespace

bool AppendTextKeyAccepted(char32_t key) noexcept {
    return key == Backspace || IsAsciiDigit(key) || IsAsciiLetter(key) || key == U'+' || key == U'-';
}

bool ElevChangeKeyAccepted(char32_t key) noexcept {
    return key == Backspace || IsAsciiDigit(key) || key == U'.' || key == U'%';
}

bool NumericKeyAccepted(char32_t key) noexcept {
    if (key > 0x7F) return false;
    return NumericKeyFilter(static_cast<std::int16_t>(key)) != 0;
}

bool ThinIncKeyAccepted(char32_t key) noexcept {
    return key != U'.' && NumericKeyAccepted(key);
}

bool ThinIncrementValid(std::string_view text) noexcept {
    return LeadingNumberValue(text) > 0.0;
}

bool ElevChangeEnabled(int elevProcessing) noexcept {
    return elevProcessing != 0 && elevProcessing != 3;
}

} // namespace tolvanor
