// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/GridModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvanor {
namespace {

// A two-column grid: a title row, then one row per key with its original
// position in column 1, so every test can see where each row went.
GridModel KeyedGrid(const std::vector<std::string>& keys) {
    GridModel grid(1, 2);
    grid.SetTextMatrix(0, 0, "Key");
    grid.SetTextMatrix(0, 1, "Was");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::vector<std::string> cells = {keys[i], std::to_string(i + 1)};
        grid.AddRow(std::span<const std::string>(cells));
    }
    grid.SetFixedRows(1);
    return grid;
}

std::vector<std::string> Column(const GridModel& grid, int col) {
    std::vector<std::string> texts;
    for (int row = 1; row < grid.Rows(); ++row) texts.push_back(grid.TextMatrix(row, col));
    return texts;
}

void SortAll(GridModel& grid, GridSortOrder order) {
    grid.SetRow(1);
    grid.SetRowSel(grid.Rows() - 1);
    grid.SetCol(0);
    grid.Sort(order);
}

using Texts = std::vector<std::string>;

TEST(GridModelRows, SettingOneRowKeepsTitlesAndNewRowsStartEmpty) {
    GridModel grid = KeyedGrid({"a", "b", "c"});
    grid.SetRows(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Key");
    // Storage is reused: the old texts must not come back.
    grid.SetRows(3);
    EXPECT_EQ(Column(grid, 0), (Texts{"", ""}));
    grid.AddItem("x");
    EXPECT_EQ(Column(grid, 1), (Texts{"", "", ""}));
}

TEST(GridModelRows, AppendedRowsHoldTheirOwnTexts) {
    GridModel grid(1, 3);
    const std::vector<std::string_view> cells = {"1", "REMARK\tWITH TAB", "x"};
    grid.AddRow(cells);
    EXPECT_EQ(grid.TextMatrix(1, 1), "REMARK\tWITH TAB");
    EXPECT_EQ(grid.TextMatrix(1, 2), "x");

    grid.AddItem("a\tb\tc\tsurplus");
    EXPECT_EQ(grid.RowTexts(2).size(), 3u);
    EXPECT_EQ(grid.TextMatrix(2, 2), "c");
    grid.AddItem("only");
    EXPECT_EQ(grid.TextMatrix(3, 0), "only");
    EXPECT_EQ(grid.TextMatrix(3, 1), "");
}

TEST(GridModelRows, RemoveItemMovesLaterRowsUp) {
    GridModel grid = KeyedGrid({"a", "b", "c"});
    grid.SetRow(3);
    EXPECT_TRUE(grid.RemoveItem(2));
    EXPECT_EQ(Column(grid, 0), (Texts{"a", "c"}));
    EXPECT_EQ(grid.Row(), 2); // kept inside the table
    EXPECT_FALSE(grid.RemoveItem(5));
    grid.AddItem("d");
    EXPECT_EQ(Column(grid, 0), (Texts{"a", "c", "d"}));
    EXPECT_EQ(grid.TextMatrix(3, 1), "");
}

TEST(GridModelSelection, RowAndColCollapseTheSelection) {
    GridModel grid = KeyedGrid({"a", "b", "c", "d"});
    grid.SetRow(3);
    grid.SetRowSel(1);
    EXPECT_EQ(grid.SelectionTop(), 1);
    EXPECT_EQ(grid.SelectionBottom(), 3);
    grid.SetCol(1); // the row selection stays
    EXPECT_EQ(grid.RowSel(), 1);
    grid.SetRow(2);
    EXPECT_EQ(grid.RowSel(), 2);
    grid.SetRow(99);
    EXPECT_EQ(grid.Row(), 4);
    grid.SetTopRow(0);
    EXPECT_EQ(grid.TopRow(), 1); // never a fixed row
}

TEST(GridModelSort, GenericAscendingPutsNumbersByValueBeforeTexts) {
    GridModel grid = KeyedGrid({"b", "10", " 9 ", "", "-1.5", "B", "1e1", "9"});
    SortAll(grid, GridSortOrder::GenericAscending);
    EXPECT_EQ(Column(grid, 0), (Texts{"-1.5", " 9 ", "9", "10", "1e1", "", "B", "b"}));
}

TEST(GridModelSort, GenericDescendingKeepsNumbersFirstAndEqualKeysInOrder) {
    GridModel grid = KeyedGrid({"x", "2", "10", "2.0", "y", "x"});
    SortAll(grid, GridSortOrder::GenericDescending);
    EXPECT_EQ(Column(grid, 0), (Texts{"10", "2", "2.0", "y", "x", "x"}));
    EXPECT_EQ(Column(grid, 1), (Texts{"3", "2", "4", "5", "1", "6"}));
}

TEST(GridModelSort, NumericOrdersUseLeadingNumbersAndAreStable) {
    GridModel grid = KeyedGrid({"12abc", "abc", "3", "-2", "12", "0"});
    SortAll(grid, GridSortOrder::NumericAscending);
    EXPECT_EQ(Column(grid, 0), (Texts{"-2", "abc", "0", "3", "12abc", "12"}));
    SortAll(grid, GridSortOrder::NumericDescending);
    EXPECT_EQ(Column(grid, 0), (Texts{"12abc", "12", "3", "abc", "0", "-2"}));
}

TEST(GridModelSort, TextOrderIgnoresAsciiCaseOnly) {
    GridModel grid = KeyedGrid({"W", "b", "L", "B", "s", "w", "\xE9", "\xC9"});
    SortAll(grid, GridSortOrder::TextAscendingNoCase);
    EXPECT_EQ(Column(grid, 0), (Texts{"b", "B", "L", "s", "W", "w", "\xC9", "\xE9"}));
}

TEST(GridModelSort, RowsOutsideTheSelectionAndTheTitleNeverMove) {
    GridModel grid = KeyedGrid({"5", "4", "3", "2", "1"});
    grid.SetRow(4);
    grid.SetRowSel(2); // selection given bottom-up
    grid.SetCol(0);
    grid.Sort(GridSortOrder::GenericAscending);
    EXPECT_EQ(Column(grid, 0), (Texts{"5", "2", "3", "4", "1"}));

    grid.SetRow(0); // a selection reaching into the title row leaves it alone
    grid.SetRowSel(5);
    grid.Sort(GridSortOrder::GenericDescending);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Key");
    EXPECT_EQ(Column(grid, 0), (Texts{"5", "4", "3", "2", "1"}));
}

TEST(GridModelObservers, HearEachChangeOrOneResetPerBatch) {
    GridModel grid = KeyedGrid({"2", "1"});
    std::vector<GridChange::Kind> heard;
    const int id = grid.AddObserver([&heard](const GridChange& change) { heard.push_back(change.What); });

    grid.SetTextMatrix(1, 0, "3");
    grid.AddItem("0");
    SortAll(grid, GridSortOrder::GenericAscending);
    EXPECT_EQ(heard, (std::vector<GridChange::Kind>{GridChange::Kind::CellText, GridChange::Kind::RowsInserted,
                                                    GridChange::Kind::CurrentCell, GridChange::Kind::CurrentCell,
                                                    GridChange::Kind::CurrentCell, GridChange::Kind::RowsSorted}));

    heard.clear();
    grid.BeginBatch();
    grid.BeginBatch();
    grid.SetRows(1);
    grid.AddItem("x");
    grid.EndBatch();
    EXPECT_TRUE(heard.empty());
    grid.EndBatch();
    EXPECT_EQ(heard, (std::vector<GridChange::Kind>{GridChange::Kind::Reset}));

    heard.clear();
    grid.BeginBatch();
    grid.EndBatch();
    grid.RemoveObserver(id);
    grid.AddItem("y");
    EXPECT_TRUE(heard.empty());
}

} // namespace
} // namespace tolvanor
