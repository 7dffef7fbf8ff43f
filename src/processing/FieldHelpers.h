// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

// Right-aligned fixed-width text: with decimals other than 0 the value goes
// through a mask of `width` "#" (and the decimals), otherwise its general
// text; the result is the last `width` characters of the text padded with
// spaces on the left, so longer texts lose their leftmost characters.
std::string RFormat(double value, int width, int decimals = 0);
std::string RFormat(float value, int width, int decimals = 0);
std::string RFormat(std::int64_t value, int width, int decimals = 0);
inline std::string RFormat(std::int32_t value, int width, int decimals = 0) {
    return RFormat(static_cast<std::int64_t>(value), width, decimals);
}
inline std::string RFormat(std::int16_t value, int width, int decimals = 0) {
    return RFormat(static_cast<std::int64_t>(value), width, decimals);
}
std::string RFormat(std::string_view value, int width, int decimals = 0);

// Keeps Backspace, "-", "." and digits; any other key code becomes 0.
std::int16_t NumericKeyFilter(std::int16_t key);

std::string YesNo(bool value);
// The first character is an upper-case "Y".
bool IsYes(std::string_view text);
bool FileExists(const std::string& path);

} // namespace tolvanor
