// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MaskText.h"
#include "core/SignificantDigits.h"

#include <cmath>

namespace tolvanor {

// MaskedValue, with a shortcut for values already on the pattern's grid
// (every value a pass has stored before): a value that is the nearest one
// to k / 10^decimals reads back as itself. For a 64-bit value, k of at most
// 15 digits: such a decimal comes back from its 15 significant digits
// unchanged. For a 32-bit value, one or two decimals and k of at most 6
// digits: within that range the 7-digit text of the nearest float is the
// decimal itself (no power of two lies in the top sixth of a decade there).
// A zero of either sign reads back as +0, as the pattern writes no sign.
inline double PatternValue(double value, int decimals) {
    if (decimals >= 1 && decimals <= 4) {
        const double scale = ExactPowersOfTen[decimals];
        const double units = std::nearbyint(value * scale);
        if (std::fabs(units) < 1e15 && units / scale == value) return units == 0 ? 0.0 : value;
    }
    return MaskedValue(value, decimals);
}

inline float PatternValue(float value, int decimals) {
    if (decimals == 1 || decimals == 2) {
        const float scale = decimals == 1 ? 10.0f : 100.0f;
        const float units = std::nearbyint(value * scale);
        if (std::fabs(units) < 1e6f && units / scale == value) return units == 0 ? 0.0f : value;
    }
    return MaskedValue(value, decimals);
}

} // namespace tolvanor
