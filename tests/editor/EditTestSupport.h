// SPDX-License-Identifier: GPL-3.0-or-later
// A small job shown in a headless editor, for the edit tests.
#pragma once

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/PlotSink.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

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

} // namespace tolvanor::testing
