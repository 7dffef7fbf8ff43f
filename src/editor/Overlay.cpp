// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Overlay.h"

#include "core/Job.h"
#include "core/Prompter.h"
#include "editor/DataEditor.h"
#include "editor/Undo.h"

#include <string>

namespace tolvanor {

namespace {

void RefuseFullLine(const Job& job, Prompter& prompter) {
    prompter.Message("More than " + std::to_string(job.MaxShots) + " shots in profile " +
                     std::string(job.LineName(job.CurrentLine)) + "\r\nThe copied shots were not added.");
}

} // namespace

OverlayOutcome Overlay(Job& job, DataEditor& editor, Prompter& prompter) {
    const auto& buffer = editor.Copied();
    if (!editor.State().CopiedCurveShown || buffer.Count() < 1) return OverlayOutcome::NothingToPaste;
    if (job.CurrentLine < 1 || job.CurrentLine > job.MaxLines) return OverlayOutcome::NothingToPaste;
    auto& grid = editor.Grid();
    // A line holds at most MaxShots - 1 shots, as the reader keeps it.
    if (grid.Rows() - 1 + buffer.Count() > job.MaxShots - 1) {
        RefuseFullLine(job, prompter);
        return OverlayOutcome::LineFull;
    }
    StoreUndo(job, editor);
    job.BeginLoading();
    const std::string remark = grid.Row() >= 1 ? grid.TextMatrix(grid.Row(), LineDataColumn::Remark) : std::string();
    for (const auto& shot : buffer.Shots) {
        grid.AddRowWith([&](std::span<std::string> cells) {
            ShotToRowTexts(shot, cells);
            cells[LineDataColumn::Remark] = remark;
        });
    }
    editor.SortGrid();
    editor.StoreGridLine(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    job.EndLoading(prompter);
    job.DataChanged = true;
    return OverlayOutcome::Pasted;
}

} // namespace tolvanor
