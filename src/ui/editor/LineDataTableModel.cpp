// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/LineDataTableModel.h"

#include "grid/GridModel.h"

#include <QBrush>
#include <QMetaObject>
#include <QPalette>

namespace tolvanor::ui {

LineDataTableModel::LineDataTableModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    rows_ = std::max(grid_.Rows() - 1, 0);
    cols_ = grid_.Cols();
    observer_ = grid_.AddObserver([this](const GridChange& change) { OnChange(change); });
}

LineDataTableModel::~LineDataTableModel() {
    grid_.RemoveObserver(observer_);
}

int LineDataTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int LineDataTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant LineDataTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromLatin1(grid_.TextMatrix(row, col));
    case Qt::BackgroundRole:
        // The fixed column looks like a header, as the grid's title row does.
        if (col < grid_.FixedCols()) return QPalette().brush(QPalette::Button);
        return {};
    case Qt::TextAlignmentRole:
        return col == 8 || col == 9 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                    : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant LineDataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromLatin1(grid_.TextMatrix(0, section));
    return section + 1;
}

void LineDataTableModel::Flush() {
    scheduled_ = false;
    if (resetPending_) {
        resetPending_ = false;
        cellPending_ = false;
        beginResetModel();
        rows_ = std::max(grid_.Rows() - 1, 0);
        cols_ = grid_.Cols();
        endResetModel();
        emit CurrentCellChanged();
        emit Scrolled();
    } else if (cellPending_) {
        cellPending_ = false;
        if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    }
}

void LineDataTableModel::OnChange(const GridChange& change) {
    switch (change.What) {
    case GridChange::Kind::CellText:
        if (!resetPending_ && change.FirstRow >= 1 && change.FirstRow <= rows_ && change.Col < cols_) {
            const auto at = index(change.FirstRow - 1, change.Col);
            emit dataChanged(at, at);
        }
        return;
    case GridChange::Kind::RowsSorted:
        cellPending_ = true;
        break;
    case GridChange::Kind::CurrentCell:
        if (!resetPending_) emit CurrentCellChanged();
        return;
    case GridChange::Kind::Scrolled:
        if (!resetPending_) emit Scrolled();
        return;
    default:
        resetPending_ = true;
        break; // rows came or went
    }
    SchedulePending();
}

void LineDataTableModel::SchedulePending() {
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &LineDataTableModel::Flush, Qt::QueuedConnection);
}

} // namespace tolvanor::ui
