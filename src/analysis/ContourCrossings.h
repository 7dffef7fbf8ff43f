// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ProfilePolyline.h"

#include <span>

namespace tolvanor {

// Where a profile meets one elevation (a shoreline, a contour).
struct ContourCrossings {
    double Elevation = 0; // the level as stored (LevelAsStored)
    int Count = 0;        // separate places where the profile is at the level; 0: never reaches it
    double First = 0;     // landward-most distance at the level (when Count > 0)
    double Last = 0;      // seaward-most distance at the level
};

// Every distance where the profile is at `level` (taken as stored), linear
// between shots. A crossing inside a segment is one place; a shot exactly at
// the level, or a level run of shots at it, is one place, and a run's two
// ends bound First and Last. `profile` is sorted by distance.
ContourCrossings FindContourCrossings(std::span<const ProfilePoint> profile, double level);

} // namespace tolvanor
