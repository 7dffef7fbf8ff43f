// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

namespace tolvanor {
class GridModel;
struct GridChange;
} // namespace tolvanor

namespace tolvanor::ui {

// The core grid seen as a Qt table: data row r of the grid is view row
// r - 1, the grid's title row gives the header, every cell is the grid's
// text. Nothing is copied. Bulk changes of the grid arrive as one queued
// reset, so a whole-job pass costs the view nothing until the event loop
// runs or Flush() is called.
class LineDataTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LineDataTableModel(GridModel& grid, QObject* parent = nullptr);
    ~LineDataTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    GridModel& Grid() noexcept { return grid_; }
    // Brings the view up to date with the grid now.
    void Flush();

signals:
    // The grid's current cell, selection or scroll position moved.
    void CurrentCellChanged();
    void Scrolled();

private:
    void OnChange(const GridChange& change);
    void SchedulePending();

    GridModel& grid_;
    int observer_ = 0;
    int rows_ = 0; // data rows the view knows of
    int cols_ = 0;
    bool resetPending_ = false;
    bool cellPending_ = false;
    bool scheduled_ = false;
};

} // namespace tolvanor::ui
