// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"

#include <algorithm>
#include <string>

namespace tolvanor::testing {

// Where two jobs differ in what a user can reach: the globals, and every
// record of lines 0..LineCount up to each header's shot count. Empty when equal.
inline std::string JobDifference(const Job& a, const Job& b) {
    if (a.LineCount != b.LineCount || a.CurrentLine != b.CurrentLine || a.DataChanged != b.DataChanged ||
        a.LineLimitProfile != b.LineLimitProfile || a.ShotLimitProfile != b.ShotLimitProfile) {
        return "globals differ (LineCount " + std::to_string(a.LineCount) + " vs " + std::to_string(b.LineCount) + ")";
    }
    for (std::int32_t line = 0; line <= a.LineCount; ++line) {
        const std::int32_t shots = std::min(std::max(a.ShotCount(line), b.ShotCount(line)), a.Data.ShotBound());
        for (std::int32_t shot = 0; shot <= shots; ++shot) {
            if (!(a.Data.At(line, shot) == b.Data.At(line, shot)))
                return "record (" + std::to_string(line) + ", " + std::to_string(shot) + ") differs";
        }
    }
    return {};
}

} // namespace tolvanor::testing
