// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid/GridModel.h"

#include "core/Text.h"
#include "grid/GridSort.h"

#include <algorithm>

namespace tolvanor {

namespace {
const std::string EmptyText;

int ClampIndex(int value, int count) noexcept {
    return std::clamp(value, 0, std::max(count - 1, 0));
}
} // namespace

GridModel::GridModel(int rows, int cols) {
    SetCols(cols);
    SetRows(rows);
}

void GridModel::SetRows(int rows) {
    rows = std::max(rows, 0);
    const int oldRows = rows_;
    Reserve(rows);
    rows_ = rows;
    if (rows > oldRows) ClearRows(oldRows, rows - 1);
    fixedRows_ = std::min(fixedRows_, rows_);
    ClampPositions();
    Notify({GridChange::Kind::Reset});
}

void GridModel::SetCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == cols_) return;
    // Re-lay the kept rows at the new stride.
    std::vector<std::string> relaid(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols));
    const int kept = std::min(cols, cols_);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < kept; ++c) relaid[static_cast<std::size_t>(r * cols + c)] = std::move(Cell(r, c));
    }
    cells_ = std::move(relaid);
    cols_ = cols;
    widths_.resize(static_cast<std::size_t>(cols), 0);
    fixedCols_ = std::min(fixedCols_, cols_);
    ClampPositions();
    Notify({GridChange::Kind::Reset});
}

void GridModel::SetFixedRows(int count) {
    fixedRows_ = std::clamp(count, 0, rows_);
    ClampPositions();
    Notify({GridChange::Kind::Reset});
}

void GridModel::SetFixedCols(int count) {
    fixedCols_ = std::clamp(count, 0, cols_);
    ClampPositions();
    Notify({GridChange::Kind::Reset});
}

int GridModel::ColWidth(int col) const noexcept {
    if (col < 0 || col >= cols_) return 0;
    return widths_[static_cast<std::size_t>(col)];
}

void GridModel::SetColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    widths_[static_cast<std::size_t>(col)] = twips;
    Notify({GridChange::Kind::Reset});
}

const std::string& GridModel::TextMatrix(int row, int col) const noexcept {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return EmptyText;
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

std::span<const std::string> GridModel::RowTexts(int row) const noexcept {
    if (row < 0 || row >= rows_) return {};
    return {cells_.data() + static_cast<std::ptrdiff_t>(row) * cols_, static_cast<std::size_t>(cols_)};
}

void GridModel::SetTextMatrix(int row, int col, std::string_view text) {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return;
    Cell(row, col).assign(text);
    Notify({GridChange::Kind::CellText, row, row, col});
}

void GridModel::SetRow(int row) {
    row_ = ClampIndex(row, rows_);
    rowSel_ = row_;
    Notify({GridChange::Kind::CurrentCell});
}

void GridModel::SetCol(int col) {
    col_ = ClampIndex(col, cols_);
    colSel_ = col_;
    Notify({GridChange::Kind::CurrentCell});
}

void GridModel::SetRowSel(int row) {
    rowSel_ = ClampIndex(row, rows_);
    Notify({GridChange::Kind::CurrentCell});
}

void GridModel::SetColSel(int col) {
    colSel_ = ClampIndex(col, cols_);
    Notify({GridChange::Kind::CurrentCell});
}

void GridModel::SetTopRow(int row) {
    topRow_ = std::clamp(row, std::min(fixedRows_, std::max(rows_ - 1, 0)), std::max(rows_ - 1, 0));
    Notify({GridChange::Kind::Scrolled});
}

void GridModel::SetLeftCol(int col) {
    leftCol_ = std::clamp(col, std::min(fixedCols_, std::max(cols_ - 1, 0)), std::max(cols_ - 1, 0));
    Notify({GridChange::Kind::Scrolled});
}

int GridModel::StartRow() {
    const int row = rows_;
    Reserve(row + 1);
    ++rows_;
    ClearRows(row, row);
    return row;
}

template <typename CellText> void GridModel::AppendCells(std::span<const CellText> cells) {
    const int row = StartRow();
    const auto given = std::min(cells.size(), static_cast<std::size_t>(cols_));
    for (std::size_t c = 0; c < given; ++c) Cell(row, static_cast<int>(c)).assign(cells[c]);
    Notify({GridChange::Kind::RowsInserted, row, row});
}

void GridModel::AddRow(std::span<const std::string_view> cells) {
    AppendCells(cells);
}

void GridModel::AddRow(std::span<const std::string> cells) {
    AppendCells(cells);
}

void GridModel::AddItem(std::string_view tabJoined) {
    const auto pieces = SplitFields(tabJoined, '\t');
    AddRow(std::span<const std::string_view>(pieces));
}

bool GridModel::RemoveItem(int row) {
    if (row < 0 || row >= rows_) return false;
    const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row) * cols_;
    const auto end = cells_.begin() + static_cast<std::ptrdiff_t>(rows_) * cols_;
    // Rotate the removed row's cells past the last row so their storage is kept.
    std::rotate(first, first + cols_, end);
    --rows_;
    fixedRows_ = std::min(fixedRows_, rows_);
    ClampPositions();
    Notify({GridChange::Kind::RowsRemoved, row, row});
    return true;
}

