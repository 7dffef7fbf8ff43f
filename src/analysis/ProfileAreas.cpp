// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProfileAreas.h"

#include <algorithm>

namespace tolvanor {

namespace {

// The value at x of the straight piece from (a, u) to (b, v), a < b, exact at its ends.
double Along(double a, double u, double b, double v, double x) {
    if (x == a) return u;
    if (x == b) return v;
    return u + (v - u) * ((x - a) / (b - a));
}

// Adds the positive and negative parts of a difference that runs straight
// from f0 to f1 over a width w, split where it changes sign.
void AddPiece(AreaPair& areas, double w, double f0, double f1) {
    if (f0 >= 0 && f1 >= 0) {
        areas.Above += w * (f0 + f1) / 2;
    } else if (f0 <= 0 && f1 <= 0) {
        areas.Below -= w * (f0 + f1) / 2;
    } else {
        // Opposite signs: the two triangles either side of the crossing.
        const double span = f0 > 0 ? f0 - f1 : f1 - f0;
        const double up = f0 > 0 ? f0 : f1;
        const double down = f0 > 0 ? f1 : f0;
        areas.Above += w * up * up / (2 * span);
        areas.Below += w * down * down / (2 * span);
    }
}

// Walks the reference's pieces under one profile segment [a, b] clipped to [lo, hi].
struct ReferenceWalk {
    std::span<const ProfilePoint> reference;
    std::size_t j = 0; // the reference piece [j, j + 1] now looked at

    void Segment(AreaPair& areas, const ProfilePoint& p0, const ProfilePoint& p1, double lo, double hi) {
        while (j + 1 < reference.size() && reference[j + 1].Distance <= lo) ++j;
        for (; j + 1 < reference.size(); ++j) {
            const ProfilePoint& r0 = reference[j];
            const ProfilePoint& r1 = reference[j + 1];
            const double x0 = std::max(lo, r0.Distance);
            const double x1 = std::min(hi, r1.Distance);
            if (x1 > x0) {
                const double f0 = Along(p0.Distance, p0.Elevation, p1.Distance, p1.Elevation, x0) -
                                  Along(r0.Distance, r0.Elevation, r1.Distance, r1.Elevation, x0);
                const double f1 = Along(p0.Distance, p0.Elevation, p1.Distance, p1.Elevation, x1) -
                                  Along(r0.Distance, r0.Elevation, r1.Distance, r1.Elevation, x1);
                AddPiece(areas, x1 - x0, f0, f1);
            }
            if (r1.Distance >= hi) return; // this piece may reach into the next segment
        }
    }
};

} // namespace

AreaPair AreasBetween(std::span<const ProfilePoint> profile, std::span<const ProfilePoint> reference, double from,
                      double to) {
    AreaPair areas;
    if (profile.size() < 2 || reference.size() < 2) return areas;
    const double lo = std::max({from, profile.front().Distance, reference.front().Distance});
    const double hi = std::min({to, profile.back().Distance, reference.back().Distance});
    if (!(lo < hi)) return areas;
    ReferenceWalk walk{reference};
    for (std::size_t k = 0; k + 1 < profile.size(); ++k) {
        const ProfilePoint& p0 = profile[k];
        const ProfilePoint& p1 = profile[k + 1];
        if (p1.Distance <= lo || !(p0.Distance < p1.Distance)) continue; // before the range, or a vertical step
        if (p0.Distance >= hi) break;
        walk.Segment(areas, p0, p1, std::max(lo, p0.Distance), std::min(hi, p1.Distance));
    }
    return areas;
}

double AreaAboveDatum(std::span<const ProfilePoint> profile, double datum, double from, double to) {
    if (profile.size() < 2) return 0;
    const double level = LevelAsStored(datum);
    const ProfilePoint flat[] = {{profile.front().Distance, level}, {profile.back().Distance, level}};
    return AreasBetween(profile, flat, std::min(from, to), std::max(from, to)).Above;
}

} // namespace tolvanor
