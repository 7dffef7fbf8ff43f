// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MaskText.h"

#include <string>
#include <string_view>

namespace tolvanor {

// The number conventions on the grid's hot path. Every whole-job pass sends
// millions of values through a text and back, so these take a short exact
// route for the everyday cases and hand everything else to the general
// routine; the results are always those of the routine each one names.

// MaskText(value, decimals, precision), written over `out`.
void AssignMaskText(std::string& out, double value, int decimals, ValuePrecision precision);
inline void AssignMaskText(std::string& out, float value, int decimals) {
    AssignMaskText(out, static_cast<double>(value), decimals, ValuePrecision::Single);
}

// MaskText(value, decimals) of a 32-bit value written over `out`; returns
// CellSingleValue(out), the value the text reads back as.
float AssignMaskTextReadBack(std::string& out, float value, int decimals);

// LeadingNumberValue(text).
double CellNumberValue(std::string_view text) noexcept;

// The leading number of the text (after spaces and tabs) rounded once,
// straight from the decimal text, to a 32-bit float; 0 when there is none,
// the largest finite float (with the sign) when it is out of range.
float CellSingleValue(std::string_view text) noexcept;

// The whole text (blanks around it allowed) as a number: true and its value
// (as LeadingNumberValue gives it) when IsNumberText(text), else false.
bool CellWholeNumber(std::string_view text, double& value) noexcept;

// The whole text as a 32-bit number, rounded once; 0 when it is not a
// number, the largest finite float (with the sign) when it is out of range.
float CellWholeSingleValue(std::string_view text) noexcept;

} // namespace tolvanor
