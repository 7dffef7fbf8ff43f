// SPDX-License-Identifier: GPL-3.0-or-later
// Random edit sessions on random jobs: every command keeps the table whole
// (shot counts in range, every shot of a line under the line's name, headers
// with their lines, the grid holding the current line), and Undo after an
// undoable command gives back the line exactly as it was.
#include "editor/CellEditSession.h"
#include "editor/CopyBetweenCursors.h"
#include "editor/EditTestSupport.h"
#include "editor/Overlay.h"
#include "editor/TitleSort.h"
#include "editor/Undo.h"
#include "editor/commands/DeleteLines.h"
#include "editor/commands/DeleteOverlap.h"
#include "editor/commands/DeleteShot.h"
#include "editor/commands/GenSounderData.h"
#include "editor/commands/InterpolateElevation.h"
#include "editor/commands/MergeLines.h"
#include "editor/commands/Normalize.h"
#include "editor/commands/ResetIgnore.h"
#include "editor/commands/ThinData.h"
#include "editor/commands/ToggleIgnore.h"

#include <functional>
#include <map>
#include <random>

namespace tolvanor {
namespace {

using Col = LineDataColumn;
using testing::LineRecords;

struct HeaderKey {
    double StartNorthing;
    double StartEasting;
    float LineAngle;
    bool operator==(const HeaderKey&) const = default;
};

class EditSessionProperty : public testing::EditorFixture, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 random{GetParam()};
    std::map<std::string, HeaderKey> headers;
    CellEditSession session;
    TitleSort titles;

    int Pick(int low, int high) { return high < low ? low : std::uniform_int_distribution<int>(low, high)(random); }

    void FillJob() {
        const char* const types[] = {"B", "L", "S", "W", "w", "A", " l "};
        const int lines = Pick(2, 6);
        for (int line = 1; line <= lines; ++line) {
            const auto name = std::to_string(line * 11);
            testing::AddLine(job, {name, Pick(1, 25), Pick(0, 3) > 0});
            auto& header = job.Data.EditHeader(line);
            if (header.LineAngle() != 0) header.LineAngle() = static_cast<float>(Pick(0, 359));
            for (int k = 1; k <= job.ShotCount(line); ++k) {
                auto& shot = job.Data.Edit(line, k);
                shot.SetShotType(types[Pick(0, 6)]);
                shot.Northing += Pick(-30, 30) / 10.0;
                shot.Elevation = static_cast<float>(Pick(-50, 50)) / 10;
                shot.Ignore = Pick(0, 5) == 0;
            }
            headers[name] = {header.StartNorthing(), header.StartEasting(), header.LineAngle()};
        }
    }

    void SelectRandomRows() {
        const int rows = Grid().Rows() - 1;
        if (rows < 1) return;
        Select(Pick(1, rows), Pick(1, rows), Pick(1, Col::Count - 1));
    }

    void CheckTable() {
        for (std::int32_t line = 1; line <= job.LineCount; ++line) {
            const auto name = std::string(job.LineName(line));
            const auto shots = job.ShotCount(line);
            ASSERT_GE(shots, 0);
            ASSERT_LE(shots, job.MaxShots - 1);
            for (int k = 1; k <= shots; ++k) ASSERT_EQ(job.Data.At(line, k).ProfileNumber(), name) << line;
            if (shots == 0) continue;
            ASSERT_TRUE(headers.contains(name)) << "line " << line << " named \"" << name << "\" of " << job.LineCount;
            const auto& header = job.Data.Header(line);
            ASSERT_EQ((HeaderKey{header.StartNorthing(), header.StartEasting(), header.LineAngle()}), headers[name]);
        }
        if (job.LineCount > 0) {
            ASSERT_EQ(Grid().Rows() - 1, job.ShotCount(job.CurrentLine));
        }
    }

