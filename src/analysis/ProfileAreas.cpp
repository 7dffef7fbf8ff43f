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
class ReferenceWalk {
public:
    explicit ReferenceWalk(std::span<const ProfilePoint> reference) : reference_(reference) { Enter(0); }

    void Segment(AreaPair& areas, const ProfilePoint& p0, const ProfilePoint& p1, double lo, double hi) {
        while (j_ + 1 < reference_.size() && reference_[j_ + 1].Distance <= lo) Enter(j_ + 1);
        for (; j_ + 1 < reference_.size(); Enter(j_ + 1)) {
            const double x0 = std::max(lo, reference_[j_].Distance);
            const double x1 = std::min(hi, reference_[j_ + 1].Distance);
            if (x1 > x0) {
                const double f0 = Along(p0.Distance, p0.Elevation, p1.Distance, p1.Elevation, x0) - Reference(x0);
                const double f1 = Along(p0.Distance, p0.Elevation, p1.Distance, p1.Elevation, x1) - Reference(x1);
                AddPiece(areas, x1 - x0, f0, f1);
            }
            if (reference_[j_ + 1].Distance >= hi) return; // this piece may reach into the next segment
        }
    }

private:
    // The reference piece [j, j + 1] becomes current; its slope is worked out once.
    void Enter(std::size_t j) {
        j_ = j;
        if (j_ + 1 >= reference_.size()) return;
        const ProfilePoint& r0 = reference_[j_];
        const ProfilePoint& r1 = reference_[j_ + 1];
        slope_ = r1.Distance > r0.Distance ? (r1.Elevation - r0.Elevation) / (r1.Distance - r0.Distance) : 0;
    }
    double Reference(double x) const {
        const ProfilePoint& r0 = reference_[j_];
        const ProfilePoint& r1 = reference_[j_ + 1];
        if (x == r1.Distance) return r1.Elevation;
        return r0.Elevation + slope_ * (x - r0.Distance);
    }

    std::span<const ProfilePoint> reference_;
    std::size_t j_ = 0;
    double slope_ = 0;
};

} // namespace

AreaPair AreasBetween(std::span<const ProfilePoint> profile, std::span<const ProfilePoint> reference, double from,
                      double to) {
    AreaPair areas;
    if (profile.size() < 2 || reference.size() < 2) return areas;
    const double lo = std::max({from, profile.front().Distance, reference.front().Distance});
    const double hi = std::min({to, profile.back().Distance, reference.back().Distance});
    if (!(lo < hi)) return areas;
    ReferenceWalk walk(reference);
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
    const double lo = std::max(std::min(from, to), profile.front().Distance);
    const double hi = std::min(std::max(from, to), profile.back().Distance);
    AreaPair areas;
    if (!(lo < hi)) return 0;
    // A flat reference needs no walk: only segments cut by a limit are interpolated.
    for (std::size_t k = 0; k + 1 < profile.size(); ++k) {
        const ProfilePoint& p0 = profile[k];
        const ProfilePoint& p1 = profile[k + 1];
        if (p1.Distance <= lo || !(p0.Distance < p1.Distance)) continue; // before the range, or a vertical step
        if (p0.Distance >= hi) break;
        const double x0 = std::max(lo, p0.Distance);
        const double x1 = std::min(hi, p1.Distance);
        AddPiece(areas, x1 - x0, Along(p0.Distance, p0.Elevation, p1.Distance, p1.Elevation, x0) - level,
                 Along(p0.Distance, p0.Elevation, p1.Distance, p1.Elevation, x1) - level);
    }
    return areas.Above;
}

} // namespace tolvanor
