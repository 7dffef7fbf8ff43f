// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MaskText.h"
#include "core/SignificantDigits.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace tolvanor {

// MaskedValue, with a shortcut for values already on the pattern's grid
// (every value a pass has stored before): a value that is the nearest one
// to k / 10^decimals reads back as itself. For a 64-bit value, k of at most
// 15 digits: such a decimal comes back from its 15 significant digits
// unchanged. For a 32-bit value, one or two decimals and k of at most 6
// digits: within that range the 7-digit text of the nearest float is the
// decimal itself (no power of two lies in the top sixth of a decade there).
// A zero of either sign reads back as +0, as the pattern writes no sign.
namespace detail {
// The whole number nearest `scaled` (halves away from zero), for |scaled| below 10^15.
inline double NearestWhole(double scaled) noexcept {
    return static_cast<double>(static_cast<std::int64_t>(scaled + (scaled < 0 ? -0.5 : 0.5)));
}
} // namespace detail

inline double PatternValue(double value, int decimals) {
    if (decimals >= 1 && decimals <= 4) {
        const double scale = ExactPowersOfTen[decimals];
        const double scaled = value * scale;
        if (std::fabs(scaled) < 1e15) {
            const double units = detail::NearestWhole(scaled);
            if (units / scale == value) return units == 0 ? 0.0 : value;
        }
    }
    return MaskedValue(value, decimals);
}

// The units of a 32-bit value on the grid of one or two decimals, within
// the shortcut's range; nothing otherwise.
inline std::optional<float> PatternUnits(float value, int decimals) noexcept {
    if (decimals != 1 && decimals != 2) return std::nullopt;
    const float scale = decimals == 1 ? 10.0f : 100.0f;
    const float scaled = value * scale;
    if (!(std::fabs(scaled) < 1e6f)) return std::nullopt;
    const auto units = static_cast<float>(detail::NearestWhole(scaled));
    if (units / scale != value) return std::nullopt;
    return units;
}

inline float PatternValue(float value, int decimals) {
    if (const auto units = PatternUnits(value, decimals)) return *units == 0 ? 0.0f : value;
    return MaskedValue(value, decimals);
}

// The same text of a 32-bit value read back as a 64-bit value:
// MaskedValue(double(value), decimals, ValuePrecision::Single). On the grid
// the text is the decimal k / 10^decimals itself.
inline double PatternValueAsDouble(float value, int decimals) {
    if (const auto units = PatternUnits(value, decimals)) {
        return *units == 0 ? 0.0 : static_cast<double>(*units) / ExactPowersOfTen[decimals];
    }
    return MaskedValue(static_cast<double>(value), decimals, ValuePrecision::Single);
}

} // namespace tolvanor
