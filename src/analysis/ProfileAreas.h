// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ProfilePolyline.h"

#include <span>

namespace tolvanor {

// Areas between a profile and a reference, in square survey units (volume
// per unit length of shore).
struct AreaPair {
    double Above = 0; // where the profile lies above the reference
    double Below = 0; // where it lies below
};

// The exact integrals of max(profile - reference, 0) and of
// max(reference - profile, 0) over [from, to] clipped to the distances both
// polylines cover; segments are split where the two cross. Both inputs are
// sorted by distance; a vertical step (two points at one distance) adds no
// area. Nothing is covered by fewer than two points, or when from >= to.
AreaPair AreasBetween(std::span<const ProfilePoint> profile, std::span<const ProfilePoint> reference, double from,
                      double to);

// The area of the profile above `datum` (taken as stored) over [from, to]
// clipped to the profile's extent; the limits may come in either order.
double AreaAboveDatum(std::span<const ProfilePoint> profile, double datum, double from, double to);

} // namespace tolvanor
