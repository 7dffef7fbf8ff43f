// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/CopyBuffer.h"
#include "editor/EditorOptions.h"
#include "editor/EditorWindowState.h"
#include "editor/PassBatch.h"
#include "editor/PassMemo.h"
#include "editor/ShotRow.h"
#include "editor/Undo.h"
#include "grid/GridModel.h"
#include "startpoints/MergeStartingPoints.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

class Job;
class Prompter;
class PlotSink;
class Progress;

// An entry of the additional-plots list.
struct PlotLineEntry {
    std::string Text;
    bool Selected = false;
};

// The profile data editor without its window: the line-data grid (a working
// copy of the current line), the profile lists, and the passes that move
// lines between the survey table and the grid. The window and the batch
// command drive the same object; chart updates go to the PlotSink.
class DataEditor {
public:
    // `plots` may be null (nothing is drawn). All three must outlive the editor.
    DataEditor(Job& job, Prompter& prompter, PlotSink* plots = nullptr);

    EditorOptions& Options() noexcept { return options_; }
    const EditorOptions& Options() const noexcept { return options_; }
    GridModel& Grid() noexcept { return grid_; }
    const GridModel& Grid() const noexcept { return grid_; }
    EditorWindowState& State() noexcept { return state_; }
    const EditorWindowState& State() const noexcept { return state_; }
    // The one-level undo's remembered grid cell (Undo.h) and the copy buffer (CopyBuffer.h).
    UndoCell& UndoPosition() noexcept { return undoCell_; }
    CopyBuffer& Copied() noexcept { return copied_; }
    const CopyBuffer& Copied() const noexcept { return copied_; }
    void SetPlotSink(PlotSink* plots) noexcept { plots_ = plots; }

    // The profile list: one entry per line, the selected one names the line shown.
    const std::vector<std::string>& ProfileList() const noexcept { return profileList_; }
    int ProfileIndex() const noexcept { return profileIndex_; }
    // The selected entry's text; empty when none is selected.
    std::string_view ProfileText() const noexcept;
    // Selects an entry (-1: none) and runs ProfileSelected, which does
    // nothing while LoadingCount is above 0. Indices outside the list are ignored.
    void SelectProfile(int index);
    void RemoveProfileEntry(int index);
    void ClearProfileList();

    // The additional-plots list.
    const std::vector<PlotLineEntry>& PlotLines() const noexcept { return plotLines_; }
    // A click on an entry: switches its selection and offers "Update Plots".
    void SetPlotLineSelected(int index, bool selected);

    // Refills both lists from lines 1..LineCount and selects the first profile.
    void LoadProfileNumbers();
    // Loads a line into the grid (its plan-view curve and starting-point
    // display too); line 0 only shows "Called ArraytoGrid with Invalid Line number".
    void ArrayToGrid(std::int32_t line);
    // Sorts the grid by the sort order option and stores it into the line
    // the profile list names; the current row and column stay where they were.
    void SortGrid();
    // Writes every grid row back into the line as shots 1..rows-1, each value
    // as its cell shows it, and sets the line's shot count.
    void StoreGridLine(std::int32_t line);
    // Sends every line once through the grid (sorted and rounded to the
    // display precision), then shows the current line again with the first
    // profile selected. `progress` hears lines done out of the line count.
    void LoadArray(Progress* progress = nullptr);
    // See the free function of the same name.
    std::int32_t FindLineByProfileId(std::string_view text) const noexcept;
    // The profile list's selection handler: the selected line becomes the
    // current line and is shown in the grid and the charts.
    void ProfileSelected();
    // Merges the starting-point file of the options, reloads both lists,
    // passes every line through the grid and shows the selected line. An
    // existing file that cannot be read is reported and merges nothing.
    // `progress` hears lines done out of the line count.
    MergeReport RefreshDataEdit(Progress* progress = nullptr);
    // Redraws the profile charts for a line (0: the current line); the
    // copied-data curve goes with the redraw.
    void PlotData(std::int32_t line);
    // Select the next or previous profile (nothing at either end).
    void NextLine();
    void PreviousLine();

    // Off: every pass sends every line through the grid, as a reference for
    // the passes that skip lines known to come out unchanged.
    void SetPassMemoEnabled(bool enabled) noexcept { useMemo_ = enabled; }
    // Off: the whole-job passes load, sort and store every line through the
    // grid's texts, as a reference for the pass that computes the stored
    // values without them (which is on by default).
    void SetPassWithoutTexts(bool enabled) noexcept { withoutTexts_ = enabled; }

private:
    // `reloadFollows`: the caller shows the selected line in the grid right after.
    void PassEveryLine(bool distances, Progress* progress, bool reloadFollows);
    void ShowLineBesideGrid(std::int32_t line);
    void LoadGridRows(std::int32_t line);
    void ShowPlanCurve(std::int32_t line);
    bool EntriesNameTheirOwnLines() const;
    void ShowStartingPoint(std::int32_t line);
    void SortRows(int col, GridSortOrder order);
    void PassLine(std::int32_t line, bool throughGrid);
    PassBatch::Entry PrepareBatchLine(std::int32_t line, bool distances);
    PassBatch::Entry PlanOnlyLine(std::int32_t line) const;
    void RecordPass(const PassBatch::Entry& passed, const PassMemo::PassKind& kind);

    Job& job_;
    Prompter& prompter_;
    PlotSink* plots_;
    EditorOptions options_;
    EditorWindowState state_;
    GridModel grid_;
    std::vector<std::string> profileList_;
    int profileIndex_ = -1;
    std::vector<PlotLineEntry> plotLines_;
    // Reused for every line so bulk passes do not allocate.
    std::vector<double> planEastings_;
    std::vector<double> planNorthings_;
    PassMemo passMemo_;
    bool useMemo_ = true;
    bool withoutTexts_ = true;
    // The line the grid's rows were last loaded from, as the line, the grid
    // and the sort order then were, and where that load left the grid scrolled.
    struct GridLine {
        std::int32_t Line = 0;
        std::uint64_t LineVersion = 0;
        std::uint64_t GridVersion = 0;
        std::int32_t SortOrder = -1;
        int TopRow = 0;
    };
    GridLine gridLine_;
    UndoCell undoCell_;
    CopyBuffer copied_;
};

} // namespace tolvanor
