// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisTable.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

namespace tolvanor::ui {

// The core's per-line table as the view shows it; SortRole gives each
// cell's unrounded number (or its text) for sorting.
class AnalysisTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;
    void SetTable(AnalysisTable table);
    const AnalysisTable& Table() const noexcept { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    AnalysisTable table_;
};

// Numbers by value before empty cells, texts by text.
class AnalysisSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

} // namespace tolvanor::ui
