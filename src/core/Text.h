// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// Upper-cases ASCII a-z only; every other byte is kept as read.
std::string UpperAscii(std::string_view text);
// Removes leading and trailing spaces (not tabs).
std::string_view TrimSpaces(std::string_view text) noexcept;
// Removes leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text) noexcept;
// Splits at every separator; no quoting, no trimming; no separator gives one field.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);
// The last `count` bytes (all of them when shorter).
std::string_view RightText(std::string_view text, std::size_t count) noexcept;

} // namespace tolvanor
