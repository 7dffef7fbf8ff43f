// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace tolvanor {

// The item lists of the main window's option lists, in index order.
inline constexpr std::array<std::string_view, 6> ElevProcessingItems{"None",
                                                                     "Add to Elevation",
                                                                     "Subract from Elevation",
                                                                     "Reverse Sign",
                                                                     "Reverse Sign then Add to Elevation",
                                                                     "Reverse Sign then Subtract from Elevation"};
inline constexpr std::array<std::string_view, 7> SortOrderItems{
    "None - Keep Input Order", "By Northing/Descending (LI)", "By Easting/Ascending (NJ)", "By Northing/Ascending",
    "By Easting/Descending",   "By Shot Type (B,L,W)",        "By Distance DownRange"};
inline constexpr std::array<std::string_view, 4> PosnProcessingItems{"None", "Normalize (Straighten Line)",
                                                                     "Thin the Data", "Normalize and Thin Data"};
inline constexpr std::array<std::string_view, 3> ThinMethodItems{"None", "Distance", "Number to Ignore"};

// Key filters of the option boxes: whether a typed character goes in. Key
// code 8 is Backspace, always accepted.
// Append text: letters, digits, "+" and "-" (no blanks: it becomes part of
// every profile number).
bool AppendTextKeyAccepted(char32_t key) noexcept;
// Elevation change: digits, "." and "%" (no sign: the operation gives it).
bool ElevChangeKeyAccepted(char32_t key) noexcept;
// Survey date and time: NumericKeyFilter's digits, "-" and ".".
bool NumericKeyAccepted(char32_t key) noexcept;
// Thin increment: as the numeric boxes, but a whole number ("." refused).
bool ThinIncKeyAccepted(char32_t key) noexcept;

// The thin increment box may be left when its numeric value is above 0.
bool ThinIncrementValid(std::string_view text) noexcept;
inline constexpr std::string_view InvalidIncrementMessage = "Invalid Increment.  Must be integer, greater than 0";

// The elevation change amount matters unless the processing is "None" or
// "Reverse Sign".
bool ElevChangeEnabled(int elevProcessing) noexcept;

} // namespace tolvanor
