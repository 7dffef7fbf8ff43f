// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/DeleteShot.h"

#include "editor/Undo.h"
#include "editor/commands/CurrentLine.h"

namespace tolvanor {

bool DeleteShot(Job& job, DataEditor& editor) {
    auto& grid = editor.Grid();
    const int first = grid.SelectionTop();
    const int last = grid.SelectionBottom();
    if (!HasCurrentLine(job) || first < 1 || last >= grid.Rows()) return false;
    StoreUndo(job, editor);
    for (int row = first; row <= last; ++row) grid.RemoveItem(first);
    editor.StoreGridLine(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    job.DataChanged = true;
    return true;
}

} // namespace tolvanor
