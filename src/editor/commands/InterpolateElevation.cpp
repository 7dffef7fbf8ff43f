// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/InterpolateElevation.h"

#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "core/Prompter.h"
#include "editor/Undo.h"
#include "editor/commands/CurrentLine.h"

#include <cmath>

namespace tolvanor {

namespace {

using Col = LineDataColumn;

void Refuse(Prompter& prompter, const char* text) {
    MessageRequest request;
    request.Text = text;
    request.Title = "Interpolation Problem";
    request.Icon = MessageIcon::Exclamation;
    prompter.Message(request);
}

// Plan distance between two rows as the grid holds them; the store that
// precedes the interpolation makes the shots' positions exactly these.
double RowDistance(const GridModel& grid, int a, int b) {
    const auto value = [&grid](int row, int col) { return LeadingNumberValue(grid.TextMatrix(row, col)); };
    return std::hypot(value(a, Col::Easting) - value(b, Col::Easting),
                      value(a, Col::Northing) - value(b, Col::Northing));
}

double PlanDistance(const ShotRecord& a, const ShotRecord& b) {
    return std::hypot(a.Easting - b.Easting, a.Northing - b.Northing);
}

void Interpolate(Job& job, GridModel& grid, int before, int after) {
    const auto line = job.CurrentLine;
    const auto& anchorAfter = job.Data.At(line, after);
    const double total = PlanDistance(anchorAfter, job.Data.At(line, before));
    const float rise = anchorAfter.Elevation - job.Data.At(line, before).Elevation;
    for (int shot = before; shot < after; ++shot) {
        const double ratio = PlanDistance(job.Data.At(line, shot), job.Data.At(line, before)) / total;
        const auto step = static_cast<float>(rise * ratio);
        const float base = job.Data.At(line, before).Elevation;
        auto& record = job.Data.Edit(line, shot);
        record.Elevation = MaskedValue(base + step, 1);
        record.DBT = MaskedValue(record.DBT + step, 2);
        grid.SetTextMatrix(shot, Col::Elevation, MaskText(record.Elevation, 1));
        grid.SetTextMatrix(shot, Col::DBT, GeneralText(record.DBT));
    }
}

} // namespace

InterpolateOutcome InterpolateElevation(Job& job, DataEditor& editor, Prompter& prompter) {
    if (!HasCurrentLine(job)) return InterpolateOutcome::NoLine;
    auto& grid = editor.Grid();
    const int lastRow = grid.Rows() - 1;
    const auto isEnd = [lastRow](int row) { return row == 1 || row == lastRow; };
    if (isEnd(grid.Row()) || isEnd(grid.RowSel()) || grid.SelectionTop() < 1) {
        Refuse(prompter, "Can not interpolate if first or last shot is selected.");
        return InterpolateOutcome::EndShotSelected;
    }
    if (grid.Col() != Col::Elevation) {
        Refuse(prompter, "No elevations selected");
        return InterpolateOutcome::NotElevation;
    }
    const int before = grid.SelectionTop() - 1;
    const int after = grid.SelectionBottom() + 1;
    if (RowDistance(grid, before, after) == 0) {
        Refuse(prompter, "Can not interpolate: the shots on both sides of the selection are at the same position.");
        return InterpolateOutcome::AnchorsTogether;
    }
    StoreUndo(job, editor);
    AlignLineWithGrid(job, editor);
    const int col = grid.Col();
    Interpolate(job, grid, before, after);
    editor.ArrayToGrid(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    job.DataChanged = true;
    grid.SetCol(col);
    return InterpolateOutcome::Interpolated;
}

} // namespace tolvanor
