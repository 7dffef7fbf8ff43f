// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// Order codes of the grid's row sort.
enum class GridSortOrder : std::uint8_t {
    GenericAscending = 1,  // numbers by value before other texts, texts byte by byte
    GenericDescending = 2, // numbers by value (descending) before other texts (descending)
    NumericAscending = 3,  // leading-number value of every cell (none counts as 0)
    NumericDescending = 4,
    TextAscendingNoCase = 5, // bytes, ASCII letters compared upper-cased
};

// What a view has to refresh after a change.
struct GridChange {
    enum class Kind : std::uint8_t {
        Reset,        // anything may have changed: re-read everything
        CellText,     // one cell: Row, Col
        RowsInserted, // FirstRow..LastRow are new
        RowsRemoved,  // FirstRow..LastRow are gone
        RowsSorted,   // the texts of FirstRow..LastRow moved between those rows
        CurrentCell,  // Row/Col/RowSel/ColSel moved
        Scrolled,     // TopRow/LeftCol moved
    };
    Kind What = Kind::Reset;
    int FirstRow = 0;
    int LastRow = 0;
    int Col = 0;
};

// A headless row/cell table with the operations the editor's grids rely on:
// every cell a text, a fixed title row and column, the current cell and the
// selection, scrolling, appending and removing rows, and a stable row sort.
// A view listens through observers; it draws and sizes cells itself.
class GridModel {
public:
    using Observer = std::function<void(const GridChange&)>;

    explicit GridModel(int rows = 1, int cols = 1);

    int Rows() const noexcept { return rows_; }
    int Cols() const noexcept { return cols_; }
    // Growing adds empty rows; shrinking drops rows from the end (1 keeps only the title row).
    void SetRows(int rows);
    void SetCols(int cols);
    int FixedRows() const noexcept { return fixedRows_; }
    int FixedCols() const noexcept { return fixedCols_; }
    void SetFixedRows(int count);
    void SetFixedCols(int count);
    // Width in twips; columns without one report 0 (the view's default).
    int ColWidth(int col) const noexcept;
    void SetColWidth(int col, int twips);

    // Texts outside the table read as empty; writes outside it are ignored.
    const std::string& TextMatrix(int row, int col) const noexcept;
    void SetTextMatrix(int row, int col, std::string_view text);
    // All cells of a row (empty for a row outside the table).
    std::span<const std::string> RowTexts(int row) const noexcept;
    const std::string& Text() const noexcept { return TextMatrix(row_, col_); }
    void SetText(std::string_view text) { SetTextMatrix(row_, col_, text); }

    // The current cell. Setting Row collapses RowSel onto it, setting Col
    // collapses ColSel; set RowSel/ColSel afterwards to extend the selection.
    // Every index is kept inside the table.
    int Row() const noexcept { return row_; }
    int Col() const noexcept { return col_; }
    int RowSel() const noexcept { return rowSel_; }
    int ColSel() const noexcept { return colSel_; }
    void SetRow(int row);
    void SetCol(int col);
    void SetRowSel(int row);
    void SetColSel(int col);
    // The selected rows: min(Row, RowSel) .. max(Row, RowSel).
    int SelectionTop() const noexcept { return row_ < rowSel_ ? row_ : rowSel_; }
    int SelectionBottom() const noexcept { return row_ < rowSel_ ? rowSel_ : row_; }

    // The first scrollable row and column shown.
    int TopRow() const noexcept { return topRow_; }
    int LeftCol() const noexcept { return leftCol_; }
    void SetTopRow(int row);
    void SetLeftCol(int col);

    // Appends a row from its cell texts; a text may hold any byte, tabs
    // included. Missing cells are empty, texts beyond the last column dropped.
    void AddRow(std::span<const std::string_view> cells);
    void AddRow(std::span<const std::string> cells);
    // Appends a row whose cells `fill` writes: it gets the row's cells, all
    // empty, as a std::span<std::string> (reused storage, nothing copied).
    template <typename Fill> void AddRowWith(Fill&& fill) {
        const int row = StartRow();
        fill(std::span<std::string>(cells_.data() + static_cast<std::ptrdiff_t>(row) * cols_,
                                    static_cast<std::size_t>(cols_)));
        Notify({GridChange::Kind::RowsInserted, row, row});
    }
    // Appends a row from one text, split into cells at every tab.
    void AddItem(std::string_view tabJoined);
    // Later rows move up by one. False when the row does not exist.
    bool RemoveItem(int row);

    // Sorts the selected rows (fixed rows excepted) on the current column.
    // Stable: equal keys keep their order. Rows outside the selection stay.
    void Sort(GridSortOrder order);

    // Observers hear of every change; inside a batch they hear one Reset at
    // its end instead (only when something changed).
    int AddObserver(Observer observer);
    void RemoveObserver(int id);
    void BeginBatch() noexcept { ++batchDepth_; }
    void EndBatch();

    // A number that changes with every change of the table (its size, fixed
    // rows and columns, widths, texts, rows' order), not with the current
    // cell, the selection or the scrolling.
    std::uint64_t ContentVersion() const noexcept { return contentVersion_; }

private:
    std::string& Cell(int row, int col) { return cells_[static_cast<std::size_t>(row * cols_ + col)]; }
    // A new empty last row, not yet announced; returns its index.
    int StartRow();
    // Makes room for `rows` rows; cells past the old row count are left for the caller to fill.
    void Reserve(int rows);
    void ClearRows(int first, int last);
    void ClampPositions();
    void Notify(const GridChange& change);
    template <typename CellText> void AppendCells(std::span<const CellText> cells);

    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    int colSel_ = 0;
    int topRow_ = 0;
    int leftCol_ = 0;
    // Row-major cells; the vector keeps rows dropped by SetRows so that
    // reloading a grid reuses their storage.
    std::vector<std::string> cells_;
    std::vector<int> widths_;
    std::vector<std::string> scratch_;

    struct Listener {
        int Id;
        Observer Call;
    };
    std::vector<Listener> observers_;
    int nextObserverId_ = 1;
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    std::uint64_t contentVersion_ = 0;
};

} // namespace tolvanor
