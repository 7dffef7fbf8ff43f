// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/StoreEditedCell.h"

#include "core/Job.h"
#include "core/MaskText.h"
#include "core/NumberParsing.h"
#include "core/Prompter.h"
#include "core/Text.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "editor/Undo.h"
#include "processing/LineGeometry.h"

namespace tolvanor {

namespace {

using Col = LineDataColumn;

// Decimals of a column's commit pattern; -1 for the text columns. DBT, Pitch
// and Roll commit with one decimal although the grid shows them with two.
int CommitDecimals(int col) noexcept {
    switch (col) {
    case Col::Easting:
    case Col::Northing:
        return 4;
    case Col::Heave:
        return 2;
    case Col::Elevation:
    case Col::DBT:
    case Col::Tide:
    case Col::Pitch:
    case Col::Roll:
        return 1;
    default:
        return -1;
    }
}

bool IsShotType(std::string_view text) noexcept {
    return text == "B" || text == "L" || text == "S" || text == "W";
}

// Pitch and roll take a cell only when all of it is a number, else 0.
float WholeNumberValue(std::string_view text) noexcept {
    float value = 0;
    const auto status = StrictToFloat(text, value);
    if (status == ConversionStatus::Overflow) return LeadingNumberValueSingle(text);
    return status == ConversionStatus::Ok ? value : 0.0f;
}

bool RedrawsCharts(int col) noexcept {
    return CommitDecimals(col) >= 0;
}

void WriteField(ShotRecord& shot, int col, const std::string& cell) {
    switch (col) {
    case Col::Easting:
        shot.Easting = LeadingNumberValue(cell);
        break;
    case Col::Northing:
        shot.Northing = LeadingNumberValue(cell);
        break;
    case Col::Elevation:
        shot.Elevation = LeadingNumberValueSingle(cell);
        break;
    case Col::DBT:
        shot.DBT = LeadingNumberValueSingle(cell);
        break;
    case Col::Heave:
        shot.Heave = LeadingNumberValueSingle(cell);
        break;
    case Col::Tide:
        shot.Tide = LeadingNumberValueSingle(cell);
        break;
    case Col::Remark:
        shot.SetRemark(cell);
        break;
    case Col::Shot:
        shot.SetShotType(cell);
        break;
    case Col::Pitch:
        shot.Pitch = WholeNumberValue(cell);
        break;
    case Col::Roll:
        shot.Roll = WholeNumberValue(cell);
        break;
    default:
        break;
    }
}

// The row's position is both of its coordinate cells, so the distance is the
// row's own even when the shot at this index is another one until the
// whole-grid store that follows every commit.
void RecomputeDistance(Job& job, GridModel& grid, int row, ShotRecord& shot) {
    shot.Easting = LeadingNumberValue(grid.TextMatrix(row, Col::Easting));
    shot.Northing = LeadingNumberValue(grid.TextMatrix(row, Col::Northing));
    const double distance = DistanceDownRange(job, job.CurrentLine, row);
    grid.SetTextMatrix(row, Col::Distance, MaskText(distance, 1));
}

} // namespace

std::string CommittedCellText(int col, std::string_view typed) {
    if (col == Col::Shot) return UpperAscii(TrimSpaces(typed));
    const int decimals = CommitDecimals(col);
    if (decimals < 0) return std::string(typed);
    return MaskText(typed, decimals);
}

CellCommit StoreEditedCell(Job& job, DataEditor& editor, Prompter& prompter, std::string_view typed) {
    job.DataChanged = true;
    auto& grid = editor.Grid();
    const int row = grid.Row();
    const int col = grid.Col();
    if (job.LoadingCount > 0 || row == 0 || col == 0) return CellCommit::NotStored;
    if (job.CurrentLine < 1 || job.CurrentLine > job.MaxLines || row > job.Data.ShotBound()) {
        return CellCommit::NotStored;
    }
    StoreUndo(job, editor);
    const std::string cell = CommittedCellText(col, typed);
    if (col == Col::Shot && !IsShotType(cell)) {
        // The empty cell shows which text was refused while the message is up;
        // then the cell gets the shot's type back, so a later whole-line store
        // cannot write the empty cell over it.
        grid.SetTextMatrix(row, col, "");
        prompter.Message("Shot type can only be B,L,S or W");
        grid.SetTextMatrix(row, col, std::string(job.Data.At(job.CurrentLine, row).ShotType()));
        grid.SetRow(row);
        grid.SetCol(col);
        return CellCommit::ShotTypeRejected;
    }
    grid.SetTextMatrix(row, col, cell);
    auto& shot = job.Data.Edit(job.CurrentLine, row);
    WriteField(shot, col, cell);
    if (col == Col::Easting || col == Col::Northing) RecomputeDistance(job, grid, row, shot);
    if (RedrawsCharts(col)) editor.PlotData(job.CurrentLine);
    grid.SetRow(row);
    grid.SetCol(col);
    job.DataChanged = true;
    return CellCommit::Stored;
}

} // namespace tolvanor
