// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProfilePolyline.h"

#include "core/Job.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvanor {

void ExtractProfile(const Job& job, std::int32_t line, std::vector<ProfilePoint>& points) {
    points.clear();
    const std::int32_t count = std::min(job.ShotCount(line), job.Data.ShotBound());
    points.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t shot = 1; shot <= count; ++shot) {
        const ShotRecord& record = job.Data.At(line, shot);
        if (record.Ignore) continue;
        points.push_back({record.DistDownRange, record.Elevation});
    }
    SortByDistance(points);
}

void SortByDistance(std::vector<ProfilePoint>& points) {
    const auto byDistance = [](const ProfilePoint& a, const ProfilePoint& b) { return a.Distance < b.Distance; };
    // Lines are usually sorted by distance already; checking is far cheaper than sorting.
    if (std::is_sorted(points.begin(), points.end(), byDistance)) return;
    std::stable_sort(points.begin(), points.end(), byDistance);
}

double LevelAsStored(double level) noexcept {
    // Beyond the 32-bit range no elevation can equal it anyway.
    if (!(std::fabs(level) <= std::numeric_limits<float>::max())) return level;
    return static_cast<float>(level);
}

} // namespace tolvanor
