// SPDX-License-Identifier: GPL-3.0-or-later
// The grid model and the rows of shots it holds.
#include "grid/GridModel.h"

#include "core/ShotRecord.h"
#include "core/Text.h"
#include "editor/ShotRow.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tolvanor {
namespace {

using Texts = std::vector<std::string>;

// A one-column grid: a title row, then one row per key of `keys` ("|" between them).
GridModel KeyedGrid(std::string_view keys) {
    GridModel grid(1, 1);
    grid.SetTextMatrix(0, 0, "Key");
    for (const auto key : SplitFields(keys, '|')) grid.AddItem(key);
    grid.SetFixedRows(1);
    return grid;
}

std::string Keys(const GridModel& grid) {
    std::string keys;
    for (int row = 1; row < grid.Rows(); ++row) keys += (row > 1 ? "|" : "") + grid.TextMatrix(row, 0);
    return keys;
}

// Equal keys written differently (" 9 " and "9", "2" and "2.0", "abc" and
// "0" in the numeric orders, "b" and "B") show that the sorts are stable.
TEST(GridModel, SortOrdersCompareNumbersAsNumbersAndKeepEqualKeysInOrder) {
    const std::tuple<GridSortOrder, const char*, const char*> cases[] = {
        {GridSortOrder::GenericAscending, "b|10| 9 ||-1.5|B|1e1|9", "-1.5| 9 |9|10|1e1||B|b"},
        {GridSortOrder::GenericDescending, "x|2|10|2.0|y|x", "10|2|2.0|y|x|x"},
        {GridSortOrder::NumericAscending, "12abc|abc|3|-2|12|0", "-2|abc|0|3|12abc|12"},
        {GridSortOrder::NumericDescending, "12abc|abc|3|-2|12|0", "12abc|12|3|abc|0|-2"},
        {GridSortOrder::TextAscendingNoCase, "W|b|L|B|s|w|\xE9|\xC9", "b|B|L|s|W|w|\xC9|\xE9"},
    };
    for (const auto& [order, keys, sorted] : cases) {
        GridModel grid = KeyedGrid(keys);
        grid.SetRow(1);
        grid.SetRowSel(grid.Rows() - 1);
        grid.Sort(order);
        EXPECT_EQ(Keys(grid), sorted) << "order " << static_cast<int>(order);
    }
}

TEST(GridModel, RowsOutsideTheSelectionAndTheTitleNeverMove) {
    GridModel grid = KeyedGrid("5|4|3|2|1");
    grid.SetRow(4);
    grid.SetRowSel(2); // selection given bottom-up
    grid.Sort(GridSortOrder::GenericAscending);
    EXPECT_EQ(Keys(grid), "5|2|3|4|1");
    grid.SetRow(0); // a selection reaching into the title row leaves it alone
    grid.SetRowSel(5);
    grid.Sort(GridSortOrder::GenericDescending);
    EXPECT_EQ(grid.TextMatrix(0, 0) + "|" + Keys(grid), "Key|5|4|3|2|1");
}

Texts RowOf(const ShotRecord& shot) {
    ShotRowTexts cells;
    ShotToRowTexts(shot, cells);
    return {cells.begin(), cells.end()};
}

ShotRecord Stored(const Texts& cells) {
    ShotRecord shot;
    RowTextsToShot(cells, "012BD", shot);
    return shot;
}

TEST(ShotRow, EveryColumnShowsItsPattern) {
    ShotRecord shot;
    shot.SeqNum = 12;
    shot.Easting = 1234567.123456;
    shot.Northing = -0.00004;
    shot.DistDownRange = shot.DBT = 0.5f;
    shot.Heave = -1.005f; // its 7-digit text 1.005000 rounds the half up
    shot.Tide = 12.25f;
    shot.SetRemark("TOE\tOF SLOPE");
    shot.SetShotType("B");
    shot.Ignore = true;
    shot.Roll = -0.004f;
    EXPECT_EQ(RowOf(shot), (Texts{" 12", "1234567.1235", ".0000", ".5", ".0", ".50", "-1.01", "12.3", "TOE\tOF SLOPE",
                                  "B", "Yes", ".00", ".00"}));
    // A water shot shows the elevation of its own sounder values, rounded once.
    ShotRecord water;
    water.SetShotType("w");
    water.Elevation = 5;
    water.DBT = 1;
    water.Tide = 0.25f;
    EXPECT_EQ(RowOf(water)[LineDataColumn::Elevation], "-.8");
}

TEST(ShotRow, StoreTakesLeadingNumbers) {
    const auto shot = Stored({" 2.5", "402511.3751", "abc", " -12.5m", "12abc", "1e1", ".00", "-.4", "A\tB", "w", "Yes",
                              "12abc", " -2.25 "});
    EXPECT_EQ(shot.SeqNum, 2); // halves to even
    EXPECT_EQ(shot.Easting, 402511.3751);
    EXPECT_EQ(shot.Northing, 0.0);
    EXPECT_EQ(shot.DistDownRange, -12.5f);
    EXPECT_EQ(shot.Pitch, 0.0f); // pitch and roll must be whole numbers
    EXPECT_EQ(shot.Roll, -2.25f);
    EXPECT_TRUE(shot.Ignore);
    // Sequence numbers round halves to even and clamp; only "Y..." ignores.
    const auto half = Stored({"3.5", "", "", "", "", "", "", "", "", "", "yes", "", ""});
    const auto huge = Stored({"9e99", "", "", "", "", "", "", "", "", "", "Y", "", ""});
    EXPECT_EQ(half.SeqNum, 4);
    EXPECT_EQ(huge.SeqNum, 2147483647);
    EXPECT_FALSE(half.Ignore);
    EXPECT_TRUE(huge.Ignore);
}

} // namespace
} // namespace tolvanor
