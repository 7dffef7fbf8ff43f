// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ProfilePolyline.h"
#include "core/Job.h"

#include <string>
#include <vector>

namespace tolvanor::testing {

struct TestShot {
    double Distance = 0;
    double Elevation = 0;
    bool Ignore = false;
};

// Adds a line with the given shots; `start` false leaves it without a starting point.
inline std::int32_t AddLine(Job& job, const std::string& name, const std::vector<TestShot>& shots, bool start = true,
                            double easting = 500000, double northing = 4100000) {
    const std::int32_t line = ++job.LineCount;
    auto& header = job.Data.EditHeader(line);
    header.ShotCount() = static_cast<std::int32_t>(shots.size());
    if (start) {
        header.StartEasting() = easting;
        header.StartNorthing() = northing;
        header.LineAngle() = 270;
    }
    for (std::size_t i = 0; i < shots.size(); ++i) {
        auto& shot = job.Data.Edit(line, static_cast<std::int32_t>(i + 1));
        shot.SetProfileNumber(name);
        shot.DistDownRange = static_cast<float>(shots[i].Distance);
        shot.Elevation = static_cast<float>(shots[i].Elevation);
        shot.Ignore = shots[i].Ignore;
    }
    return line;
}

// The points as the table stores them (32-bit values).
inline std::vector<ProfilePoint> Points(const std::vector<TestShot>& shots) {
    std::vector<ProfilePoint> points;
    for (const auto& shot : shots)
        points.push_back({static_cast<float>(shot.Distance), static_cast<float>(shot.Elevation)});
    return points;
}

} // namespace tolvanor::testing