    CopyOutcome Copy() {
        std::vector<double> x, y;
        for (int k = 1; k <= job.ShotCount(job.CurrentLine); ++k) {
            if (Shot(k).Ignore) continue;
            x.push_back(Shot(k).DistDownRange);
            y.push_back(Shot(k).Elevation);
        }
        const int last = static_cast<int>(x.size()) - 1;
        return CopyBetweenCursors(job, editor, prompter, {x, y, y, y, y, Pick(-1, last), Pick(0, last), "L"});
    }

    void EditACell() {
        const char* const texts[] = {"12.345 ", " w ", "X ", "-.5 ", "abc", "7 ", " "};
        const int cols[] = {Col::Easting, Col::Northing, Col::Elevation, Col::DBT, Col::Remark, Col::Shot, Col::Roll};
        if (Grid().Rows() < 2) return;
        Select(Pick(1, Grid().Rows() - 1), 0, cols[Pick(0, 6)]);
        if (session.Open(Grid(), ' ')) session.Enter(job, editor, prompter, texts[Pick(0, 6)]);
    }

    void MergeSomeLines() {
        for (int i = 0; i < static_cast<int>(editor.PlotLines().size()); ++i)
            editor.SetPlotLineSelected(i, Pick(0, 3) == 0);
        MergeLines(job, editor, prompter);
    }

    void DeleteSomeLines() {
        if (Pick(0, 4) != 0) return;
        prompter.QueueText(Pick(0, 1) ? "\"22\"" : "3");
        DeleteLines(job, editor, prompter);
    }

    // The commands that may take an undo snapshot.
    const std::vector<std::function<void()>> undoable{
        [this] { EditACell(); },
        [this] { DeleteShot(job, editor); },
        [this] { InterpolateElevation(job, editor, prompter); },
        [this] {
            ThinData(job, editor, prompter, {Pick(0, 1) ? "Distance" : "Number to Ignore", "3"});
        },
        [this] { NormalizeShotsCommand(job, editor, prompter); },
        [this] { NormalizeLineCommand(job, editor, prompter); },
        [this] { ResetIgnoreLine(job, editor); },
        [this] { Overlay(job, editor, prompter); },
        [this] { MergeSomeLines(); },
    };
    const std::vector<std::function<void()>> others{
        [this] { ToggleIgnoreShot(job, editor); },
        [this] { ToggleIgnoreLine(job, editor); },
        [this] {
            bool all = Pick(0, 1) == 1;
            DeleteOverlapCommand(job, editor, all);
        },
        [this] { GenSounderData(job, editor, prompter); },
        [this] { titles.Click(job, editor, Pick(0, Col::Count - 1)); },
        [this] { editor.SelectProfile(Pick(0, static_cast<int>(editor.ProfileList().size()) - 1)); },
        [this] { Copy(); },
        [this] { ResetIgnoreAllLines(job, editor, prompter); },
        [this] { DeleteSomeLines(); },
    };
};

TEST_P(EditSessionProperty, CommandsKeepTheTableWholeAndUndoExact) {
    FillJob();
    editor.Options().SortOrder = Pick(0, 6);
    Show();
    for (int step = 0; step < 80 && job.LineCount > 0; ++step) {
        SelectRandomRows();
        if (Pick(0, 1) == 0) {
            const auto line = job.CurrentLine;
            const auto before = LineRecords(job, line);
            const int which = Pick(0, 8);
            editor.State().UndoEnabled = false;
            undoable[static_cast<std::size_t>(which)]();
            ASSERT_NO_FATAL_FAILURE(CheckTable()) << "command " << which << " step " << step;
            if (editor.State().UndoEnabled && Pick(0, 2) == 0) {
                ASSERT_TRUE(Undo(job, editor));
                ASSERT_EQ(LineRecords(job, line), before) << "undo of command " << which << " step " << step;
                ASSERT_NO_FATAL_FAILURE(CheckTable()) << "undo of command " << which << " step " << step;
            }
        } else {
            const int which = Pick(0, 8);
            others[static_cast<std::size_t>(which)]();
            ASSERT_NO_FATAL_FAILURE(CheckTable()) << "other command " << which << " step " << step;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditSessionProperty, ::testing::Range(1u, 41u));

} // namespace
} // namespace tolvanor
