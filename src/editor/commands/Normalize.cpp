// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/Normalize.h"

#include "core/Prompter.h"
#include "editor/Undo.h"
#include "editor/commands/CurrentLine.h"
#include "processing/LineGeometry.h"

namespace tolvanor {

namespace {

bool RefusedWithoutStartingPoint(const Job& job, std::int32_t line, Prompter& prompter) {
    if (HasStartingPoint(job, line)) return false;
    prompter.Message("Unable to Normalize.  No Starting Point for this line.");
    return true;
}

} // namespace

bool NormalizeLineCommand(Job& job, DataEditor& editor, Prompter& prompter) {
    const auto line = editor.FindLineByProfileId(editor.ProfileText());
    if (line < 1 || RefusedWithoutStartingPoint(job, line, prompter)) return false;
    StoreUndo(job, editor);
    std::int32_t first = 0;
    std::int32_t last = 0;
    NormalizeLine(job, line, first, last, prompter);
    auto& grid = editor.Grid();
    const int col = grid.Col();
    const int row = grid.Row();
    editor.ArrayToGrid(line);
    grid.SetCol(col);
    grid.SetRow(row);
    editor.SortGrid();
    editor.PlotData(line);
    job.DataChanged = true;
    return true;
}

bool NormalizeShotsCommand(Job& job, DataEditor& editor, Prompter& prompter) {
    if (!HasCurrentLine(job) || RefusedWithoutStartingPoint(job, job.CurrentLine, prompter)) return false;
    auto& grid = editor.Grid();
    // Row 0 would stand for the line's first or last shot: without data rows nothing is selected.
    if (grid.SelectionTop() < 1) return false;
    StoreUndo(job, editor);
    AlignLineWithGrid(job, editor);
    std::int32_t first = grid.Row();
    std::int32_t last = grid.RowSel();
    NormalizeLine(job, job.CurrentLine, first, last, prompter);
    const int col = grid.Col();
    const int row = grid.Row();
    editor.ArrayToGrid(job.CurrentLine);
    editor.SortGrid();
    grid.SetCol(col);
    grid.SetRow(row);
    editor.PlotData(job.CurrentLine);
    job.DataChanged = true;
    return true;
}

} // namespace tolvanor
