// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShortNumber.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tolvanor {

// How many significant digits a value carries before a mask rounds it:
// 15 for 64-bit floats and texts, 7 for 32-bit floats.
enum class ValuePrecision { Double, Single };

// The value through a digit mask of "#" with `decimals` zeros after the point
// ("#######.0000" is 4, "#####.0" is 1, "###.00" is 2; 0 for a mask without a
// point). The value is first written with its significant digits, then that
// decimal text is rounded to the mask, halves away from zero. No digit before
// the point for a zero integer part (".5000"), no grouping, no "-" on a value
// that rounds to zero. A whole-number mask writes zero as an empty text.
std::string MaskText(double value, int decimals, ValuePrecision precision = ValuePrecision::Double);
inline std::string MaskText(float value, int decimals) {
    return MaskText(static_cast<double>(value), decimals, ValuePrecision::Single);
}
// A text through a mask: a number text is masked as a 64-bit value, any
// other text comes back unchanged.
std::string MaskText(std::string_view text, int decimals);

// The same text appended to `out`; nothing else is allocated, so passes over
// a whole job can reuse one buffer.
void AppendMaskText(std::string& out, double value, int decimals, ValuePrecision precision = ValuePrecision::Double);
inline void AppendMaskText(std::string& out, float value, int decimals) {
    AppendMaskText(out, static_cast<double>(value), decimals, ValuePrecision::Single);
}

// Room for every text the short forms write: a sign, 20 integer digits, the
// point and 19 decimals.
inline constexpr std::size_t ShortNumberTextSize = 48;

// The same text for the everyday values, worked out to be written where it
// belongs; false for values that take the general road (non-finite, from
// 10^15 up, more than 19 decimals).
bool ShortMask(double value, int decimals, ValuePrecision precision, ShortNumber& number) noexcept;

// The same text for the everyday values, written at the end of `buffer` (of
// at least ShortNumberTextSize characters) and returned as a view into it;
// nothing for values that take the general road (non-finite, from 10^15 up,
// more than 19 decimals). Writers use it to avoid even a string's copy.
std::optional<std::string_view> ShortMaskText(std::span<char> buffer, double value, int decimals,
                                              ValuePrecision precision = ValuePrecision::Double) noexcept;

// The value the mask text reads back as (its leading-number value), without
// the text: MaskedValue(x, 1) == LeadingNumberValue(MaskText(x, 1)). The float
// form reads the text back as a 32-bit float, rounded once from the text.
double MaskedValue(double value, int decimals, ValuePrecision precision = ValuePrecision::Double);
float MaskedValue(float value, int decimals);

// The display patterns used across the program.
inline std::string CoordinateText(double value) {
    return MaskText(value, 4);
} // "#######.0000"
inline std::string DistanceText(float value) {
    return MaskText(value, 1);
} // "#####.0"
inline std::string SounderText(float value) {
    return MaskText(value, 2);
} // "###.00"

} // namespace tolvanor
