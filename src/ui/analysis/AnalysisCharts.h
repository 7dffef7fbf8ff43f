// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisOptions.h"
#include "analysis/AnalysisResult.h"
#include "analysis/ProfilePolyline.h"

#include <cstddef>
#include <span>
#include <vector>

class QCustomPlot;

namespace tolvanor::ui {

// Axes, legend and the curves the two charts fill; called once per chart.
void SetUpAreaChart(QCustomPlot& plot);
void SetUpProfileChart(QCustomPlot& plot);

// The area above datum of every line along the shore, by its place in the
// profile list (a gap where a line has no figures), the line at `current`
// marked.
void DrawAreaAlongShore(QCustomPlot& plot, const AnalysisResult& result, std::size_t current);

// One line's profile with the datum, its design template (null: none) and
// the landward-most and seaward-most place of each contour.
void DrawProfileFigures(QCustomPlot& plot, std::span<const ProfilePoint> profile,
                        const std::vector<ProfilePoint>* design, const LineFigures& figures,
                        const AnalysisOptions& options);

} // namespace tolvanor::ui
