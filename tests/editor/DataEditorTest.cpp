// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/DataEditor.h"

#include "EditorTestJobs.h"
#include "RecordingPlotSink.h"
#include "core/Job.h"
#include "editor/FindLineByProfileId.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tolvanor {
namespace {

using testing::AddTestLine;
using testing::RecordingPlotSink;
using testing::ScriptedPrompter;
using testing::SetStartingPoint;
using Col = LineDataColumn;
using Texts = std::vector<std::string>;

class DataEditorTest : public ::testing::Test {
protected:
    Job job{20, 40};
    ScriptedPrompter prompter;
    RecordingPlotSink plots;
    DataEditor editor{job, prompter, &plots};

    Texts GridColumn(int col) const {
        Texts texts;
        for (int row = 1; row < editor.Grid().Rows(); ++row) texts.push_back(editor.Grid().TextMatrix(row, col));
        return texts;
    }
    std::vector<int> StoredSeqNums(std::int32_t line) const {
        std::vector<int> seqNums;
        for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot)
            seqNums.push_back(job.Data.At(line, shot).SeqNum);
        return seqNums;
    }
    // Shows `line` as the user would, through the profile list.
    void Show(std::int32_t line) {
        editor.LoadProfileNumbers();
        editor.SelectProfile(line - 1);
    }
};

TEST_F(DataEditorTest, ArrayToGridShowsEveryShotOfTheLine) {
    const auto line = AddTestLine(job, "7", 5);
    job.Data.Edit(line, 3).Ignore = true;
    editor.ArrayToGrid(line);
    EXPECT_EQ(editor.Grid().Rows(), 6);
    EXPECT_EQ(editor.Grid().Cols(), 13);
    EXPECT_EQ(editor.Grid().FixedRows(), 1);
    EXPECT_EQ(editor.Grid().FixedCols(), 1);
    EXPECT_EQ(editor.Grid().TextMatrix(0, Col::DBT), "DBT");
    EXPECT_EQ(GridColumn(Col::Easting), (Texts{"1001.0000", "1002.0000", "1003.0000", "1004.0000", "1005.0000"}));
    EXPECT_EQ(editor.Grid().Row(), 1);
    EXPECT_EQ(editor.Grid().Col(), 1);
    EXPECT_EQ(editor.Grid().LeftCol(), 1);
    // The plan view gets all shots, the ignored one included, in stored order.
    EXPECT_EQ(plots.PlanCurves["7"].Eastings, (std::vector<double>{1001, 1002, 1003, 1004, 1005}));
    EXPECT_EQ(plots.PlanCurves["7"].Northings.back(), 1995.0);
    EXPECT_EQ(job.LoadingCount, 0);
}

TEST_F(DataEditorTest, ArrayToGridOfLineZeroOnlyComplains) {
    const auto line = AddTestLine(job, "7", 2);
    editor.ArrayToGrid(line);
    editor.ArrayToGrid(0);
    EXPECT_EQ(prompter.Messages(), (Texts{"Called ArraytoGrid with Invalid Line number"}));
    EXPECT_EQ(editor.Grid().Rows(), 3);
    EXPECT_EQ(job.LoadingCount, 0);
}

TEST_F(DataEditorTest, ALineWithoutShotsLeavesOnlyTheTitleRow) {
    AddTestLine(job, "7", 3);
    const auto empty = AddTestLine(job, "8", 0);
    editor.ArrayToGrid(1);
    editor.ArrayToGrid(empty);
    EXPECT_EQ(editor.Grid().Rows(), 1);
    EXPECT_EQ(editor.Grid().TextMatrix(0, 0), "Sequence #");
    EXPECT_TRUE(plots.PlanCurves.at("").Eastings.empty());
    editor.StoreGridLine(empty);
    EXPECT_EQ(job.ShotCount(empty), 0);
}

TEST_F(DataEditorTest, AnIgnoredLineHidesTheGrid) {
    const auto line = AddTestLine(job, "7", 2);
    job.Data.EditHeader(line).LineIgnored() = true;
    editor.ArrayToGrid(line);
    EXPECT_FALSE(editor.State().GridVisible);
    job.Data.EditHeader(line).LineIgnored() = false;
    editor.ArrayToGrid(line);
    EXPECT_TRUE(editor.State().GridVisible);
}

