// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CellEditSession.h"

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "processing/FieldHelpers.h"

namespace tolvanor {

namespace {

using Col = LineDataColumn;

constexpr int Backspace = 8;
constexpr int Blank = 32;

// A commit into these columns changes the line's order under the sort orders.
bool ResortsLine(int col) noexcept {
    return col < Col::Distance;
}

// Without a line in use there is nothing to store the grid into.
bool ShowsALine(const Job& job) noexcept {
    return job.CurrentLine >= 1 && job.CurrentLine <= job.LineCount;
}

void MakeCurrent(GridModel& grid, int row, int col) {
    grid.SetRow(row);
    grid.SetCol(col);
}

} // namespace

bool CellEditSession::IsEditableColumn(int col) noexcept {
    return col >= Col::Easting && col < Col::Count && col != Col::Distance && col != Col::Ignore;
}

int CellEditSession::FilterKey(int col, int key) noexcept {
    if (col < Col::Easting || col > Col::Remark) return key;
    return NumericKeyFilter(static_cast<std::int16_t>(key));
}

int CellEditSession::FilterKey(int key) const noexcept {
    return FilterKey(originCol_, key);
}

std::optional<CellEditSession::Opening> CellEditSession::Open(const GridModel& grid, int key) {
    const int row = grid.Row();
    const int col = grid.Col();
    if (row < 1 || !IsEditableColumn(col)) return std::nullopt;
    open_ = true;
    originRow_ = row;
    originCol_ = col;
    originText_ = grid.Text();
    Opening opening{std::string(NothingTyped), 0, originText_, row, col};
    const int accepted = FilterKey(col, key);
    if (accepted > Blank && accepted < 256 && accepted != Backspace) {
        opening.Text.insert(opening.Text.begin(), static_cast<char>(accepted));
        opening.Caret = 1;
    }
    return opening;
}

CellEditSession::Outcome CellEditSession::Commit(Job& job, DataEditor& editor, Prompter& prompter,
                                                 std::string_view text) {
    const auto commit = StoreEditedCell(job, editor, prompter, text);
    Close();
    // A refused shot type changed no shot: storing the grid now would write
    // the emptied cell over the shot's type.
    if (commit == CellCommit::ShotTypeRejected) return Outcome::Rejected;
    if (ResortsLine(originCol_)) editor.SortGrid();
    editor.StoreGridLine(job.CurrentLine);
    editor.PlotData(job.CurrentLine);
    return commit == CellCommit::ShotTypeRejected ? Outcome::Rejected : Outcome::Stored;
}

CellEditSession::Outcome CellEditSession::Enter(Job& job, DataEditor& editor, Prompter& prompter,
                                                std::string_view text) {
    if (!open_) return Outcome::NotOpen;
    if (text == NothingTyped || !ShowsALine(job)) return Escape(editor);
    MakeCurrent(editor.Grid(), originRow_, originCol_);
    return Commit(job, editor, prompter, text);
}

CellEditSession::Outcome CellEditSession::Escape(DataEditor& editor) {
    if (!open_) return Outcome::NotOpen;
    editor.Grid().SetTextMatrix(originRow_, originCol_, originText_);
    Close();
    return Outcome::Restored;
}

CellEditSession::Outcome CellEditSession::FocusLeft(Job& job, DataEditor& editor, Prompter& prompter,
                                                    std::string_view text, int row, int col) {
    if (!open_) return Outcome::NotOpen;
    auto& grid = editor.Grid();
    MakeCurrent(grid, originRow_, originCol_);
    Outcome outcome = Outcome::Restored;
    if (text != NothingTyped && ShowsALine(job)) {
        const auto commit = StoreEditedCell(job, editor, prompter, text);
        Close();
        MakeCurrent(grid, row, col);
        if (commit == CellCommit::ShotTypeRejected) return Outcome::Rejected;
        // The edited column decides the re-sort, as with Enter, not the cell moved to.
        if (ResortsLine(originCol_)) editor.SortGrid();
        editor.StoreGridLine(job.CurrentLine);
        editor.PlotData(job.CurrentLine);
        outcome = Outcome::Stored;
    } else {
        Escape(editor);
    }
    MakeCurrent(grid, row, col);
    return outcome;
}

} // namespace tolvanor
