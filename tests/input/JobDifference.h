// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

namespace tolvanor::testing {

// Where two jobs differ in what a user can reach: the globals, and every
// record of lines 0..LineCount up to each header's shot count. Empty when equal.
inline std::string JobDifference(const Job& a, const Job& b) {
    std::ostringstream out;
    if (a.LineCount != b.LineCount) out << "LineCount " << a.LineCount << " vs " << b.LineCount << "; ";
    if (a.CurrentLine != b.CurrentLine) out << "CurrentLine " << a.CurrentLine << " vs " << b.CurrentLine << "; ";
    if (a.DataChanged != b.DataChanged) out << "DataChanged differs; ";
    if (a.LineLimitProfile != b.LineLimitProfile) out << "LineLimitProfile differs; ";
    if (a.ShotLimitProfile != b.ShotLimitProfile) out << "ShotLimitProfile differs; ";
    if (!out.str().empty()) return out.str();
    for (std::int32_t line = 0; line <= a.LineCount; ++line) {
        const std::int32_t shots = std::max(a.ShotCount(line), b.ShotCount(line));
        for (std::int32_t shot = 0; shot <= shots && shot <= a.Data.ShotBound(); ++shot) {
            if (!(a.Data.At(line, shot) == b.Data.At(line, shot))) {
                out << "record (" << line << ", " << shot << ") differs";
                return out.str();
            }
        }
    }
    return {};
}

} // namespace tolvanor::testing
