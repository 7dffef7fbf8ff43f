// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CopiedCurve.h"

#include "core/Job.h"
#include "core/Prompter.h"
#include "editor/DataEditor.h"
#include "editor/EditorPlots.h"
#include "processing/LineGeometry.h"

#include <cmath>
#include <vector>

namespace tolvanor {

namespace {

constexpr std::string_view CopiedCurveName = "Copied Data";

int NearestByDistance(const CopyBuffer& buffer, double x) {
    int nearest = -1;
    double best = 0;
    for (int i = 0; i < buffer.Count(); ++i) {
        const double gap = std::fabs(buffer.Shots[static_cast<std::size_t>(i)].DistDownRange - x);
        if (nearest < 0 || gap < best) {
            nearest = i;
            best = gap;
        }
    }
    return nearest;
}

void ShowOffsets(const CopyBuffer& buffer, EditorPlots* plots) {
    if (plots == nullptr) return;
    auto& chart = plots->Chart(PlotId::Elevation);
    if (auto* curve = chart.FindOverlay(CopiedCurveName)) {
        curve->XOffset = buffer.OffsetX;
        curve->YOffset = buffer.OffsetY;
        chart.Notify(ChartStyleChanged);
    }
}

} // namespace

void ShowCopiedData(DataEditor& editor, EditorPlots& plots) {
    const auto& buffer = editor.Copied();
    std::vector<double> x;
    std::vector<double> y;
    x.reserve(buffer.Shots.size());
    y.reserve(buffer.Shots.size());
    for (const auto& shot : buffer.Shots) {
        x.push_back(shot.DistDownRange);
        y.push_back(shot.Elevation);
    }
    auto& chart = plots.Chart(PlotId::Elevation);
    chart.BeginUpdate();
    chart.RemoveOverlay(CopiedCurveName);
    auto& curve = chart.AddOverlay(CopiedCurveName, x, y, ChartRed);
    curve.Marked = true;
    curve.XOffset = buffer.OffsetX;
    curve.YOffset = buffer.OffsetY;
    chart.Autoscale();
    chart.EndUpdate();
    editor.State().CopiedCurveShown = true;
}

void ToggleCopiedDataView(DataEditor& editor, EditorPlots* plots) {
    if (editor.Copied().Count() < 1) return;
    bool& shown = editor.State().CopiedCurveShown;
    shown = !shown;
    if (plots == nullptr) return;
    auto& chart = plots->Chart(PlotId::Elevation);
    if (auto* curve = chart.FindOverlay(CopiedCurveName)) {
        curve->Enabled = shown;
        chart.Notify(ChartStyleChanged);
    }
}

bool DragCopiedCurve(DataEditor& editor, double x, double y, EditorPlots* plots) {
    auto& buffer = editor.Copied();
    if (!editor.State().CopiedCurveShown || buffer.Count() < 1) return false;
    if (!buffer.Dragging || buffer.GrabbedPoint < 0 || buffer.GrabbedPoint >= buffer.Count()) {
        buffer.Dragging = true;
        buffer.GrabbedPoint = NearestByDistance(buffer, x - buffer.OffsetX);
    }
    const auto& grabbed = buffer.Shots[static_cast<std::size_t>(buffer.GrabbedPoint)];
    buffer.OffsetX = x - grabbed.DistDownRange;
    buffer.OffsetY = y - grabbed.Elevation;
    ShowOffsets(buffer, plots);
    return true;
}

bool ReleaseCopiedCurve(Job& job, DataEditor& editor, Prompter& prompter, EditorPlots* plots) {
    auto& buffer = editor.Copied();
    if (!buffer.Dragging) return false;
    const bool placed = HasStartingPoint(job, job.CurrentLine);
    if (!placed) prompter.Message("No Starting Point for this line.");
    for (auto& shot : buffer.Shots) {
        shot.DistDownRange = static_cast<float>(shot.DistDownRange + buffer.OffsetX);
        shot.Elevation = static_cast<float>(shot.Elevation + buffer.OffsetY);
        if (placed) PointFromDistance(job, shot.DistDownRange, shot.Northing, shot.Easting, prompter);
    }
    buffer.OffsetX = 0;
    buffer.OffsetY = 0;
    buffer.Dragging = false;
    buffer.GrabbedPoint = -1;
    if (plots != nullptr) ShowCopiedData(editor, *plots);
    return true;
}

} // namespace tolvanor
