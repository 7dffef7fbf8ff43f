// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ContourCrossings.h"

namespace tolvanor {

namespace {

void AddPlace(ContourCrossings& result, double distance) {
    if (result.Count++ == 0) result.First = distance;
    result.Last = distance;
}

} // namespace

ContourCrossings FindContourCrossings(std::span<const ProfilePoint> profile, double level) {
    ContourCrossings result;
    result.Elevation = LevelAsStored(level);
    bool inRun = false; // the previous shot lies exactly at the level
    double previous = 0;
    for (std::size_t k = 0; k < profile.size(); ++k) {
        const double height = profile[k].Elevation - result.Elevation;
        if (height == 0) {
            if (inRun) {
                result.Last = profile[k].Distance; // the run goes on
            } else {
                AddPlace(result, profile[k].Distance);
            }
            inRun = true;
        } else {
            if (k > 0 && !inRun && (height < 0) != (previous < 0)) {
                // Opposite signs: no cancellation in the denominator, t lies in (0, 1).
                const double t = previous / (previous - height);
                const double from = profile[k - 1].Distance;
                AddPlace(result, from + (profile[k].Distance - from) * t);
            }
            inRun = false;
        }
        previous = height;
    }
    return result;
}

} // namespace tolvanor
