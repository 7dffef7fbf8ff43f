// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tolvanor {

class Job;

// One vertex of a profile: distance down range and elevation, in survey units.
struct ProfilePoint {
    double Distance = 0;
    double Elevation = 0;
};

// The line's profile as the charts draw it: its shots that are not ignored,
// as (distance down range, elevation), sorted by distance with shots at one
// distance kept in their order (a vertical step). Replaces `points`.
void ExtractProfile(const Job& job, std::int32_t line, std::vector<ProfilePoint>& points);

// Sorts by distance, keeping the order of points at one distance.
void SortByDistance(std::vector<ProfilePoint>& points);

// Levels (datum, contours) are taken at the precision of the table's
// elevations, so that a shot recorded at a level lies exactly on it.
double LevelAsStored(double level) noexcept;

} // namespace tolvanor
