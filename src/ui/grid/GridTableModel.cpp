// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid/GridTableModel.h"

#include "grid/GridModel.h"
#include "ui/common/QtText.h"

#include <algorithm>

namespace tolvanor::ui {

GridTableModel::GridTableModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    shownRows_ = std::max(grid_.Rows() - grid_.FixedRows(), 0);
    shownCols_ = grid_.Cols();
    observerId_ = grid_.AddObserver([this](const GridChange& change) { OnGridChange(change); });
}

GridTableModel::~GridTableModel() {
    grid_.RemoveObserver(observerId_);
}

int GridTableModel::TableRow(int gridRow) const noexcept {
    return gridRow - grid_.FixedRows();
}

int GridTableModel::GridRow(int tableRow) const noexcept {
    return tableRow + grid_.FixedRows();
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownCols_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = GridRow(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
        return TextToQt(grid_.TextMatrix(row, index.column()));
    return CellData(row, index.column(), role);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole) return section + 1;
        return {};
    }
    const int titleRow = grid_.FixedRows() - 1;
    if (role == Qt::DisplayRole && titleRow >= 0) return TextToQt(grid_.TextMatrix(titleRow, section));
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Fixed columns are titles: shown, never chosen.
    if (index.column() < grid_.FixedCols()) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridTableModel::RefreshLook() {
    if (shownRows_ == 0 || shownCols_ == 0) return;
    emit dataChanged(index(0, 0), index(shownRows_ - 1, shownCols_ - 1));
}

QVariant GridTableModel::CellData(int, int, int) const {
    return {};
}

void GridTableModel::Resync() {
    beginResetModel();
    shownRows_ = std::max(grid_.Rows() - grid_.FixedRows(), 0);
    shownCols_ = grid_.Cols();
    endResetModel();
}

void GridTableModel::OnGridChange(const GridChange& change) {
    const int first = TableRow(change.FirstRow);
    const int last = TableRow(change.LastRow);
    const int expectedRows = std::max(grid_.Rows() - grid_.FixedRows(), 0);
    switch (change.What) {
    case GridChange::Kind::CellText:
        if (first >= 0 && first < shownRows_)
            emit dataChanged(index(first, change.Col), index(first, change.Col));
        else if (first >= 0)
            Resync(); // a cell of a title row: the header changed
        else
            emit headerDataChanged(Qt::Horizontal, change.Col, change.Col);
        return;
    case GridChange::Kind::RowsInserted:
        if (first != shownRows_ || last - first + 1 != expectedRows - shownRows_) return Resync();
        beginInsertRows({}, first, last);
        shownRows_ = expectedRows;
        endInsertRows();
        return;
    case GridChange::Kind::RowsRemoved:
        if (first < 0 || last >= shownRows_ || shownRows_ - (last - first + 1) != expectedRows) return Resync();
        beginRemoveRows({}, first, last);
        shownRows_ = expectedRows;
        endRemoveRows();
        return;
    case GridChange::Kind::RowsSorted:
        if (first < 0 || last >= shownRows_) return Resync();
        emit dataChanged(index(first, 0), index(last, shownCols_ - 1));
        return;
    case GridChange::Kind::CurrentCell:
        emit CurrentCellChanged();
        return;
    case GridChange::Kind::Scrolled:
        emit Scrolled();
        return;
    case GridChange::Kind::Reset:
        Resync();
        emit CurrentCellChanged();
        return;
    }
}

} // namespace tolvanor::ui
