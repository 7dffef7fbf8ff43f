// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Job.h"
#include "grid/GridModel.h"
#include "startpoints/MergeStartingPoints.h"
#include "startpoints/StartingPointGrid.h"
#include "startpoints/TrimToLastDigit.h"
#include "support/TestTempPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tolvanor {
namespace {

const std::string DataFolder = std::string(TOLVANOR_TEST_DATA) + "/startpoints/";

class StartingPointsTest : public ::testing::Test {
protected:
    Job job{20, 20};
    GridModel grid;
    std::string path = testing::TestTempPath("starting-points.spf").string();

    void SetUp() override { SetUpStartingPointGrid(grid); }
    void TearDown() override { std::filesystem::remove(path); }

    std::int32_t AddLine(const std::string& name) {
        job.Data.Edit(++job.LineCount, 1).SetProfileNumber(name);
        return job.LineCount;
    }
    const std::string& WriteFile(const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    double StartEasting(std::int32_t line) const { return job.Data.Header(line).StartEasting(); }
    // Rows 1.. of the grid, cells ended by "|", rows by "/".
    std::string GridText() const {
        std::string text;
        for (int row = 1; row < grid.Rows(); ++row)
            for (int col = 0; col < grid.Cols(); ++col) text += grid.TextMatrix(row, col) + (col < 3 ? "|" : "/");
        return text;
    }
};

TEST(TrimToLastDigit, KeepsTheTextUpToItsLastDigit) {
    const std::pair<const char*, const char*> cases[] = {{"12A", "12"},      {"0012", "0012"}, {"12+50", "12+50"},
                                                         {"L7B2x ", "L7B2"}, {"AB", "Error"},  {"", "Error"}};
    for (const auto& [text, trimmed] : cases) EXPECT_EQ(TrimToLastDigit(text), trimmed) << '"' << text << '"';
}

TEST_F(StartingPointsTest, AnEntryReachesEveryLineWithItsKeyAndLaterEntriesWin) {
    const auto a = AddLine("7A"), b = AddLine("7B"), other = AddLine("17"), padded = AddLine("007");
    const auto kept = AddLine("8");
    job.Data.EditHeader(kept).StartEasting() = 42.0;
    job.Data.Edit(9, 1).SetProfileNumber("7"); // a stale line beyond the last one
    const auto report =
        MergeStartingPoints(job, WriteFile("7,1,2,3\r\n7,500100.5,4100200.25,45\r\n99,7,8,9\r\n"), false);
    EXPECT_EQ(report.EntriesUsed, 3);
    EXPECT_EQ(report.HeadersSet, 4);
    EXPECT_EQ(job.Data.Header(a).StartNorthing(), 4100200.25);
    EXPECT_EQ(job.Data.Header(a).LineAngle(), 45.0f);
    EXPECT_EQ(StartEasting(a) + StartEasting(b), 2 * 500100.5);
    EXPECT_EQ(StartEasting(other) + StartEasting(padded) + StartEasting(9), 0.0);
    EXPECT_EQ(StartEasting(kept), 42.0);
    MergeStartingPoints(job, path, true); // 007 matches 7 with three-digit numbers
    EXPECT_EQ(StartEasting(padded), 500100.5);
}

TEST_F(StartingPointsTest, UnreadableEntriesAreSkippedAndCounted) {
    const auto seven = AddLine("7"), twelve = AddLine("12"), thirteen = AddLine("13"), eleven = AddLine("11");
    const auto report = MergeStartingPoints(job, DataFolder + "unreadable-entries.spf", false);
    EXPECT_EQ(report.EntriesUsed, 3);
    std::string skipped; // line: reason (0 blank, 1 too few fields, 2 not a number)
    for (const auto& skip : report.Skipped)
        skipped += std::to_string(skip.LineNumber) + ":" + std::to_string(static_cast<int>(skip.Reason)) + " ";
    EXPECT_EQ(skipped, "2:0 3:1 4:2 5:2 6:0 7:2 ");
    EXPECT_EQ(StartEasting(seven), 500100.5);
    EXPECT_EQ(StartEasting(twelve), 500400.0); // a surplus field is ignored
    EXPECT_EQ(job.Data.Header(thirteen).LineAngle(), 1000.0f);
    EXPECT_EQ(StartEasting(eleven), 0.0); // its angle overflows
    EXPECT_FALSE(MergeStartingPoints(job, DataFolder + "no-such-file.spf", false).FileRead);
}

TEST_F(StartingPointsTest, AFileThatCannotBeReadChangesNothingAndSaysWhy) {
    const auto seven = AddLine("7");
    job.Data.EditHeader(seven).StartEasting() = 42.0;
    job.Data.Edit(seven, 1).DistDownRange = 3.5f;
    const std::string folder = ::testing::TempDir();
    for (const auto& [file, reason] :
         {std::pair<std::string, std::string>{"/proc/self/mem", "Input/output error"}, {folder, "Is a directory"}}) {
        const auto report = MergeStartingPoints(job, file, false);
        EXPECT_FALSE(report.FileRead) << file;
        EXPECT_TRUE(report.ReadFailed) << file;
        EXPECT_EQ(UnreadableStartingPointFileText(file, report),
                  "Unable to read the starting point file " + file + "\r\n" + reason);
    }
    EXPECT_EQ(StartEasting(seven), 42.0);
    EXPECT_EQ(job.Data.At(seven, 1).DistDownRange, 3.5f);
    EXPECT_FALSE(MergeStartingPoints(job, DataFolder + "no-such-file.spf", false).ReadFailed)
        << "missing is not unreadable";
}

TEST_F(StartingPointsTest, LoadFlexGridLoadsEveryNonBlankLine) {
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "blank-line-inside.spf", false));
    EXPECT_EQ(GridText(), "7|500100.5|4100200.25|45/12a|500200|4100300|90/14|500300.125|4100400|135/");
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "blank-line-inside.spf", true));
    EXPECT_EQ(grid.TextMatrix(1, 0) + grid.TextMatrix(2, 0), "00712A");
    ASSERT_TRUE(LoadFlexGrid(grid, DataFolder + "lf-no-final-break.spf", false));
    EXPECT_EQ(GridText(), "7|1|2|3/8|4|5|6/");
    EXPECT_FALSE(LoadFlexGrid(grid, DataFolder + "no-such-file.spf", false));
    EXPECT_EQ(GridText(), "7|1|2|3/8|4|5|6/");
    // A byte-order mark is not part of the first entry, for the grid or the merge.
    const auto seven = AddLine("7");
    WriteFile("\xEF\xBB\xBF"
              "7,500100.5,4100200.25,45\r\n");
    ASSERT_TRUE(LoadFlexGrid(grid, path, false));
    EXPECT_EQ(GridText(), "7|500100.5|4100200.25|45/");
    EXPECT_EQ(MergeStartingPoints(job, path, false).HeadersSet, 1);
    EXPECT_EQ(StartEasting(seven), 500100.5);
}

TEST_F(StartingPointsTest, SaveFlexGridWritesCellsAsTheyStand) {
    grid.SetTextMatrix(1, 1, " 500100.5");
    grid.AddItem("8\t1\t2\t3");
    ASSERT_TRUE(SaveFlexGrid(grid, WriteFile("old contents that must go\n")));
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), ", 500100.5,,\r\n8,1,2,3\r\n");
    EXPECT_FALSE(SaveFlexGrid(grid, ::testing::TempDir()));
}

} // namespace
} // namespace tolvanor
