// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/DataEditor.h"

#include "core/Job.h"
#include "core/Progress.h"
#include "editor/FindLineByProfileId.h"
#include "editor/PlotSink.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace tolvanor {
namespace {

using Texts = std::vector<std::string>;

// Appends a line of shots numbered 1..shots at (1000 + shot, 2000 - shot).
std::int32_t AddTestLine(Job& job, const std::string& name, std::int32_t shots) {
    const std::int32_t line = ++job.LineCount;
    job.Data.EditHeader(line).ShotCount() = shots;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        auto& record = job.Data.Edit(line, shot);
        record.SeqNum = shot;
        record.Easting = 1000.0 + shot;
        record.Northing = 2000.0 - shot;
        record.SetProfileNumber(name);
    }
    return line;
}

// Keeps the plan-view eastings by curve name and logs every other call in order.
class RecordingPlotSink : public PlotSink {
public:
    void UpdatePlanCurve(std::string_view name, std::span<const double> eastings, std::span<const double>) override {
        PlanEastings[std::string(name)].assign(eastings.begin(), eastings.end());
    }
    void RemoveProfileCurves() override { Calls.emplace_back("RemoveProfileCurves"); }
    void PlotData(std::int32_t line) override { Calls.push_back("PlotData " + std::to_string(line)); }
    void MarkPlanCurve(std::string_view name) override { Calls.push_back("MarkPlanCurve " + std::string(name)); }

    std::map<std::string, std::vector<double>> PlanEastings;
    std::vector<std::string> Calls;
};

class DataEditorTest : public ::testing::Test {
protected:
    Job job{20, 40};
    testing::ScriptedPrompter prompter;
    RecordingPlotSink plots;
    DataEditor editor{job, prompter, &plots};

    std::vector<int> StoredSeqNums(std::int32_t line) const {
        std::vector<int> seqNums;
        for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot)
            seqNums.push_back(job.Data.At(line, shot).SeqNum);
        return seqNums;
    }
};

TEST_F(DataEditorTest, ArrayToGridShowsTheLineAndItsStartingPoint) {
    const auto line = AddTestLine(job, "7", 3);
    const auto other = AddTestLine(job, "8", 1);
    job.Data.Edit(line, 2).Ignore = true;
    job.Data.EditHeader(line).StartEasting() = 500100.5;
    job.Data.EditHeader(line).StartNorthing() = 4100200.25;
    job.Data.EditHeader(line).LineAngle() = 45.0f;
    editor.ArrayToGrid(line);
    EXPECT_EQ(editor.Grid().Rows(), 4);
    // The plan view gets all shots, the ignored one included.
    EXPECT_EQ(plots.PlanEastings["7"], (std::vector<double>{1001, 1002, 1003}));
    const auto& point = editor.State().StartingPoint;
    EXPECT_EQ(point.Caption, "Starting Point Loaded");
    EXPECT_EQ(point.ToolTip, "E:  500100.5 , N:  4100200.25 , A:  45");
    EXPECT_EQ(point.Easting + "|" + point.Northing + "|" + point.Angle, " 500100.5| 4100200.25| 45");

    job.Data.EditHeader(other).LineIgnored() = true;
    editor.ArrayToGrid(other);
    EXPECT_FALSE(editor.State().GridVisible);
    EXPECT_EQ(point.Caption, "No Starting Point!");
    EXPECT_EQ(point.ToolTip, "Put Starting Point in file and then click Merge Start Points");
    EXPECT_EQ(point.Easting + point.Northing + point.Angle, "");

    editor.ArrayToGrid(0);
    EXPECT_EQ(prompter.Messages(), (Texts{"Called ArraytoGrid with Invalid Line number"}));
    EXPECT_EQ(editor.Grid().Rows(), 2);
}

TEST_F(DataEditorTest, SortAndStoreWriteTheGridIntoTheListedLineOnly) {
    const auto line = AddTestLine(job, "7", 4);
    const char* types[] = {"w", "B", "L", "b"};
    for (int i = 0; i < 4; ++i) job.Data.Edit(line, i + 1).SetShotType(types[i]);
    job.Data.Edit(line, 2).SetProfileNumber("something else");
    editor.Options().SortOrder = 5; // shot type, ignoring case
    editor.LoadProfileNumbers();
    editor.Grid().SetRow(3);
    editor.Grid().SetCol(5);
    editor.SortGrid();
    EXPECT_EQ(StoredSeqNums(line), (std::vector<int>{2, 4, 3, 1}));
    EXPECT_EQ(editor.Grid().Row() * 10 + editor.Grid().Col(), 35) << "the same cell, now another shot";
    EXPECT_EQ(job.Data.At(line, 1).ProfileNumber(), "7"); // the list's text

    EXPECT_TRUE(editor.Grid().RemoveItem(3));
    editor.StoreGridLine(line);
    EXPECT_EQ(StoredSeqNums(line), (std::vector<int>{2, 4, 1}));
    editor.StoreGridLine(0);
    editor.StoreGridLine(job.MaxLines + 3); // the undo line
    EXPECT_EQ(job.Data.StoredCount(0) + job.ShotCount(job.MaxLines + 3), 0);
}

