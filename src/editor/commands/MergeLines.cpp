// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/MergeLines.h"

#include "core/Prompter.h"
#include "editor/Undo.h"
#include "editor/commands/CurrentLine.h"
#include "input/AddShot.h"

#include <string>

namespace tolvanor {

namespace {

void ReportFullLine(const Job& job, Prompter& prompter) {
    prompter.Message("More than " + std::to_string(job.MaxShots) + " shots in profile " + job.ShotLimitProfile +
                     "\r\nAll following data on this line will be ignored.");
}

// Appends every shot of `source` to the current line; false when the line filled up.
bool AppendLine(Job& job, std::int32_t source) {
    const std::string name(job.LineName(job.CurrentLine));
    const auto shots = std::min(job.ShotCount(source), job.Data.ShotBound());
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        ShotRecord copy = job.Data.At(source, shot);
        copy.SetProfileNumber(name);
        if (AddShot(job, copy) != AddShotResult::Stored) return false;
    }
    return true;
}

} // namespace

int MergeLines(Job& job, DataEditor& editor, Prompter& prompter) {
    if (!HasCurrentLine(job)) return 0;
    StoreUndo(job, editor);
    const auto current = job.CurrentLine;
    int merged = 0;
    for (const auto& entry : editor.PlotLines()) {
        const auto line = editor.FindLineByProfileId(entry.Text);
        if (!entry.Selected || line == current || line == 0) continue;
        const bool whole = AppendLine(job, line);
        job.CurrentLine = current;
        if (!whole) {
            ReportFullLine(job, prompter);
            break;
        }
        job.Data.EditHeader(line).LineIgnored() = true;
        ++merged;
    }
    editor.ArrayToGrid(current);
    editor.SortGrid();
    editor.PlotData(current);
    if (merged > 0 || job.ShotCount(current) != job.ShotCount(job.UndoLine())) job.DataChanged = true;
    return merged;
}

} // namespace tolvanor
