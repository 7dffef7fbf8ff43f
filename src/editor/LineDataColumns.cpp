// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/LineDataColumns.h"

#include "grid/GridModel.h"

#include <array>

namespace tolvanor {

namespace {

struct ColumnLook {
    std::string_view Title;
    int Width;
};

constexpr std::array<ColumnLook, LineDataColumn::Count> Columns = {{
    {"Sequence #", 1056},
    {"Easting", 1248},
    {"Northing", 1152},
    {"DR Dist.", 672},
    {"Elevation", 768},
    {"DBT", 672},
    {"Heave", 672},
    {"Tide", 480},
    {"Remark", 1920},
    {"Shot", 480},
    {"Ignore", 576},
    {"Pitch", 576},
    {"Roll", 576},
}};

} // namespace

std::string_view LineDataTitle(int col) noexcept {
    if (col < 0 || col >= LineDataColumn::Count) return {};
    return Columns[static_cast<std::size_t>(col)].Title;
}

int LineDataWidth(int col) noexcept {
    if (col < 0 || col >= LineDataColumn::Count) return 0;
    return Columns[static_cast<std::size_t>(col)].Width;
}

void SetUpLineDataGrid(GridModel& grid) {
    grid.BeginBatch();
    grid.SetCols(LineDataColumn::Count);
    grid.SetRows(1);
    for (int col = 0; col < LineDataColumn::Count; ++col) {
        grid.SetTextMatrix(0, col, LineDataTitle(col));
        grid.SetColWidth(col, LineDataWidth(col));
    }
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.EndBatch();
}

} // namespace tolvanor
