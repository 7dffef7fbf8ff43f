// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisOptions.h"
#include "analysis/AnalysisResult.h"

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

struct AnalysisCell {
    std::string Text; // as written: "." point, halves away from zero, ".5" below 1
    // The unrounded number, for sorting; NaN for a text or an empty cell.
    double Value = std::numeric_limits<double>::quiet_NaN();
};

// The per-line figures as the analysis file and the window show them: one
// heading per column and one row per line, in profile-list order. Columns:
// profile, shots used, distance and elevation ranges, area above datum,
// first / last / count of each contour, areas above / below the template
// (only when a template was given), and a note on lines without figures.
struct AnalysisTable {
    std::vector<std::string> Headings;
    std::vector<std::vector<AnalysisCell>> Rows;
};

AnalysisTable MakeAnalysisTable(const AnalysisResult& result, const AnalysisOptions& options);

// The heading and the rows joined with `separator`, each row ended by `lineEnd`.
std::string AnalysisTableText(const AnalysisTable& table, char separator, std::string_view lineEnd);

// The numbers' texts: distances and elevations to one decimal as the
// display shows them, areas, spacings and volumes to two.
std::string LengthText(double value);
std::string AreaText(double value);

} // namespace tolvanor
