// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tolvanor {

class GridModel;

// The columns of the editor's line-data grid, in order.
struct LineDataColumn {
    enum : int {
        SeqNum,
        Easting,
        Northing,
        Distance,
        Elevation,
        DBT,
        Heave,
        Tide,
        Remark,
        Shot,
        Ignore,
        Pitch,
        Roll,
        Count
    };
};

std::string_view LineDataTitle(int col) noexcept;
// Width in twips.
int LineDataWidth(int col) noexcept;

// Thirteen columns, the titles in row 0, the widths, one fixed row and column.
void SetUpLineDataGrid(GridModel& grid);

} // namespace tolvanor
