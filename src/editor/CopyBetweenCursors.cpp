// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CopyBetweenCursors.h"

#include "core/GeneralText.h"
#include "core/Job.h"
#include "core/Prompter.h"
#include "editor/CopiedCurve.h"
#include "editor/DataEditor.h"
#include "editor/EditorPlots.h"
#include "processing/LineGeometry.h"

#include <algorithm>
#include <vector>

namespace tolvanor {

namespace {

double PointAt(std::span<const double> values, int index) {
    return static_cast<std::size_t>(index) < values.size() ? values[static_cast<std::size_t>(index)] : 0.0;
}

std::span<const double> CurveY(const ChartModel& chart, std::vector<double>& none) {
    const auto& curves = chart.Curves();
    return curves.empty() ? std::span<const double>(none) : std::span<const double>(curves.front().Y);
}

} // namespace

CopyOutcome CopyBetweenCursors(Job& job, DataEditor& editor, Prompter& prompter, const CopySource& source,
                               EditorPlots* plots) {
    const int points = static_cast<int>(source.Distance.size());
    if (source.Cursor1 < 0 || source.Cursor2 < 0 || source.Cursor1 >= points || source.Cursor2 >= points) {
        return CopyOutcome::CursorOffCurve;
    }
    const int first = std::min(source.Cursor1, source.Cursor2);
    const int last =
        std::min(std::max(source.Cursor1, source.Cursor2), first + static_cast<int>(CopyBuffer::Capacity) - 1);
    const bool placed = HasStartingPoint(job, job.CurrentLine);
    if (!placed) prompter.Message("No Starting Point for this line.");

    auto& buffer = editor.Copied();
    buffer.Shots.assign(static_cast<std::size_t>(last - first + 1), ShotRecord{});
    buffer.CursorShotType = std::string(source.CursorShotType);
    for (int i = first; i <= last; ++i) {
        auto& shot = buffer.Shots[static_cast<std::size_t>(i - first)];
        shot.DistDownRange = static_cast<float>(PointAt(source.Distance, i));
        shot.Elevation = static_cast<float>(PointAt(source.Elevation, i));
        shot.Heave = static_cast<float>(PointAt(source.Heave, i));
        shot.Tide = static_cast<float>(PointAt(source.Tide, i));
        shot.DBT = static_cast<float>(PointAt(source.DBT, i));
        shot.SetShotType(source.CursorShotType);
        if (placed) PointFromDistance(job, shot.DistDownRange, shot.Northing, shot.Easting, prompter);
    }
    buffer.OffsetX = 0;
    buffer.OffsetY = 0;
    buffer.Dragging = false;
    if (plots != nullptr) {
        plots->Chart(PlotId::Elevation).SetCursorsOn(false);
        ShowCopiedData(editor, *plots);
    }
    editor.State().CopiedCurveShown = true;
    prompter.Message(LeadingBlankText(buffer.Count()) + " shots saved.");
    return CopyOutcome::Copied;
}

CopyOutcome CopyBetweenCursors(Job& job, DataEditor& editor, Prompter& prompter, EditorPlots& plots) {
    auto& profile = plots.Chart(PlotId::Elevation);
    std::vector<double> none;
    const auto* first = profile.Curves().empty() ? nullptr : &profile.Curves().front();
    CopySource source;
    if (first != nullptr) {
        source.Distance = first->X;
        source.Elevation = first->Y;
    }
    source.Heave = CurveY(plots.Chart(PlotId::Heave), none);
    source.Tide = CurveY(plots.Chart(PlotId::Tide), none);
    source.DBT = CurveY(plots.Chart(PlotId::DBT), none);
    source.Cursor1 = profile.Cursor(0).PointIndex;
    source.Cursor2 = profile.Cursor(1).PointIndex;
    source.CursorShotType = plots.CursorShotType();
    return CopyBetweenCursors(job, editor, prompter, source, &plots);
}

} // namespace tolvanor