void GridModel::Sort(GridSortOrder order) {
    const int first = std::max(SelectionTop(), fixedRows_);
    const int last = SelectionBottom();
    if (last - first < 1 || col_ < 0 || col_ >= cols_) return;

    std::vector<std::string_view> keys;
    keys.reserve(static_cast<std::size_t>(last - first + 1));
    for (int r = first; r <= last; ++r) keys.push_back(Cell(r, col_));
    const auto permutation = GridSortPermutation(keys, order);
    if (std::is_sorted(permutation.begin(), permutation.end())) return;

    const auto count = static_cast<std::size_t>(last - first + 1) * static_cast<std::size_t>(cols_);
    scratch_.resize(count);
    for (std::size_t i = 0; i < permutation.size(); ++i) {
        const int from = first + permutation[i];
        for (int c = 0; c < cols_; ++c)
            scratch_[i * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c)].swap(Cell(from, c));
    }
    std::swap_ranges(scratch_.begin(), scratch_.begin() + static_cast<std::ptrdiff_t>(count),
                     cells_.begin() + static_cast<std::ptrdiff_t>(first) * cols_);
    Notify({GridChange::Kind::RowsSorted, first, last});
}

int GridModel::AddObserver(Observer observer) {
    const int id = nextObserverId_++;
    observers_.push_back({id, std::move(observer)});
    return id;
}

void GridModel::RemoveObserver(int id) {
    std::erase_if(observers_, [id](const Listener& listener) { return listener.Id == id; });
}

void GridModel::EndBatch() {
    if (batchDepth_ == 0) return;
    if (--batchDepth_ > 0 || !batchChanged_) return;
    batchChanged_ = false;
    Notify({GridChange::Kind::Reset});
}

void GridModel::Reserve(int rows) {
    const auto needed = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols_);
    if (cells_.size() < needed) cells_.resize(std::max(needed, cells_.size() * 3 / 2));
}

void GridModel::ClearRows(int first, int last) {
    for (int r = first; r <= last; ++r) {
        for (int c = 0; c < cols_; ++c) Cell(r, c).clear();
    }
}

void GridModel::ClampPositions() {
    row_ = ClampIndex(row_, rows_);
    rowSel_ = ClampIndex(rowSel_, rows_);
    col_ = ClampIndex(col_, cols_);
    colSel_ = ClampIndex(colSel_, cols_);
    topRow_ = std::clamp(topRow_, std::min(fixedRows_, std::max(rows_ - 1, 0)), std::max(rows_ - 1, 0));
    leftCol_ = std::clamp(leftCol_, std::min(fixedCols_, std::max(cols_ - 1, 0)), std::max(cols_ - 1, 0));
}

void GridModel::Notify(const GridChange& change) {
    if (change.What != GridChange::Kind::CurrentCell && change.What != GridChange::Kind::Scrolled) ++contentVersion_;
    if (observers_.empty()) return;
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        return;
    }
    // Copy so an observer may add or remove observers while being told.
    const auto listeners = observers_;
    for (const auto& listener : listeners) listener.Call(change);
}

} // namespace tolvanor
