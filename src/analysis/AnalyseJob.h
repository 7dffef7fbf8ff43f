// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisOptions.h"
#include "analysis/AnalysisResult.h"

#include <cstdint>
#include <span>

namespace tolvanor {

class Job;
class Progress;

// The figures of one profile (sorted by distance) under the options.
void AnalyseProfile(std::span<const ProfilePoint> profile, const AnalysisOptions& options, LineFigures& figures);

// Every line 1..LineCount: its profile's figures, then the volumes between
// neighbouring lines. `progress` hears lines done out of the line count.
AnalysisResult AnalyseJob(const Job& job, const AnalysisOptions& options, Progress* progress = nullptr);

} // namespace tolvanor
