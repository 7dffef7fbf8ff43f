// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/ThinData.h"

#include "core/Prompter.h"
#include "core/Text.h"
#include "editor/Undo.h"
#include "editor/commands/CurrentLine.h"
#include "processing/LineGeometry.h"
#include "processing/Thinning.h"

namespace tolvanor {

bool ThinData(Job& job, DataEditor& editor, Prompter& prompter, const ThinSettings& settings) {
    if (UpperAscii(settings.Method) == "NONE" || editor.ProfileText().empty()) return false;
    if (!HasCurrentLine(job)) return false;
    if (!HasStartingPoint(job, job.CurrentLine)) {
        prompter.Message("Can't thin without a starting point.");
        return false;
    }
    StoreUndo(job, editor);
    auto& grid = editor.Grid();
    const int col = grid.Col();
    const int row = grid.Row();
    ThinLine(job, job.CurrentLine, settings.Method, settings.Increment);
    editor.ArrayToGrid(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    grid.SetCol(col);
    grid.SetRow(row);
    job.DataChanged = true;
    return true;
}

} // namespace tolvanor
