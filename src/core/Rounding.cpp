// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvanor {

double RoundHalfEven(double value) noexcept {
    if (!std::isfinite(value)) return value;
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor + 0.0;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor + 0.0 : floor + 1.0;
}

namespace {
template <typename Int>
Int RoundClamped(double value) noexcept {
    if (std::isnan(value)) return 0;
    const double rounded = RoundHalfEven(value);
    const double low = std::numeric_limits<Int>::min();
    const double high = std::numeric_limits<Int>::max();
    return static_cast<Int>(std::clamp(rounded, low, high));
}
} // namespace

std::int16_t RoundToInt16(double value) noexcept {
    return RoundClamped<std::int16_t>(value);
}

std::int32_t RoundToInt32(double value) noexcept {
    return RoundClamped<std::int32_t>(value);
}

} // namespace tolvanor
