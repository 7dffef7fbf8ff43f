// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cstdint>
#include <span>

namespace tolvanor {

class Job;
class Prompter;

// Positions are (easting, northing). A line with angle A runs down range in
// the compass direction A + 180 degrees from its starting point.

// The line's header holds a starting point: N0 + E0 + A is not 0.
bool HasStartingPoint(const Job& job, std::int32_t line);

struct BearingAngle {
    double Radians = 0;
    double Degrees = 0;
};
// Math angle (counter-clockwise from +easting) from (e0, n0) to (e, n), by quadrant table.
BearingAngle Bearing(double e0, double n0, double e, double n);

// Signed distance of a shot from its line's starting point, one decimal; 0 without a starting point.
double DistanceDownRange(const Job& job, std::int32_t line, std::int32_t shot);

// A line's starting point as its header holds it.
struct LineStart {
    double Northing = 0;
    double Easting = 0;
    float Angle = 0;
};
LineStart StartOf(const Job& job, std::int32_t line);
// What DistanceDownRange gives for `record` on a line that has the starting point `start`.
double DistanceFrom(const LineStart& start, const ShotRecord& record);

// The position on the current line at `distance`; without a starting point it
// says "No Starting Point for this line." and leaves both unchanged.
void PointFromDistance(const Job& job, float distance, double& northing, double& easting, Prompter& prompter);

// Shots of one line, edited and ready, with the line's starting point.
struct LineShots {
    std::span<ShotRecord> Shots;
    LineStart Start;
};
// Sets each shot's distance down range from the starting point.
void SetDistances(const LineShots& line);

// Moves shots first..last onto the line (0 means the first / last shot;
// reversed bounds are swapped; the adjusted bounds are returned) and
// recomputes their distances.
void NormalizeLine(Job& job, std::int32_t line, std::int32_t& first, std::int32_t& last, Prompter& prompter);

// The same in two steps, so that many lines can be straightened side by
// side: the first edits the line's records (on the table's thread) and
// returns them with the line's starting point; the second moves them and
// sets their distances, touching nothing else. The line must have a
// starting point.
LineShots EditLineToNormalize(Job& job, std::int32_t line, std::int32_t& first, std::int32_t& last);
void NormalizeShots(const LineShots& work);

} // namespace tolvanor
