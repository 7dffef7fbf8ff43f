// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisOptions.h"
#include "analysis/AnalysisResult.h"

#include <string>

namespace tolvanor {

// The analysis as comma-separated text, CR LF line ends, numbers as the job
// writes them ("." point, halves away from zero, no digit before the point
// below 1): a heading row, one row per line (profile, shots used, distance
// and elevation ranges, area above datum, first / last crossing and count of
// each contour, areas above / below the template when one was given, a note
// on lines without figures), then the reach: one row per pair of
// neighbouring lines, the total, and the lines that break the chain.
std::string AnalysisCsvText(const AnalysisResult& result, const AnalysisOptions& options);

struct AnalysisWriteResult {
    bool Written = false;
    std::string Reason; // the system's reason when not written
};

// Writes that text to `path`, replacing it.
AnalysisWriteResult WriteAnalysisCSV(const std::string& path, const AnalysisResult& result,
                                     const AnalysisOptions& options);

} // namespace tolvanor