TEST_F(DataEditorTest, StartingPointDisplay) {
    const auto with = AddTestLine(job, "7", 1);
    const auto negative = AddTestLine(job, "8", 1);
    const auto without = AddTestLine(job, "9", 1);
    SetStartingPoint(job, with, 500100.5, 4100200.25, 45.0f);
    SetStartingPoint(job, negative, -12.5, 0.0, 0.0f);

    editor.ArrayToGrid(with);
    auto display = editor.State().StartingPoint;
    EXPECT_TRUE(display.Loaded);
    EXPECT_EQ(display.Caption, "Starting Point Loaded");
    EXPECT_EQ(display.ToolTip, "E:  500100.5 , N:  4100200.25 , A:  45");
    EXPECT_EQ(display.Easting, " 500100.5");
    EXPECT_EQ(display.Angle, " 45");

    editor.ArrayToGrid(negative);
    EXPECT_EQ(editor.State().StartingPoint.Easting, "-12.5");
    EXPECT_EQ(editor.State().StartingPoint.Northing, " 0");

    editor.ArrayToGrid(without);
    display = editor.State().StartingPoint;
    EXPECT_FALSE(display.Loaded);
    EXPECT_EQ(display.Caption, "No Starting Point!");
    EXPECT_EQ(display.ToolTip, "Put Starting Point in file and then click Merge Start Points");
    EXPECT_EQ(display.Easting + display.Northing + display.Angle, "");
}

TEST_F(DataEditorTest, KeepInputOrderShowsRowsBySequenceNumberValue) {
    const auto line = AddTestLine(job, "7", 4);
    job.Data.Edit(line, 1).SeqNum = 10;
    job.Data.Edit(line, 2).SeqNum = 9;
    job.Data.Edit(line, 3).SeqNum = -1;
    job.Data.Edit(line, 4).SeqNum = 9;
    editor.ArrayToGrid(line);
    EXPECT_EQ(GridColumn(Col::SeqNum), (Texts{"-1", " 9", " 9", " 10"}));
    EXPECT_EQ(GridColumn(Col::Easting), (Texts{"1003.0000", "1002.0000", "1004.0000", "1001.0000"}));
    editor.Options().SortOrder = 2; // other orders are applied by SortGrid only
    editor.ArrayToGrid(line);
    EXPECT_EQ(GridColumn(Col::SeqNum), (Texts{" 10", " 9", "-1", " 9"}));
}

struct SortCase {
    int SortOrder;
    std::vector<int> SeqNums; // the stored order afterwards
};

class SortGridTest : public DataEditorTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortGridTest, StoresTheLineInTheChosenOrder) {
    // Shots 1..6: eastings, northings, distances and types chosen so each order differs.
    const auto line = AddTestLine(job, "7", 6);
    const double eastings[] = {30, 10, 20, 10, 50, 40};
    const double northings[] = {5, 9, 1, 7, 5, 3};
    const float distances[] = {-2, 8, 4, 8, -6, 0};
    const char* types[] = {"W", "b", "L", "B", "S", "w"};
    for (int i = 0; i < 6; ++i) {
        auto& shot = job.Data.Edit(line, i + 1);
        shot.Easting = eastings[i];
        shot.Northing = northings[i];
        shot.DistDownRange = distances[i];
        shot.SetShotType(types[i]);
    }
    editor.Options().SortOrder = GetParam().SortOrder;
    Show(line);
    editor.Grid().SetRow(4);
    editor.Grid().SetCol(5);
    editor.SortGrid();
    EXPECT_EQ(StoredSeqNums(line), GetParam().SeqNums);
    EXPECT_EQ(editor.Grid().Row(), 4); // the same row number, now another shot
    EXPECT_EQ(editor.Grid().Col(), 5);
}

