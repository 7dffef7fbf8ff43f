// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tolvanor {

// A number's default text: up to 7 significant digits for a 32-bit float,
// 15 for a 64-bit float (as %G writes them), plain decimal for an integer.
// A negative zero is "0". So 0.5 -> "0.5", 12345678.0f -> "1.234568E+07".
std::string GeneralText(double value);
std::string GeneralText(float value);
std::string GeneralText(std::int64_t value);
inline std::string GeneralText(std::int32_t value) { return GeneralText(static_cast<std::int64_t>(value)); }
inline std::string GeneralText(std::int16_t value) { return GeneralText(static_cast<std::int64_t>(value)); }
// The same texts appended to `out`, allocating nothing else.
void AppendGeneralText(std::string& out, double value);
void AppendGeneralText(std::string& out, float value);
// The same texts of the everyday values (those written in plain decimal)
// at the end of `buffer` (of at least ShortNumberTextSize characters, from
// MaskText.h) as a view into it; nothing for the others.
std::optional<std::string_view> ShortGeneralText(std::span<char> buffer, double value) noexcept;
std::optional<std::string_view> ShortGeneralText(std::span<char> buffer, float value) noexcept;

// An integer with one leading blank when not negative: " 12", "-3".
std::string LeadingBlankText(std::int64_t value);

// The shortest text that reads back to the same value in its own type:
// "0", "12.5", "1e-05", "402511.37505". A negative zero is "0".
std::string ShortestText(double value);
std::string ShortestText(float value);

} // namespace tolvanor
