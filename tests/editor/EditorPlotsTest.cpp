// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's charts as data: which lines each chart shows, the links
// between grid rows and cursors, chart edits and their way into the job.
#include "editor/EditorPlots.h"

#include "core/Job.h"
#include "core/MemorySettingsStore.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvanor {
namespace {

using Names = std::vector<std::string>;

// A line of land shots 1..3 and water shots after, one metre apart.
std::int32_t AddLine(Job& job, const std::string& name, std::int32_t shots) {
    const std::int32_t line = ++job.LineCount;
    job.Data.EditHeader(line).ShotCount() = shots;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        auto& r = job.Data.Edit(line, shot);
        r.SeqNum = shot;
        r.Easting = 1000.0 + shot + 10 * line;
        r.Northing = 2000.0 - shot;
        r.DistDownRange = static_cast<float>(shot);
        r.SetProfileNumber(name);
        r.SetShotType(shot <= 3 ? "L" : "W");
        r.Tide = 0.5f;
        r.Heave = 0.1f;
        r.DBT = shot <= 3 ? 0.0f : static_cast<float>(shot) * 0.5f;
        r.Elevation = shot <= 3 ? 3.0f - static_cast<float>(shot) : r.Heave + r.Tide - r.DBT;
    }
    return line;
}

Names CurveNames(const ChartModel& chart) {
    Names names;
    for (const auto& curve : chart.Curves()) names.push_back(curve.Name);
    return names;
}

class EditorPlotsTest : public ::testing::Test {
protected:
    void Load(int lines = 4, std::int32_t shots = 12) {
        for (int i = 1; i <= lines; ++i) AddLine(job, std::to_string(100 + i), shots);
    }
    void Refresh() {
        editor.SetPlotSink(&plots);
        editor.RefreshDataEdit();
    }
    ChartModel& Chart(PlotId id) { return plots.Chart(id); }

    Job job{20, 40};
    testing::ScriptedPrompter prompter;
    DataEditor editor{job, prompter};
    EditorPlots plots{job, editor, prompter};
};

struct NeighbourCase {
    const char* Name;
    int Profile; // list index made current
    bool ShowPrevious;
    bool ShowNext;
    int IgnoredLine; // 0: none
    Names Expected;
};

class NeighbourTest : public EditorPlotsTest, public ::testing::WithParamInterface<NeighbourCase> {};

TEST_P(NeighbourTest, PlotsTheCurrentLineFirstThenItsUsableNeighbours) {
    const auto& c = GetParam();
    Load();
    if (c.IgnoredLine != 0) job.Data.EditHeader(c.IgnoredLine).LineIgnored() = true;
    plots.Options().ShowPrevious = c.ShowPrevious;
    plots.Options().ShowNext = c.ShowNext;
    Refresh();
    editor.SelectProfile(c.Profile);
    for (auto id : {PlotId::Elevation, PlotId::DBT, PlotId::Heave, PlotId::Tide})
        EXPECT_EQ(CurveNames(Chart(id)), c.Expected) << static_cast<int>(id);
    EXPECT_EQ(Chart(PlotId::Area).Curves().size(), 4u); // every line, ignored or not
}

