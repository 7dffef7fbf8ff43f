// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisResult.h"

namespace tolvanor {

class Job;

// Average end area between neighbouring lines of `result.Lines`: ignored
// lines are passed over; a line without a starting point or with fewer than
// two shots breaks the chain and is listed in `result.Breaks`. The spacing
// is the distance between the two lines' starting points.
void AddReachVolumes(const Job& job, AnalysisResult& result);

} // namespace tolvanor