// The whole-job pass in each sort order, on a line stored in no order by
// any field; order 7 keeps the stored order.
TEST(LoadArraySort, EveryOrderSortsByItsColumnAndKeepsEveryShot) {
    // By sequence number 1..5: northing, easting, shot type, distance down range.
    const double northings[] = {10, 30, 20, 50, 40};
    const double eastings[] = {5, 1, 4, 2, 3};
    const char* const types[] = {"W", "b", "L", "S", "B"};
    const float distances[] = {9, 7, 8, 6, 10};
    const int stored[] = {3, 1, 5, 2, 4};
    const std::vector<int> sorted[] = {{1, 2, 3, 4, 5}, {4, 5, 2, 3, 1}, {2, 4, 5, 3, 1}, {1, 3, 2, 5, 4},
                                       {1, 3, 5, 4, 2}, {5, 2, 3, 4, 1}, {4, 2, 3, 1, 5}, {3, 1, 5, 2, 4}};
    for (int order = 0; order <= 7; ++order) {
        Job job(20, 40);
        job.LineCount = 1;
        job.Data.EditHeader(1).ShotCount() = 5;
        for (int k = 1; k <= 5; ++k) {
            auto& r = job.Data.Edit(1, k);
            const int seq = r.SeqNum = stored[k - 1];
            r.Northing = northings[seq - 1];
            r.Easting = eastings[seq - 1];
            r.SetShotType(types[seq - 1]);
            r.DistDownRange = distances[seq - 1];
            r.SetProfileNumber("7");
        }
        testing::ScriptedPrompter prompter;
        DataEditor editor(job, prompter);
        editor.Options().SortOrder = order;
        editor.LoadProfileNumbers();
        editor.LoadArray();
        std::vector<int> seqNums;
        for (std::int32_t shot = 1; shot <= job.ShotCount(1); ++shot) seqNums.push_back(job.Data.At(1, shot).SeqNum);
        EXPECT_EQ(seqNums, sorted[order]) << "sort order " << order;
    }
}

TEST(FindLineByProfileId, TriesTheCurrentLineFirstAndLooksOnlyAtLinesInUse) {
    Job job(20, 5);
    AddTestLine(job, "7", 1);
    AddTestLine(job, "8", 1);
    AddTestLine(job, "8", 1);                  // a second line of the same name
    job.Data.Edit(5, 1).SetProfileNumber("9"); // a stale record beyond the last line
    // current line, line count, text, line found
    const std::tuple<std::int32_t, std::int32_t, const char*, std::int32_t> cases[] = {
        {3, 3, "8", 3}, {1, 3, "8", 2}, {1, 3, "08", 0}, {1, 3, "7", 1},
        {1, 3, "9", 0}, {5, 3, "9", 0}, {3, 2, "8", 2}};
    for (const auto& [current, count, text, found] : cases) {
        job.CurrentLine = current;
        job.LineCount = count;
        EXPECT_EQ(FindLineByProfileId(job, text), found) << text << " current " << current;
    }
}

TEST_F(DataEditorTest, SelectingAProfileShowsItsLineUnlessLoading) {
    AddTestLine(job, "7", 2);
    AddTestLine(job, "8", 3);
    editor.LoadProfileNumbers();
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 7");

    plots.Calls.clear();
    editor.State().UndoEnabled = editor.State().CopiedCurveShown = true;
    editor.SelectProfile(1);
    EXPECT_EQ(job.CurrentLine, 2);
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 8");
    EXPECT_FALSE(editor.State().UndoEnabled || editor.State().CopiedCurveShown);
    EXPECT_EQ(plots.Calls, (Texts{"RemoveProfileCurves", "PlotData 2", "MarkPlanCurve 8"}));

    plots.Calls.clear();
    job.BeginLoading();
    editor.SelectProfile(0);
    job.EndLoading(prompter);
    EXPECT_EQ(editor.ProfileIndex(), 0);
    EXPECT_EQ(job.CurrentLine, 2); // listed, not shown
    EXPECT_TRUE(plots.Calls.empty());
}