INSTANTIATE_TEST_SUITE_P(SortOrders, SortGridTest,
                         ::testing::Values(SortCase{0, {1, 2, 3, 4, 5, 6}}, SortCase{1, {2, 4, 1, 5, 6, 3}},
                                           SortCase{2, {2, 4, 3, 1, 6, 5}}, SortCase{3, {3, 6, 1, 5, 4, 2}},
                                           SortCase{4, {5, 6, 1, 3, 2, 4}}, SortCase{5, {2, 4, 3, 5, 1, 6}},
                                           SortCase{6, {5, 1, 6, 3, 2, 4}}));

TEST_F(DataEditorTest, StoreGridLineWritesTheGridBackAsShown) {
    const auto line = AddTestLine(job, "7", 4);
    auto& shot = job.Data.Edit(line, 2);
    shot.Easting = 1234567.123456;
    shot.SetSurveyType("BD");
    shot.SetProfileNumber("something else");
    Show(line);
    EXPECT_TRUE(editor.Grid().RemoveItem(3));
    editor.StoreGridLine(line);
    EXPECT_EQ(job.ShotCount(line), 3);
    EXPECT_EQ(job.Data.At(line, 2).Easting, 1234567.1235);
    EXPECT_EQ(job.Data.At(line, 2).SurveyType(), "");
    EXPECT_EQ(job.Data.At(line, 2).ProfileNumber(), "7");
    EXPECT_EQ(StoredSeqNums(line), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(job.LoadingCount, 0);
}

TEST_F(DataEditorTest, StoreGridLineNeverWritesOutsideTheDataLines) {
    const auto line = AddTestLine(job, "7", 3);
    Show(line);
    editor.StoreGridLine(0);
    editor.StoreGridLine(job.MaxLines + 3); // the undo line
    EXPECT_EQ(job.Data.StoredCount(0), 0);
    EXPECT_EQ(job.ShotCount(job.MaxLines + 3), 0);
}

TEST_F(DataEditorTest, FindLineByProfileIdPrefersTheCurrentLineInUse) {
    AddTestLine(job, "7", 1);
    AddTestLine(job, "8", 1);
    AddTestLine(job, "8", 1); // a second line of the same name
    job.CurrentLine = 3;
    EXPECT_EQ(FindLineByProfileId(job, "8"), 3);
    job.CurrentLine = 1;
    EXPECT_EQ(FindLineByProfileId(job, "8"), 2);
    EXPECT_EQ(FindLineByProfileId(job, "08"), 0);
    EXPECT_EQ(FindLineByProfileId(job, "7"), 1);

    // A stale record beyond the last line is never found, current or not.
    job.Data.Edit(5, 1).SetProfileNumber("9");
    EXPECT_EQ(FindLineByProfileId(job, "9"), 0);
    job.CurrentLine = 5;
    EXPECT_EQ(FindLineByProfileId(job, "9"), 0);
    job.LineCount = 2;
    job.CurrentLine = 3;
    EXPECT_EQ(FindLineByProfileId(job, "8"), 2);
}

TEST_F(DataEditorTest, SelectingAProfileShowsItsLine) {
    AddTestLine(job, "7", 2);
    AddTestLine(job, "8", 3);
    editor.LoadProfileNumbers();
    EXPECT_EQ(editor.ProfileList(), (Texts{"7", "8"}));
    EXPECT_EQ(editor.PlotLines().size(), 2u);
    EXPECT_EQ(editor.ProfileIndex(), 0);
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 7");

    plots.Calls.clear();
    editor.State().UndoEnabled = true;
    editor.State().CopiedCurveShown = true;
    editor.SelectProfile(1);
    EXPECT_EQ(job.CurrentLine, 2);
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 8");
    EXPECT_EQ(editor.Grid().Rows(), 4);
    EXPECT_FALSE(editor.State().UndoEnabled);
    EXPECT_FALSE(editor.State().CopiedCurveShown);
    EXPECT_EQ(plots.Calls, (Texts{"RemoveProfileCurves", "PlotData 2", "MarkPlanCurve 8"}));
}

TEST_F(DataEditorTest, SelectionDoesNothingWhileLoading) {
    AddTestLine(job, "7", 2);
    AddTestLine(job, "8", 3);
    editor.LoadProfileNumbers();
    plots.Calls.clear();
    job.BeginLoading();
    editor.SelectProfile(1);
    job.EndLoading(prompter);
    EXPECT_EQ(editor.ProfileIndex(), 1);
    EXPECT_EQ(job.CurrentLine, 1);
    EXPECT_TRUE(plots.Calls.empty());
}

TEST_F(DataEditorTest, AProfileThatNamesNoLineLeavesGridAndChartsAlone) {
    AddTestLine(job, "7", 2);
    AddTestLine(job, "8", 3);
    editor.LoadProfileNumbers();
    job.Data.Edit(2, 1).SetProfileNumber("renamed");
    plots.Calls.clear();
    editor.SelectProfile(1);
    EXPECT_EQ(job.CurrentLine, 0);
    EXPECT_EQ(prompter.Messages(), (Texts{"Called ArraytoGrid with Invalid Line number"}));
    EXPECT_EQ(editor.Grid().Rows(), 3);
    EXPECT_TRUE(plots.Calls.empty());
}

TEST_F(DataEditorTest, NextAndPreviousStopAtTheEnds) {
    AddTestLine(job, "7", 1);
    AddTestLine(job, "8", 1);
    editor.LoadProfileNumbers();
    editor.PreviousLine();
    EXPECT_EQ(editor.ProfileIndex(), 0);
    editor.NextLine();
    EXPECT_EQ(job.CurrentLine, 2);
    plots.Calls.clear();
    editor.NextLine();
    EXPECT_EQ(editor.ProfileIndex(), 1);
    EXPECT_TRUE(plots.Calls.empty());
    editor.PreviousLine();
    EXPECT_EQ(job.CurrentLine, 1);
}

class RefreshDataEditTest : public DataEditorTest {
protected:
    std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "refresh-data-edit";
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(RefreshDataEditTest, MergesThenShowsTheSelectedLine) {
    const auto seven = AddTestLine(job, "007", 3);
    AddTestLine(job, "008", 2);
    const auto spf = (folder / "points.spf").string();
    std::ofstream(spf, std::ios::binary) << "7,1000,2010,0\r\nbroken line\r\n";
    editor.Options().StartingPointFile = spf;
    editor.Options().FormatProfileNumbers = true;
    editor.Options().SortOrder = 2;
    job.CurrentLine = 2;

    const auto report = editor.RefreshDataEdit();
    EXPECT_TRUE(report.FileRead);
    EXPECT_EQ(report.HeadersSet, 1);
    ASSERT_EQ(report.Skipped.size(), 1u);
    EXPECT_EQ(report.Skipped[0].LineNumber, 2);
    // Line 007 now has a starting point; its shots have their distances.
    EXPECT_EQ(job.Data.Header(seven).StartNorthing(), 2010.0);
    EXPECT_EQ(job.Data.At(seven, 1).DistDownRange, 11.0f); // (1001, 1999) lies 11 m south
    EXPECT_EQ(editor.ProfileIndex(), 0);
    EXPECT_EQ(job.CurrentLine, seven);
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 007");
    EXPECT_TRUE(editor.State().StartingPoint.Loaded);
    EXPECT_EQ(plots.PlanCurves.size(), 2u);
    EXPECT_EQ(plots.Calls.back(), "MarkPlanCurve 007");
    EXPECT_EQ(job.LoadingCount, 0);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(RefreshDataEditTest, AMissingStartingPointFileIsNotMerged) {
    AddTestLine(job, "7", 3);
    editor.Options().StartingPointFile = (folder / "absent.spf").string();
    const auto report = editor.RefreshDataEdit();
    EXPECT_FALSE(report.FileRead);
    EXPECT_FALSE(editor.State().StartingPoint.Loaded);
    EXPECT_TRUE(prompter.Messages().empty());
    editor.Options().StartingPointFile.clear();
    EXPECT_FALSE(editor.RefreshDataEdit().FileRead);
}

} // namespace
} // namespace tolvanor
