// SPDX-License-Identifier: GPL-3.0-or-later
// A small job shown in a headless editor, for the edit tests; and two
// editors compared after whole-job passes, for the pass tests.
#pragma once

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/PlotSink.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace tolvanor::testing {

// Lets the editor redraw (so the copied-curve rules run) and counts redraws.
class CountingPlotSink : public PlotSink {
public:
    void UpdatePlanCurve(std::string_view, std::span<const double>, std::span<const double>) override {}
    void RemoveProfileCurves() override {}
    void PlotData(std::int32_t) override { ++Redraws; }
    void MarkPlanCurve(std::string_view) override {}
    int Redraws = 0;
};

struct LineSpec {
    std::string Name;
    int Shots = 10;
    bool StartingPoint = true;
    std::string Type = "L";
};

// Shot k of a line lies 2k east of the starting point (N 1000, E 500, angle
// 270: down range is due east), elevation k / 2, sequence number k. Every
// value is already at the grid's precision.
inline std::int32_t AddLine(Job& job, const LineSpec& spec) {
    const std::int32_t line = ++job.LineCount;
    auto& header = job.Data.EditHeader(line);
    header.ShotCount() = spec.Shots;
    if (spec.StartingPoint) {
        header.StartNorthing() = 1000;
        header.StartEasting() = 500;
        header.LineAngle() = 270;
    }
    for (int k = 1; k <= spec.Shots; ++k) {
        auto& shot = job.Data.Edit(line, k);
        shot.SeqNum = k;
        shot.Easting = 500 + 2 * k;
        shot.Northing = 1000;
        shot.DistDownRange = static_cast<float>(spec.StartingPoint ? 2 * k : 0);
        shot.Elevation = static_cast<float>(k) / 2;
        shot.DBT = 1.25f;
        shot.SetProfileNumber(spec.Name);
        shot.SetShotType(spec.Type);
        shot.SetRemark("PRO" + spec.Name);
    }
    return line;
}

// Records 0..n of a line, n from its header.
inline std::vector<ShotRecord> LineRecords(const Job& job, std::int32_t line) {
    std::vector<ShotRecord> records;
    for (std::int32_t shot = 0; shot <= job.ShotCount(line); ++shot) records.push_back(job.Data.At(line, shot));
    return records;
}

class EditorFixture : public ::testing::Test {
protected:
    Job job{20, 3010};
    ScriptedPrompter prompter;
    CountingPlotSink plots;
    DataEditor editor{job, prompter, &plots};

    // Loads the lines into the editor and shows `index` of the profile list.
    void Show(int index = 0) {
        editor.LoadProfileNumbers();
        editor.LoadArray();
        editor.SelectProfile(index);
        prompter.Reset();
    }
    GridModel& Grid() { return editor.Grid(); }
    void Select(int row, int rowSel, int col) {
        Grid().SetRow(row);
        Grid().SetCol(col);
        Grid().SetRowSel(rowSel);
    }
    const ShotRecord& Shot(int k) const { return job.Data.At(job.CurrentLine, k); }
    std::string Cell(int row, int col) { return Grid().TextMatrix(row, col); }
};

// Every plot call in order, with the plan curves' points as bits.
class PlotLog : public PlotSink {
public:
    void UpdatePlanCurve(std::string_view name, std::span<const double> eastings,
                         std::span<const double> northings) override {
        std::string entry = "plan " + std::string(name);
        for (const double value : eastings) entry += " " + std::to_string(std::bit_cast<std::uint64_t>(value));
        for (const double value : northings) entry += " " + std::to_string(std::bit_cast<std::uint64_t>(value));
        Calls.push_back(std::move(entry));
    }
    void RemoveProfileCurves() override { Calls.emplace_back("remove"); }
    void PlotData(std::int32_t line) override { Calls.push_back("plot " + std::to_string(line)); }
    void MarkPlanCurve(std::string_view name) override { Calls.push_back("mark " + std::string(name)); }

    std::vector<std::string> Calls;
};

// A record as bits: -0 and 0 differ, so do two NaNs of other payloads.
inline std::string RecordBits(const ShotRecord& r) {
    std::string bits;
    const auto add = [&bits](const auto& value) {
        char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        bits.append(bytes, sizeof value);
    };
    add(r.Northing);
    add(r.Easting);
    add(r.SeqNum);
    for (const float value : {r.Elevation, r.DBT, r.Heave, r.Pitch, r.Roll, r.Tide, r.DistDownRange}) add(value);
    add(r.Ignore);
    for (const auto text : {r.ProfileNumber(), r.SurveyType(), r.ShotType(), r.Remark()}) {
        add(text.size());
        bits += text;
    }
    return bits;
}

// Every stored record as bits; with the line versions when `versions`.
inline std::string TableBits(const Job& job, bool versions = true) {
    std::string bits;
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) {
        bits += "line " + std::to_string(line) + " stored " + std::to_string(job.Data.StoredCount(line)) + "\n";
        if (versions) bits += "version " + std::to_string(job.Data.LineVersion(line)) + "\n";
        for (std::int32_t shot = 0; shot < job.Data.StoredCount(line); ++shot)
            bits += RecordBits(job.Data.At(line, shot));
    }
    return bits;
}

