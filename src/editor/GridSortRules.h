// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/LineDataColumns.h"
#include "grid/GridModel.h"

#include <optional>

namespace tolvanor {

// The column a sort order of the main window sorts the line-data grid on,
// and how.
struct GridSortRule {
    int Col;
    GridSortOrder Order;
};

// Order 0 sorts by sequence number as the line is loaded; 1 to 6 sort
// after loading and before storing; any other order leaves the shots as
// they are.
constexpr std::optional<GridSortRule> LoadSortRule(int sortOrder) noexcept {
    if (sortOrder == 0) return GridSortRule{LineDataColumn::SeqNum, GridSortOrder::GenericAscending};
    return std::nullopt;
}

constexpr std::optional<GridSortRule> StoreSortRule(int sortOrder) noexcept {
    switch (sortOrder) {
    case 1:
        return GridSortRule{LineDataColumn::Northing,
                            GridSortOrder::NumericDescending}; // "By Northing/Descending (LI)"
    case 2:
        return GridSortRule{LineDataColumn::Easting, GridSortOrder::NumericAscending}; // "By Easting/Ascending (NJ)"
    case 3:
        return GridSortRule{LineDataColumn::Northing, GridSortOrder::NumericAscending}; // "By Northing/Ascending"
    case 4:
        return GridSortRule{LineDataColumn::Easting, GridSortOrder::NumericDescending}; // "By Easting/Descending"
    case 5:
        return GridSortRule{LineDataColumn::Shot, GridSortOrder::TextAscendingNoCase}; // "By Shot Type (B,L,W)"
    case 6:
        return GridSortRule{LineDataColumn::Distance, GridSortOrder::NumericAscending}; // "By Distance DownRange"
    default:
        return std::nullopt;
    }
}

// The one rule a whole load-sort-store pass applies, if any.
constexpr std::optional<GridSortRule> PassSortRule(int sortOrder) noexcept {
    const auto atLoad = LoadSortRule(sortOrder);
    return atLoad ? atLoad : StoreSortRule(sortOrder);
}

} // namespace tolvanor
