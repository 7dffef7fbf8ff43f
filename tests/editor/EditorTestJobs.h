// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"
#include "core/ShotRecord.h"

#include <cstdint>
#include <random>
#include <string>

namespace tolvanor::testing {

// Appends a line named `name` with `shots` plain shots (sequence numbers
// 1..shots, a position per shot) and returns its index.
inline std::int32_t AddTestLine(Job& job, const std::string& name, std::int32_t shots) {
    const std::int32_t line = ++job.LineCount;
    job.Data.EditHeader(line).ShotCount() = shots;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        auto& record = job.Data.Edit(line, shot);
        record.SeqNum = shot;
        record.Easting = 1000.0 + shot;
        record.Northing = 2000.0 - shot;
        record.SetProfileNumber(name);
        record.SetShotType("L");
    }
    return line;
}

inline void SetStartingPoint(Job& job, std::int32_t line, double easting, double northing, float angle) {
    auto& header = job.Data.EditHeader(line);
    header.StartEasting() = easting;
    header.StartNorthing() = northing;
    header.LineAngle() = angle;
}

// A job of random lines with unrounded values of every kind, sounder shots
// among them, as a reader could leave it.
inline void FillRandomJob(Job& job, std::mt19937& random, std::int32_t lines, std::int32_t maxShots) {
    std::uniform_int_distribution<std::int32_t> shotCount(0, maxShots);
    std::uniform_real_distribution<double> position(-2000.0, 2000.0);
    std::uniform_real_distribution<float> small(-60.0f, 60.0f);
    std::uniform_real_distribution<float> depth(0.0f, 40.0f);
    std::uniform_int_distribution<int> pick(0, 9);
    const char* const types[] = {"L", "W", "w", "B", "b", "S", "", "A", "W", "L"};
    for (std::int32_t i = 0; i < lines; ++i) {
        const auto name = std::to_string(100 + i) + (i % 3 == 0 ? "BD" : "");
        const std::int32_t shots = shotCount(random);
        const std::int32_t line = AddTestLine(job, name, shots);
        if (pick(random) > 2)
            SetStartingPoint(job, line, 500000.0 + position(random), 4100000.0 + position(random), 290.5f);
        for (std::int32_t shot = 1; shot <= shots; ++shot) {
            auto& record = job.Data.Edit(line, shot);
            record.SeqNum = pick(random) == 0 ? shot + 7 : shot; // a few out of order
            record.Easting = 500000.0 + position(random) + position(random) * 1e-7;
            record.Northing = 4100000.0 + position(random);
            record.DistDownRange = small(random) * 40.0f;
            record.Elevation = small(random) / 7.0f;
            record.DBT = depth(random);
            record.Heave = small(random) / 100.0f;
            record.Tide = small(random) / 50.0f;
            record.Pitch = small(random) / 3.0f;
            record.Roll = small(random) / 11.0f;
            record.SetShotType(types[pick(random)]);
            record.SetSurveyType(name.size() > 3 ? "BD" : "");
            record.SetRemark(pick(random) == 0 ? "R\tWITH TAB" : "PRO " + name);
            record.Ignore = pick(random) == 0;
        }
    }
}

} // namespace tolvanor::testing
