// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/StartingPointGrid.h"

#include "editor/GridModel.h"
#include "startpoints/TrimToLastDigit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tolvanor {
namespace {

const std::string DataFolder = std::string(TOLVANOR_TEST_DATA) + "/startpoints/";
using Texts = std::vector<std::string>;

Texts Rows(const GridModel& grid) {
    Texts rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        std::string text;
        for (int col = 0; col < grid.Cols(); ++col) text += (col > 0 ? "|" : "") + grid.TextMatrix(row, col);
        rows.push_back(text);
    }
    return rows;
}

class StartingPointGridTest : public ::testing::Test {
protected:
    GridModel grid;
    std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "starting-point-grid";

    void SetUp() override {
        std::filesystem::create_directories(folder);
        SetUpStartingPointGrid(grid);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string FileText(const std::string& path) const {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
};

TEST(TrimToLastDigit, KeepsTheTextUpToItsLastDigit) {
    EXPECT_EQ(TrimToLastDigit("12A"), "12");
    EXPECT_EQ(TrimToLastDigit("12B"), "12");
    EXPECT_EQ(TrimToLastDigit("0012"), "0012");
    EXPECT_EQ(TrimToLastDigit("12+50"), "12+50");
    EXPECT_EQ(TrimToLastDigit("L7B2x "), "L7B2");
    EXPECT_EQ(TrimToLastDigit("AB"), "Error");
    EXPECT_EQ(TrimToLastDigit(""), "Error");
}

TEST_F(StartingPointGridTest, LoadsEveryEntryPastABlankLine) {
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "blank-line-inside.spf", false));
    EXPECT_EQ(Rows(grid), (Texts{"7|500100.5|4100200.25|45", "12a|500200|4100300|90", "14|500300.125|4100400|135"}));
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 1), "       Easting");
}

TEST_F(StartingPointGridTest, FormatsProfileNumbersWhenAsked) {
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "blank-line-inside.spf", true));
    EXPECT_EQ(grid.TextMatrix(1, 0), "007");
    EXPECT_EQ(grid.TextMatrix(2, 0), "12A");
}

TEST_F(StartingPointGridTest, SurplusFieldsAreDroppedAndMissingOnesEmpty) {
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "unreadable-entries.spf", false));
    const auto rows = Rows(grid);
    ASSERT_EQ(rows.size(), 7u); // the two blank lines are passed over
    EXPECT_EQ(rows[1], "8|500100||");
    EXPECT_EQ(rows[5], "12|500400|4100500|30");
}

TEST_F(StartingPointGridTest, LinesEndAtLineFeedsAndAtTheEnd) {
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "lf-no-final-break.spf", false));
    EXPECT_EQ(Rows(grid), (Texts{"7|1|2|3", "8|4|5|6"}));
}

TEST_F(StartingPointGridTest, AMissingFileLeavesTheGridAlone) {
    grid.SetTextMatrix(1, 0, "5");
    EXPECT_FALSE(LoadFlexGrid(grid, DataFolder + "no-such-file.spf", false));
    EXPECT_EQ(Rows(grid), (Texts{"5|||"}));
}

TEST_F(StartingPointGridTest, SavesCellsAsTheyStand) {
    const std::vector<std::string> entry = {"7", " 500100.5", "4100200.25", "45"};
    grid.AddRow(std::span<const std::string>(entry));
    const auto path = (folder / "saved.spf").string();
    std::ofstream(path) << "old contents that must go\n";
    ASSERT_TRUE(SaveFlexGrid(grid, path));
    EXPECT_EQ(FileText(path), ",,,\r\n7, 500100.5,4100200.25,45\r\n");
}

TEST_F(StartingPointGridTest, SavingAndLoadingGivesTheSameGrid) {
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "blank-line-inside.spf", false));
    const auto path = (folder / "round-trip.spf").string();
    ASSERT_TRUE(SaveFlexGrid(grid, path));
    GridModel reloaded;
    SetUpStartingPointGrid(reloaded);
    ASSERT_TRUE(LoadFlexGrid(reloaded, path, false));
    EXPECT_EQ(Rows(reloaded), Rows(grid));
}

TEST_F(StartingPointGridTest, SavingWhereNoFileCanBeWrittenFails) {
    EXPECT_FALSE(SaveFlexGrid(grid, (folder / "missing-folder" / "x.spf").string()));
    EXPECT_FALSE(SaveFlexGrid(grid, folder.string()));
}

} // namespace
} // namespace tolvanor
