// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/AnalysisTableModel.h"

#include "ui/common/QtText.h"

#include <cmath>

namespace tolvanor::ui {

void AnalysisTableModel::SetTable(AnalysisTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int AnalysisTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.Rows.size());
}

int AnalysisTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.Headings.size());
}

QVariant AnalysisTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto& row = table_.Rows[static_cast<std::size_t>(index.row())];
    if (static_cast<std::size_t>(index.column()) >= row.size()) return {};
    const AnalysisCell& cell = row[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return TextToQt(cell.Text);
    case SortRole:
        return std::isnan(cell.Value) ? QVariant(TextToQt(cell.Text)) : QVariant(cell.Value);
    case Qt::TextAlignmentRole:
        return std::isnan(cell.Value) ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                      : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant AnalysisTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || static_cast<std::size_t>(section) >= table_.Headings.size()) return {};
    return QString::fromStdString(table_.Headings[static_cast<std::size_t>(section)]);
}

bool AnalysisSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(AnalysisTableModel::SortRole);
    const QVariant b = right.data(AnalysisTableModel::SortRole);
    const bool aNumber = a.typeId() == QMetaType::Double;
    const bool bNumber = b.typeId() == QMetaType::Double;
    if (aNumber && bNumber) return a.toDouble() < b.toDouble();
    if (aNumber != bNumber) return aNumber; // numbers first, then texts and empty cells
    const QString aText = a.toString();
    const QString bText = b.toString();
    if (aText.isEmpty() != bText.isEmpty()) return !aText.isEmpty();
    return aText < bText;
}

} // namespace tolvanor::ui
