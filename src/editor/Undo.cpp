// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Undo.h"

#include "core/Job.h"
#include "editor/DataEditor.h"

#include <algorithm>

namespace tolvanor {

namespace {

bool IsDataLine(const Job& job, std::int32_t line) {
    return line >= 1 && line <= std::min<std::int32_t>(job.MaxLines, job.Data.LineBound());
}

// Header and shots 0..n of one line over another, n from the source's header.
void CopyRecords(Job& job, std::int32_t from, std::int32_t to) {
    const auto shots = std::clamp(job.ShotCount(from), 0, job.Data.ShotBound());
    for (std::int32_t shot = 0; shot <= shots; ++shot) job.Data.Edit(to, shot) = job.Data.At(from, shot);
}

// The undo row sits three rows below the top of the view when it can.
int TopRowFor(int undoRow) {
    return undoRow < 4 ? 1 : undoRow - 3;
}

} // namespace

void StoreUndo(Job& job, DataEditor& editor) {
    if (!IsDataLine(job, job.CurrentLine)) return;
    editor.UndoPosition() = {editor.Grid().Row(), editor.Grid().Col()};
    CopyRecords(job, job.CurrentLine, job.UndoLine());
    editor.State().UndoEnabled = true;
}

bool Undo(Job& job, DataEditor& editor) {
    if (!editor.State().UndoEnabled || !IsDataLine(job, job.CurrentLine)) return false;
    CopyRecords(job, job.UndoLine(), job.CurrentLine);
    editor.ArrayToGrid(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    editor.State().UndoEnabled = false;
    job.DataChanged = true;
    auto& grid = editor.Grid();
    const auto cell = editor.UndoPosition();
    grid.SetRow(cell.Row);
    grid.SetCol(cell.Col);
    grid.SetTopRow(TopRowFor(cell.Row));
    return true;
}

} // namespace tolvanor
