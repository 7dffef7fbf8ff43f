// SPDX-License-Identifier: GPL-3.0-or-later
// Times what a user waits for in the editor: committing one cell of a full
// line (store, sort, whole-grid store and the redraw of the charts' data),
// and the two whole-job commands, Delete Overlap of all lines and Reset
// Ignore of all lines, on a job of 1000 lines x 2999 shots.
#include "BenchJob.h"
#include "editor/CellEditSession.h"
#include "editor/DataEditor.h"
#include "editor/EditorPlots.h"
#include "editor/commands/DeleteOverlap.h"
#include "editor/commands/ResetIgnore.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

using namespace tolvanor;
using namespace tolvanor::bench;

// A profile walked out from its starting point: beach shots, then land shots
// overlapping them, then sounder shots overlapping the land; some ignored.
void FillLine(Job& job, std::int32_t line, std::int32_t shots, std::mt19937& random) {
    std::uniform_real_distribution<double> noise(-0.004, 0.004);
    const std::string name = std::to_string(100 + line);
    const ShotRecord header = StartShoreLine(job, line, shots);
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        auto& record = job.Data.Edit(line, shot);
        const char* type = shot < shots / 4 ? "B" : shot < shots / 2 ? "L" : "W";
        const double distance = 0.37 * shot - (type[0] == 'L' ? 40 : type[0] == 'W' ? 60 : 0);
        const Position at = DownShoreLine(header, distance);
        record.Easting = at.Easting + noise(random);
        record.Northing = at.Northing + noise(random);
        record.DistDownRange = static_cast<float>(std::round(distance * 10) / 10);
        record.Elevation = 3.2f - 0.0021f * static_cast<float>(shot);
        record.DBT = 0.8f + 0.0043f * static_cast<float>(shot);
        record.Tide = 0.62f;
        record.Ignore = shot % 7 == 0;
        NameShot(record, shot, name, type);
    }
}

bool Report(const char* what, const Timing& timing, double scale, double limit, const char* unit) {
    const double cpu = timing.Cpu * scale;
    std::printf("%s: %.3f %s (wall %.3f %s; limit %g %s)\n", what, cpu, unit, timing.Wall * scale, unit, limit, unit);
    return cpu <= limit;
}

} // namespace

int main() {
    FullJob full;
    Job& job = full.Data;
    BenchPrompter prompter(true);
    std::mt19937 random(20240607);
    FillLines(job, FullLines, [&](Job& into, std::int32_t line) { FillLine(into, line, FullShots, random); });

    DataEditor editor(job, prompter);
    EditorPlots plots(job, editor, prompter);
    editor.SetPlotSink(&plots);
    editor.Options().SortOrder = 2; // by easting: an easting commit re-sorts the line
    editor.RefreshDataEdit();
    editor.SelectProfile(1);

    bool withinLimits = true;
    constexpr int Commits = 40;
    CellEditSession session;
    const auto commit = Measure([&] {
        for (int i = 0; i < Commits; ++i) {
            auto& grid = editor.Grid();
            grid.SetRow(1500 + i);
            grid.SetCol(LineDataColumn::Easting);
            session.Open(grid, ' ');
            const double easting = 512000.0 + 25.0 * 2 + (i % 2 == 0 ? 300.0 : -5.0);
            session.Enter(job, editor, prompter, std::to_string(easting) + " ");
        }
    });
    withinLimits = Report("Easting commit on a 2999-shot line (store, sort, whole-grid store, replot)", commit,
                          1000.0 / Commits, 20, "ms") &&
                   withinLimits;

    bool fromAllLines = true;
    std::int32_t marked = 0;
    const auto overlap = Measure([&] { marked = DeleteOverlapCommand(job, editor, fromAllLines); });
    withinLimits = Report("Delete Overlap, all 1000 x 2999 lines", overlap, 1, 0.5, "s") && withinLimits;
    std::printf("  (%d shots marked ignored)\n", marked);

    const auto reset = Measure([&] { ResetIgnoreAllLines(job, editor, prompter); });
    withinLimits = Report("Reset Ignore to NO - ALL Lines, 1000 x 2999", reset, 1, 0.5, "s") && withinLimits;

    std::printf("%s\n", withinLimits ? "within limits" : "LIMIT EXCEEDED");
    return withinLimits ? 0 : 1;
}
