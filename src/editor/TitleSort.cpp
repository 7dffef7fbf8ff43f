// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TitleSort.h"

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"

#include <string>

namespace tolvanor {

namespace {

constexpr std::string_view AscendingMarker = "> ";
constexpr std::string_view DescendingMarker = "< ";

void RemoveMarker(GridModel& grid, int col) {
    const std::string& title = grid.TextMatrix(0, col);
    if (title.starts_with(AscendingMarker) || title.starts_with(DescendingMarker)) {
        grid.SetTextMatrix(0, col, std::string_view(title).substr(2));
    }
}

} // namespace

bool TitleSort::SortsByTitle(int col) noexcept {
    using Col = LineDataColumn;
    return col == Col::Easting || col == Col::Northing || col == Col::Distance || col == Col::Shot;
}

bool TitleSort::Click(Job& job, DataEditor& editor, int col) {
    if (!SortsByTitle(col) || job.CurrentLine < 1 || job.CurrentLine > job.LineCount) return false;
    auto& grid = editor.Grid();
    descending_ = col == column_ && !descending_;
    grid.SetRow(1);
    grid.SetRowSel(grid.Rows() - 1);
    grid.SetCol(col);
    grid.Sort(descending_ ? GridSortOrder::GenericDescending : GridSortOrder::GenericAscending);
    if (column_ >= 0) RemoveMarker(grid, column_);
    column_ = col;
    const std::string title =
        std::string(descending_ ? DescendingMarker : AscendingMarker) + std::string(grid.TextMatrix(0, col));
    grid.SetTextMatrix(0, col, title);
    editor.StoreGridLine(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    return true;
}

} // namespace tolvanor