inline std::string GridTexts(const GridModel& grid) {
    std::string texts;
    for (const int value : {grid.Rows(), grid.Cols(), grid.FixedRows(), grid.FixedCols(), grid.Row(), grid.Col(),
                            grid.RowSel(), grid.ColSel(), grid.TopRow(), grid.LeftCol()})
        texts += std::to_string(value) + ",";
    for (int row = 0; row < grid.Rows(); ++row) {
        texts += "\n";
        for (int col = 0; col < grid.Cols(); ++col) texts += grid.TextMatrix(row, col) + "|";
    }
    return texts;
}

inline std::string WindowState(const DataEditor& editor) {
    const auto& state = editor.State();
    const auto& point = state.StartingPoint;
    return state.Caption + "|" + std::to_string(state.GridVisible) + std::to_string(state.UndoEnabled) +
           std::to_string(state.CopiedCurveShown) + "|" + std::to_string(point.Loaded) + point.Caption + "|" +
           point.ToolTip + "|" + point.Easting + "|" + point.Northing + "|" + point.Angle + "|" +
           std::to_string(editor.ProfileIndex());
}

// One job with its editor, passing with or without the texts and the memo.
struct PassSession {
    PassSession(bool withoutTexts, bool memo, std::int16_t maxLines, std::int16_t maxShots) : job(maxLines, maxShots) {
        editor.SetPassWithoutTexts(withoutTexts);
        editor.SetPassMemoEnabled(memo);
    }
    Job job;
    ScriptedPrompter prompter;
    PlotLog plots;
    DataEditor editor{job, prompter, &plots};
};

// The line versions count the writes, which the memo saves: compared only
// when both sessions pass alike.
inline void ExpectSamePass(const PassSession& a, const PassSession& b, const std::string& when, bool versions = true) {
    EXPECT_EQ(TableBits(a.job, versions), TableBits(b.job, versions)) << when;
    EXPECT_EQ(GridTexts(a.editor.Grid()), GridTexts(b.editor.Grid())) << when;
    EXPECT_EQ(WindowState(a.editor), WindowState(b.editor)) << when;
    EXPECT_EQ(a.job.CurrentLine, b.job.CurrentLine) << when;
    EXPECT_EQ(a.job.LineCount, b.job.LineCount) << when;
    EXPECT_EQ(a.job.LoadingCount, b.job.LoadingCount) << when;
    EXPECT_EQ(a.plots.Calls, b.plots.Calls) << when;
    EXPECT_EQ(a.prompter.Messages(), b.prompter.Messages()) << when;
}

} // namespace tolvanor::testing