INSTANTIATE_TEST_SUITE_P(Cases, NeighbourTest,
                         ::testing::Values(NeighbourCase{"FirstProfileHasNoPrevious", 0, true, false, 0, {"101"}},
                                           NeighbourCase{"LastProfileHasNoNext", 3, false, true, 0, {"104"}},
                                           NeighbourCase{"BothNeighbours", 1, true, true, 0, {"102", "101", "103"}},
                                           NeighbourCase{"IgnoredPreviousNotDrawn", 2, true, true, 2, {"103", "104"}},
                                           NeighbourCase{"IgnoredNextNotDrawn", 0, true, true, 2, {"101"}},
                                           NeighbourCase{"NeitherWhenSwitchedOff", 1, false, false, 0, {"102"}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditorPlotsTest, AdditionalLinesFollowTheNeighboursAndTheCurrentLineIsNotDrawnTwice) {
    Load();
    plots.Options().ShowPrevious = plots.Options().ShowNext = false;
    Refresh();
    editor.SetPlotLineSelected(0, true); // the current line itself
    editor.SetPlotLineSelected(3, true);
    editor.PlotData(0);
    EXPECT_EQ(CurveNames(Chart(PlotId::Elevation)), (Names{"101", "104"}));
    EXPECT_FALSE(editor.State().UpdatePlotsVisible);
}

TEST_F(EditorPlotsTest, IgnoredShotIsOnlyInThePlanViewAndUpdateGridLeavesIt) {
    Load(2, 8);
    job.Data.Edit(1, 5).Ignore = true;
    Refresh();
    const auto before = job.Data.At(1, 5);
    const auto& profile = *Chart(PlotId::Elevation).FirstCurve();
    ASSERT_EQ(profile.Count(), 7u);
    EXPECT_EQ(plots.PointToShot(), (std::vector<std::int32_t>{1, 2, 3, 4, 6, 7, 8}));
    EXPECT_EQ(Chart(PlotId::Area).FindCurve("101")->Count(), 8u);

    plots.BeginDrag();
    ASSERT_TRUE(plots.DragEdit(PlotId::Elevation, 5.9, -7.0)); // point 4 is shot 6
    plots.PlotToGrid();
    EXPECT_EQ(job.Data.At(1, 5), before);
    EXPECT_FLOAT_EQ(job.Data.At(1, 6).Elevation, -7.0f);
    EXPECT_TRUE(job.DataChanged);
    EXPECT_EQ(editor.Grid().TextMatrix(6, LineDataColumn::Elevation), "-7.0");
}

TEST_F(EditorPlotsTest, GridRowsThreeToSevenPutTheCursorsOnTheirPairs) {
    Load();
    Refresh();
    auto& grid = editor.Grid();
    grid.SetRow(3);
    grid.SetRowSel(7);
    auto& chart = Chart(PlotId::Elevation);
    chart.SetActiveCursor(1);
    plots.GridSelectionToCursors();
    EXPECT_DOUBLE_EQ(chart.Cursor(0).X, 3.0);
    EXPECT_DOUBLE_EQ(chart.Cursor(0).Y, 0.0);
    EXPECT_DOUBLE_EQ(chart.Cursor(1).X, 7.0);
    EXPECT_NEAR(chart.Cursor(1).Y, -2.9, 1e-9);
    EXPECT_EQ(chart.Cursor(1).PointIndex, 6);
    EXPECT_EQ(chart.ActiveCursor(), 1);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.RowSel(), 7);
    EXPECT_EQ(job.LoadingCount, 0);
}

TEST_F(EditorPlotsTest, ACursorOnASharedDistanceSelectsTheFirstRowNotIgnored) {
    Load(1, 12);
    job.Data.Edit(1, 4).DistDownRange = 9.0f; // rows 4, 9 share 9.0 and row 4 is ignored
    job.Data.Edit(1, 4).Ignore = true;
    Refresh();
    auto& chart = Chart(PlotId::Elevation);
    chart.SetCursor(0, 2.04, 0);
    chart.SetCursor(1, 8.96, 0);
    plots.CursorsToGrid(PlotId::Elevation);
    EXPECT_EQ(plots.CursorRow(0), 2);
    EXPECT_EQ(plots.CursorRow(1), 9);
    const auto& grid = editor.Grid();
    EXPECT_EQ(grid.SelectionTop(), 2);
    EXPECT_EQ(grid.SelectionBottom(), 9);
    EXPECT_EQ(grid.Col(), LineDataColumn::Elevation);
    EXPECT_EQ(grid.TopRow(), 6); // end row 9 less 3
}

TEST_F(EditorPlotsTest, SounderCursorsSelectTheirShotsInTheirOwnColumn) {
    Load(1, 12);
    job.Data.Edit(1, 2).Ignore = true;
    Refresh();
    auto& chart = Chart(PlotId::DBT);
    chart.SnapCursor(0, 1.0); // point 0: shot 1
    chart.SnapCursor(1, 3.0); // point 1: shot 3 (shot 2 is not plotted)
    plots.CursorsToGrid(PlotId::DBT);
    EXPECT_EQ(editor.Grid().SelectionTop(), 1);
    EXPECT_EQ(editor.Grid().SelectionBottom(), 3);
    EXPECT_EQ(editor.Grid().Col(), LineDataColumn::DBT);
    EXPECT_EQ(editor.Grid().TopRow(), 1);
}

TEST_F(EditorPlotsTest, AFastShiftDragAcrossTenPointsSetsAllTenUntilTheNextRedraw) {
    Load(1, 12);
    Refresh();
    plots.BeginDrag();
    ASSERT_TRUE(plots.DragEdit(PlotId::Elevation, 2.0, 4.0));
    ASSERT_TRUE(plots.DragEdit(PlotId::Elevation, 11.2, 4.0));
    const auto& y = Chart(PlotId::Elevation).FirstCurve()->Y;
    for (int j = 1; j <= 10; ++j) EXPECT_DOUBLE_EQ(y[static_cast<std::size_t>(j)], 4.0) << j;
    EXPECT_NE(y[0], 4.0);
    EXPECT_NE(y[11], 4.0);
    EXPECT_GE(Chart(PlotId::Elevation).YRange().High(), 4.0); // the axis grew to the edit
    EXPECT_TRUE(plots.PlotToGridVisible());
    EXPECT_TRUE(editor.State().UpdatePlotsVisible);
    editor.PlotData(0); // "Update Plots" drops the chart edits
    EXPECT_NEAR(Chart(PlotId::Elevation).FirstCurve()->Y[1], 1.0, 1e-6);
    EXPECT_FALSE(plots.PlotToGridVisible());
}

TEST_F(EditorPlotsTest, SounderChartsFollowEditsOfWaterShotsOnly) {
    Load(1, 8);
    Refresh();
    plots.BeginDrag();
    plots.DragEdit(PlotId::Elevation, 2.0, -0.9); // a land shot: its DBT stays 0
    plots.BeginDrag();
    plots.DragEdit(PlotId::Elevation, 6.0, -2.4); // a water shot
    const auto& dbt = Chart(PlotId::DBT).FirstCurve()->Y;
    EXPECT_DOUBLE_EQ(dbt[1], 0.0);
    EXPECT_NEAR(dbt[5], 0.6 + 2.4, 1e-6);
    plots.BeginDrag();
    plots.DragEdit(PlotId::DBT, 7.0, 5.0);
    const auto& elevation = Chart(PlotId::Elevation).FirstCurve()->Y;
    EXPECT_NEAR(elevation[6], 0.6 - 5.0, 1e-6);
    EXPECT_NEAR(elevation[0], 2.0, 1e-6); // land elevations are measured, not derived
    EXPECT_FALSE(plots.DragEdit(PlotId::Area, 1.0, 1.0));
}

TEST_F(EditorPlotsTest, WithSyncChartsOffZoomingTheProfileLeavesTheOtherCharts) {
    Load();
    Refresh();
    const auto dbtBefore = Chart(PlotId::DBT).XRange();
    Chart(PlotId::Elevation).SetXRange({4, 6});
    EXPECT_DOUBLE_EQ(Chart(PlotId::DBT).XRange().From, dbtBefore.From);
    plots.Options().SyncCharts = true;
    plots.ApplyOptions();
    Chart(PlotId::Elevation).SetXRange({4, 6});
    for (auto id : {PlotId::DBT, PlotId::Heave, PlotId::Tide}) {
        EXPECT_DOUBLE_EQ(Chart(id).XRange().From, 4);
        EXPECT_DOUBLE_EQ(Chart(id).XRange().To, 6);
    }
}

TEST_F(EditorPlotsTest, DepthsRunDownwardsAndTheLegendFollowsItsSwitch) {
    Load();
    plots.Options().ShowLegend = true;
    Refresh();
    const auto& dbt = Chart(PlotId::DBT).YRange();
    EXPECT_TRUE(dbt.Reversed());
    EXPECT_GE(dbt.From, 6.0);
    EXPECT_LE(dbt.To, 0.0);
    EXPECT_FALSE(Chart(PlotId::Elevation).YRange().Reversed());
    EXPECT_TRUE(Chart(PlotId::Tide).LegendShown());
}

TEST_F(EditorPlotsTest, ShadowIsACyanCopyOfTheProfileUntilTheNextRedraw) {
    Load(2, 8);
    Refresh();
    plots.CreateShadow();
    plots.CreateShadow(); // replaces, never doubles
    auto& chart = Chart(PlotId::Elevation);
    ASSERT_EQ(chart.Overlays().size(), 1u);
    const auto& shadow = chart.Overlays().front();
    EXPECT_EQ(shadow.Name, "Shadow");
    EXPECT_EQ(shadow.Colour, ChartCyan);
    EXPECT_EQ(shadow.Y, chart.FirstCurve()->Y);
    plots.ToggleShadow();
    EXPECT_FALSE(chart.Overlays().front().Enabled);
    editor.PlotData(0);
    EXPECT_TRUE(chart.Overlays().empty());
}

TEST_F(EditorPlotsTest, PlanViewMarksTheCurrentLineAndAClickPicksALine) {
    Load();
    Refresh();
    editor.SelectProfile(2);
    auto& area = Chart(PlotId::Area);
    for (const auto& curve : area.Curves()) EXPECT_EQ(curve.Marked, curve.Name == "103") << curve.Name;
    const auto& point = area.FindCurve("101")->X;
    const double y = area.FindCurve("101")->Y[4];
    // A plain click switches the line's additional plot; Shift makes it current.
    EXPECT_EQ(plots.PlanClick(point[4], y, 10, 10, false), 0);
    EXPECT_TRUE(editor.PlotLines()[0].Selected);
    EXPECT_EQ(plots.PlanClick(point[4], y, 10, 10, false), 0);
    EXPECT_FALSE(editor.PlotLines()[0].Selected);
    plots.PlanClick(point[4], y, 10, 10, true);
    EXPECT_EQ(job.CurrentLine, 1);
    EXPECT_EQ(editor.State().Caption, "Survey Data for Profile Number 101");
    EXPECT_EQ(plots.PlanClick(0, 0, 10, 10, false), -1); // far from every line
}

TEST_F(EditorPlotsTest, LinesWithoutShotsGiveCurvesWithoutPoints) {
    AddLine(job, "101", 0);
    AddLine(job, "102", 3);
    for (int s = 1; s <= 3; ++s) job.Data.Edit(2, s).Ignore = true;
    Refresh();
    EXPECT_EQ(Chart(PlotId::Elevation).FirstCurve()->Count(), 0u);
    EXPECT_FALSE(plots.DragEdit(PlotId::Elevation, 0, 0));
    editor.SelectProfile(1);
    EXPECT_EQ(Chart(PlotId::Elevation).FirstCurve()->Count(), 0u);
    plots.PlotToGrid(); // nothing to write, nothing breaks
    EXPECT_EQ(job.ShotCount(2), 3);
}

TEST(PlotOptionsTest, SettingsRoundTripWithTheirDefaults) {
    MemorySettingsStore settings;
    const auto defaults = ReadPlotOptions(settings);
    EXPECT_TRUE(defaults.ShowNext && defaults.ShowPrevious && defaults.ShowTemplate);
    EXPECT_FALSE(defaults.SyncCharts || defaults.ShowLegend);
    PlotOptions changed{false, false, false, true, true};
    SavePlotOptions(settings, changed);
    EXPECT_EQ(settings.Get("ShowNext"), "False");
    EXPECT_EQ(settings.Get("SyncCharts"), "True");
    const auto back = ReadPlotOptions(settings);
    EXPECT_FALSE(back.ShowNext || back.ShowPrevious || back.ShowTemplate);
    EXPECT_TRUE(back.SyncCharts && back.ShowLegend);
}

} // namespace
} // namespace tolvanor
