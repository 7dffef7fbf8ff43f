// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/ToggleIgnore.h"

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/commands/CurrentLine.h"

namespace tolvanor {

void ToggleIgnoreLine(Job& job, DataEditor& editor) {
    if (!HasCurrentLine(job)) return;
    bool& ignored = job.Data.EditHeader(job.CurrentLine).LineIgnored();
    ignored = !ignored;
    editor.State().GridVisible = !ignored;
    job.DataChanged = true;
}

void ToggleIgnoreShot(Job& job, DataEditor& editor) {
    if (!HasCurrentLine(job)) return;
    auto& grid = editor.Grid();
    if (grid.Rows() < 2) return;
    AlignLineWithGrid(job, editor);
    const int col = grid.Col();
    for (int row = std::max(grid.SelectionTop(), 1); row <= grid.SelectionBottom(); ++row) {
        const bool ignore = grid.TextMatrix(row, LineDataColumn::Ignore) != "Yes";
        grid.SetTextMatrix(row, LineDataColumn::Ignore, ignore ? "Yes" : "No");
        job.Data.Edit(job.CurrentLine, row).Ignore = ignore;
    }
    grid.SetCol(col);
    editor.PlotData(job.CurrentLine);
    job.DataChanged = true;
}

} // namespace tolvanor
