// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

class GridModel;

// The starting-point editor's grid: four columns of texts, the titles in
// row 0, one entry per following row.
struct StartingPointColumn {
    enum : int { ProfileNumber, Easting, Northing, LineAngle, Count };
};
std::string_view StartingPointTitle(int col) noexcept;
constexpr int StartingPointColumnWidth = 1500; // twips, every column

// Four columns with their titles and widths, one fixed row, one empty entry row.
void SetUpStartingPointGrid(GridModel& grid);

// Replaces the grid's entries by the file's lines, every non-blank line one
// row: the fields between commas, the first one through the profile-number
// formatting. Surplus fields are dropped. False (grid untouched) when the
// file cannot be read.
bool LoadFlexGrid(GridModel& grid, const std::string& path, bool formatProfileNumbers);

// Writes rows 1..last, the cell texts as they stand joined by commas, each
// line ended by CR LF, replacing the file only once it is complete. False,
// with the system's reason in `reason` when given, when it cannot be written;
// the old file is then as it was.
bool SaveFlexGrid(const GridModel& grid, const std::string& path, std::string* reason = nullptr);

} // namespace tolvanor
