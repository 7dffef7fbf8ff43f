// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tolvanor {

// The elevation adjustments offered on input, by their list index.
enum class ElevProcessing {
    None = 0,
    Add = 1,
    Subtract = 2,
    ReverseSign = 3,
    ReverseSignThenAdd = 4,
    ReverseSignThenSubtract = 5,
};

inline constexpr int ElevProcessingCount = 6;

// The list item text of an adjustment ("Subract from Elevation" is spelled as users know it).
std::string_view ElevProcessingName(ElevProcessing processing) noexcept;

// The amount as the user typed it: its leading number, and whether it ends
// in "%" (a percentage of the value rather than an absolute amount).
struct ElevChange {
    double Amount = 0;
    bool Percent = false;
};
ElevChange ParseElevChange(std::string_view text) noexcept;

// Applies the adjustment of list index `processing` (indices outside the
// list change nothing) in double precision and stores the result back as a
// float. False when the result does not fit a float.
bool ApplyElevProcessing(int processing, const ElevChange& change, float& value) noexcept;

} // namespace tolvanor
