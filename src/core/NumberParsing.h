// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace tolvanor {

// Numbers never follow the machine's locale: "." is the point, "-" the sign.
// Grammar: [+-] then digits, digits., digits.digits or .digits, then
// optionally E|e [+-] digits.

// Length of the longest prefix of `text` that is a number (0 when none).
std::size_t NumberPrefixLength(std::string_view text) noexcept;

// The whole text (surrounding spaces and tabs allowed) is a number.
bool IsNumberText(std::string_view text) noexcept;

// The value of the leading number after leading spaces and tabs; 0 when
// there is none. Out-of-range values saturate to the largest finite double.
double LeadingNumberValue(std::string_view text) noexcept;
// The same rounded once, straight from the text, to a 32-bit float; out of
// range saturates to the largest finite float.
float LeadingNumberValueSingle(std::string_view text) noexcept;

enum class ConversionStatus { Ok, TypeMismatch, Overflow };

// Strict conversions: the text (surrounding spaces and tabs allowed) must be
// a number; a value that rounds to infinity in the target type overflows.
// Values too small for the type become zero. The float conversion rounds
// once, straight from the decimal text.
ConversionStatus StrictToDouble(std::string_view text, double& value) noexcept;
ConversionStatus StrictToFloat(std::string_view text, float& value) noexcept;

// Readable bytes a padded conversion may look at past the end of its text.
inline constexpr std::size_t NumberPadding = 16;

// StrictToDouble and StrictToFloat, with the same results, for a text that
// lies in memory followed by at least NumberPadding readable bytes (looked
// at, never used): plain decimals of up to seven digits on either side of
// the point, the bulk of a survey file, are read eight digits at a time.
ConversionStatus PaddedStrictToDouble(std::string_view text, double& value) noexcept;
ConversionStatus PaddedStrictToFloat(std::string_view text, float& value) noexcept;

} // namespace tolvanor