TEST_F(DataEditorTest, RefreshDataEditMergesThenShowsTheFirstLine) {
    const auto seven = AddTestLine(job, "007", 3);
    AddTestLine(job, "008", 2);
    const auto spf = (std::filesystem::path(::testing::TempDir()) / "refresh-data-edit.spf").string();
    std::ofstream(spf, std::ios::binary) << "7,1000,2010,0\r\nbroken line\r\n";
    editor.Options().StartingPointFile = spf;
    editor.Options().FormatProfileNumbers = true;
    job.CurrentLine = 2;

    EXPECT_EQ(editor.RefreshDataEdit().HeadersSet, 1);
    std::filesystem::remove(spf);
    EXPECT_EQ(job.Data.At(seven, 1).DistDownRange, 11.0f); // (1001, 1999) lies 11 m south
    EXPECT_EQ(job.CurrentLine, seven);
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 007");
    EXPECT_TRUE(editor.State().StartingPoint.Loaded);
    EXPECT_EQ(plots.Calls.back(), "MarkPlanCurve 007");
    // The file is gone now: nothing is merged and nothing is said.
    EXPECT_FALSE(editor.RefreshDataEdit().FileRead);
    EXPECT_TRUE(prompter.Messages().empty());
}

// Showing a line again reuses the grid's rows only while neither they nor
// the line changed since they were loaded: step by step the grid must be
// that of an editor that always reloads (the scrolling, an unstored cell
// edit, a changed record, another sort order, another line between).
TEST_F(DataEditorTest, ShowingALineAgainIsLoadingItAfresh) {
    const auto line = AddTestLine(job, "7", 30);
    const auto other = AddTestLine(job, "8", 5);
    RecordingPlotSink referencePlots;
    DataEditor reference{job, prompter, &referencePlots};
    reference.SetPassMemoEnabled(false);
    const auto state = [](const GridModel& grid) {
        std::vector<std::string> texts;
        for (int row = 0; row < grid.Rows(); ++row)
            texts.insert(texts.end(), grid.RowTexts(row).begin(), grid.RowTexts(row).end());
        return std::tuple(texts, grid.TopRow(), grid.Row(), grid.Col(), grid.LeftCol(), grid.RowSel());
    };
    const auto both = [&](auto&& step) {
        step(editor);
        step(reference);
        EXPECT_EQ(state(editor.Grid()), state(reference.Grid()));
        EXPECT_EQ(plots.PlanEastings, referencePlots.PlanEastings);
    };
    const auto show = [&](std::int32_t shown) { return [shown](DataEditor& e) { e.ArrayToGrid(shown); }; };
    both(show(line));
    both([&](DataEditor& e) {
        e.Grid().SetTopRow(20);
        e.Grid().SetRow(7);
        e.Grid().SetRowSel(9);
        e.ArrayToGrid(line);
    });
    both([&](DataEditor& e) {
        e.Grid().SetTextMatrix(3, 1, "typed, not stored");
        e.ArrayToGrid(line);
    });
    job.Data.Edit(line, 2).Easting = 1234.5;
    both(show(line));
    EXPECT_EQ(editor.Grid().TextMatrix(2, 1), "1234.5000");
    for (const int order : {6, 3}) {
        both([&](DataEditor& e) {
            e.Options().SortOrder = order;
            e.ArrayToGrid(line);
        });
    }
    both(show(other));
    both(show(line));
}

// Counts what a pass reports.
class CountingProgress : public Progress {
public:
    void Report(std::int64_t done, std::int64_t total) override { Reports.emplace_back(done, total); }
    std::vector<std::pair<std::int64_t, std::int64_t>> Reports;
};

TEST_F(DataEditorTest, AnUnreadableStartingPointFileIsSaidAndMergesNothingAndProgressIsHeard) {
    const auto seven = AddTestLine(job, "007", 3);
    AddTestLine(job, "008", 2);
    job.Data.EditHeader(seven).StartEasting() = 1000;
    editor.Options().StartingPointFile = "/proc/self/mem"; // opens, and then cannot be read
    CountingProgress progress;
    const auto report = editor.RefreshDataEdit(&progress);
    EXPECT_TRUE(report.ReadFailed);
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"Unable to read the starting point file /proc/self/mem\r\nInput/output error"});
    EXPECT_EQ(job.Data.Header(seven).StartEasting(), 1000);
    EXPECT_EQ(job.Data.At(seven, 1).DistDownRange, 0.0f) << "no distances from the old starting point either";
    using Report = std::pair<std::int64_t, std::int64_t>;
    EXPECT_EQ(progress.Reports, (std::vector<Report>{{0, 2}, {1, 2}, {2, 2}}));
}

} // namespace
} // namespace tolvanor
