// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

namespace tolvanor {
class GridModel;
struct GridChange;
} // namespace tolvanor

namespace tolvanor::ui {

// A Qt table view's window onto a core GridModel; it holds no texts of its
// own. The grid's fixed rows become the horizontal header (the texts of the
// last fixed row); every other row is a table row, every column a column.
// The view sizes its columns from the grid's twips (TwipsToPixels). Changes made to the grid reach
// the view through the grid's observer; windows add colours and the like
// by overriding CellData.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridTableModel(GridModel& grid, QObject* parent = nullptr);
    ~GridTableModel() override;
    GridTableModel(const GridTableModel&) = delete;
    GridTableModel& operator=(const GridTableModel&) = delete;

    GridModel& Grid() noexcept { return grid_; }
    const GridModel& Grid() const noexcept { return grid_; }

    // Table row of a grid row and back (the fixed rows are not table rows).
    int TableRow(int gridRow) const noexcept;
    int GridRow(int tableRow) const noexcept;
    // A grid width in twips as pixels at 96 dpi (0 when the grid has none).
    static int TwipsToPixels(int twips) noexcept { return twips / 15; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the view that roles other than the texts changed everywhere
    // (a highlight moved, a colour scheme changed).
    void RefreshLook();

signals:
    // The grid's current cell or selection moved, or it scrolled.
    void CurrentCellChanged();
    void Scrolled();

protected:
    // Extra roles of a cell (background, font, alignment...); the texts come
    // from the grid. Default: nothing.
    virtual QVariant CellData(int gridRow, int gridCol, int role) const;

private:
    void OnGridChange(const GridChange& change);
    void Resync();

    GridModel& grid_;
    int observerId_ = 0;
    // The rows and columns the view was last told of: the grid changes
    // before its observer hears of it, so the counts given to the view
    // follow the announcements, not the grid.
    int shownRows_ = 0;
    int shownCols_ = 0;
};

} // namespace tolvanor::ui
