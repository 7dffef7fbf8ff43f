// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/StartingPointGrid.h"

#include "core/AtomicFile.h"
#include "core/Text.h"
#include "grid/GridModel.h"
#include "processing/ProfileNumber.h"
#include "startpoints/TextFileLines.h"

#include <array>

namespace tolvanor {

namespace {
constexpr std::array<std::string_view, StartingPointColumn::Count> Titles = {"    Profile Number", "       Easting",
                                                                             "       Northing", "      Line Angle"};
}

std::string_view StartingPointTitle(int col) noexcept {
    if (col < 0 || col >= StartingPointColumn::Count) return {};
    return Titles[static_cast<std::size_t>(col)];
}

void SetUpStartingPointGrid(GridModel& grid) {
    grid.BeginBatch();
    grid.SetCols(StartingPointColumn::Count);
    grid.SetRows(2);
    for (int col = 0; col < StartingPointColumn::Count; ++col) {
        grid.SetTextMatrix(0, col, Titles[static_cast<std::size_t>(col)]);
        grid.SetTextMatrix(1, col, "");
        grid.SetColWidth(col, StartingPointColumnWidth);
    }
    grid.SetFixedRows(1);
    grid.SetFixedCols(0);
    grid.SetRow(1);
    grid.EndBatch();
}

bool LoadFlexGrid(GridModel& grid, const std::string& path, bool formatProfileNumbers) {
    const auto lines = ReadTextFileLines(path);
    if (!lines) return false;
    grid.BeginBatch();
    grid.SetFixedRows(0);
    grid.SetRows(1);
    for (const auto& line : *lines) {
        // Blank lines are passed over so that every entry after them loads too.
        if (IsBlankLine(line)) continue;
        auto fields = SplitFields(line, ',');
        const auto profileNumber = FormatProfileNumber(fields.front(), formatProfileNumbers);
        fields.front() = profileNumber;
        grid.AddRow(std::span<const std::string_view>(fields));
    }
    grid.SetFixedRows(1);
    grid.EndBatch();
    return true;
}

bool SaveFlexGrid(const GridModel& grid, const std::string& path, std::string* reason) {
    std::string text;
    for (int row = 1; row < grid.Rows(); ++row) {
        for (int col = 0; col < grid.Cols(); ++col) {
            if (col > 0) text.push_back(',');
            text += grid.TextMatrix(row, col);
        }
        text += "\r\n";
    }
    // Written as an AtomicFile, so a save that fails part-way keeps the old file.
    AtomicFile file;
    if (file.Open(path, AtomicFile::Start::Empty) && file.Write(text) && file.Commit()) return true;
    if (reason != nullptr) *reason = file.Reason();
    file.Abandon();
    return false;
}

} // namespace tolvanor
