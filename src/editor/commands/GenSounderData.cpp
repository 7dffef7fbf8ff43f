// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/commands/GenSounderData.h"

#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "editor/commands/CurrentLine.h"

namespace tolvanor {

void GenSounderData(Job& job, DataEditor& editor, Prompter& prompter) {
    using Col = LineDataColumn;
    if (!HasCurrentLine(job)) return;
    auto& grid = editor.Grid();
    job.BeginLoading();
    const int col = grid.Col();
    const int row = grid.Row();
    float heave = 0;
    float step = 0.1f;
    for (int r = 1; r < grid.Rows(); ++r) {
        heave = heave + step;
        if (heave > 0.9f || heave < -0.9f) step = -step;
        grid.SetTextMatrix(r, Col::Heave, MaskText(heave, 2));
        const auto tide = static_cast<float>((r / 50) * 0.1 + 1.0);
        grid.SetTextMatrix(r, Col::Tide, MaskText(tide, 1));
        const double dbt = LeadingNumberValue(grid.TextMatrix(r, Col::DBT));
        grid.SetTextMatrix(r, Col::Elevation, MaskText(dbt - tide - heave, 1));
    }
    grid.SetCol(col);
    grid.SetRow(row);
    editor.StoreGridLine(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    job.EndLoading(prompter);
    if (grid.Rows() > 1) job.DataChanged = true;
}

} // namespace tolvanor
