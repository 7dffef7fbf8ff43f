// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/DataEditor.h"

#include "core/GeneralText.h"
#include "core/Job.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "editor/FindLineByProfileId.h"
#include "editor/GridSortRules.h"
#include "editor/PassBatch.h"
#include "editor/PlotSink.h"
#include "processing/LineGeometry.h"

#include <algorithm>
#include <unordered_set>

namespace tolvanor {

namespace {

// A plain decimal number with a leading blank when not negative.
template <typename Real> std::string BlankNumberText(Real value) {
    std::string text = GeneralText(value);
    if (value >= 0) text.insert(text.begin(), ' ');
    return text;
}

// Keeps a bulk change of the grid from reaching its listeners row by row.
class GridBatch {
public:
    explicit GridBatch(GridModel& grid) : grid_(grid) { grid_.BeginBatch(); }
    ~GridBatch() { grid_.EndBatch(); }
    GridBatch(const GridBatch&) = delete;
    GridBatch& operator=(const GridBatch&) = delete;

private:
    GridModel& grid_;
};

// The distances of the shots a pass of the line takes (EditLineForPass's).
std::vector<float> PassedShotDistances(const Job& job, std::int32_t line) {
    const auto shots = std::clamp(job.ShotCount(line), 0, job.Data.ShotBound());
    std::vector<float> distances(static_cast<std::size_t>(shots));
    for (std::int32_t shot = 1; shot <= shots; ++shot)
        distances[static_cast<std::size_t>(shot - 1)] = job.Data.At(line, shot).DistDownRange;
    return distances;
}

} // namespace

DataEditor::DataEditor(Job& job, Prompter& prompter, PlotSink* plots) : job_(job), prompter_(prompter), plots_(plots) {
    SetUpLineDataGrid(grid_);
}

std::string_view DataEditor::ProfileText() const noexcept {
    if (profileIndex_ < 0 || profileIndex_ >= static_cast<int>(profileList_.size())) return {};
    return profileList_[static_cast<std::size_t>(profileIndex_)];
}

void DataEditor::SelectProfile(int index) {
    if (index < -1 || index >= static_cast<int>(profileList_.size())) return;
    profileIndex_ = index;
    if (index >= 0) ProfileSelected();
}

void DataEditor::RemoveProfileEntry(int index) {
    if (index < 0 || index >= static_cast<int>(profileList_.size())) return;
    profileList_.erase(profileList_.begin() + index);
    if (index == profileIndex_) {
        profileIndex_ = -1;
    } else if (index < profileIndex_) {
        --profileIndex_;
    }
}

void DataEditor::ClearProfileList() {
    profileList_.clear();
    profileIndex_ = -1;
}

void DataEditor::SetPlotLineSelected(int index, bool selected) {
    if (index < 0 || index >= static_cast<int>(plotLines_.size())) return;
    plotLines_[static_cast<std::size_t>(index)].Selected = selected;
    state_.UpdatePlotsVisible = true;
}

void DataEditor::LoadProfileNumbers() {
    profileList_.clear();
    plotLines_.clear();
    profileIndex_ = -1;
    const auto lastLine = std::min(job_.LineCount, job_.Data.LineBound());
    for (std::int32_t line = 1; line <= lastLine; ++line) {
        profileList_.emplace_back(job_.LineName(line));
        plotLines_.push_back({std::string(job_.LineName(line)), false});
    }
    if (!profileList_.empty()) SelectProfile(0);
}

void DataEditor::ArrayToGrid(std::int32_t line) {
    if (line <= 0 || line > job_.Data.LineBound()) {
        prompter_.Message("Called ArraytoGrid with Invalid Line number");
        return;
    }
    state_.GridVisible = !job_.Data.Header(line).LineIgnored();
    job_.BeginLoading();
    {
        GridBatch batch(grid_);
        // The grid still holding this line's texts as its last load of it
        // left them (refreshes show the same line again and again), only
        // the plan curve and the place are shown anew.
        const bool held = useMemo_ && gridLine_.Line == line && gridLine_.LineVersion == job_.Data.LineVersion(line) &&
                          gridLine_.GridVersion == grid_.ContentVersion() && gridLine_.SortOrder == options_.SortOrder;
        if (held) {
            ShowPlanCurve(line);
        } else {
            LoadGridRows(line);
        }
        grid_.SetRow(1);
        grid_.SetCol(1);
        grid_.SetLeftCol(1);
        if (held) grid_.SetTopRow(gridLine_.TopRow);
        gridLine_.TopRow = grid_.TopRow();
    }
    gridLine_ = {line, job_.Data.LineVersion(line), grid_.ContentVersion(), options_.SortOrder, gridLine_.TopRow};
    job_.EndLoading(prompter_);
    ShowStartingPoint(line);
}

// The line's shots as the grid's rows, sorted by the sort order option; its plan curve.
void DataEditor::LoadGridRows(std::int32_t line) {
    const auto shots = std::clamp(job_.ShotCount(line), 0, job_.Data.ShotBound());
    planEastings_.resize(static_cast<std::size_t>(shots));
    planNorthings_.resize(static_cast<std::size_t>(shots));
    grid_.SetCols(LineDataColumn::Count);
    grid_.SetRows(1);
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        const auto& record = job_.Data.At(line, shot);
        grid_.AddRowWith([&record](std::span<std::string> cells) { ShotToRowTexts(record, cells); });
        planEastings_[static_cast<std::size_t>(shot - 1)] = record.Easting;
        planNorthings_[static_cast<std::size_t>(shot - 1)] = record.Northing;
    }
    if (plots_ != nullptr) plots_->UpdatePlanCurve(job_.LineName(line), planEastings_, planNorthings_);
    grid_.SetFixedRows(1);
    grid_.SetFixedCols(1);
    if (const auto rule = LoadSortRule(options_.SortOrder)) SortRows(rule->Col, rule->Order);
}

void DataEditor::SortGrid() {
    GridBatch batch(grid_);
    const int row = grid_.Row();
    const int col = grid_.Col();
    if (const auto rule = StoreSortRule(options_.SortOrder)) SortRows(rule->Col, rule->Order);
    StoreGridLine(FindLineByProfileId(ProfileText()));
    grid_.SetCol(col);
    grid_.SetRow(row);
}

void DataEditor::StoreGridLine(std::int32_t line) {
    // A profile text that names no line gives 0; line 0 and the spare lines are never data.
    if (line < 1 || line > job_.MaxLines) return;
    job_.BeginLoading();
    const int row = grid_.Row();
    const int col = grid_.Col();
    const int rowSel = grid_.RowSel();
    const int colSel = grid_.ColSel();
    const auto shots = std::min(grid_.Rows() - 1, job_.Data.ShotBound());
    const auto profileNumber = ProfileText();
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        RowTextsToShot(grid_.RowTexts(shot), profileNumber, job_.Data.Edit(line, shot));
    }
    job_.Data.EditHeader(line).ShotCount() = std::max(shots, 0);
    grid_.SetRow(row);
    grid_.SetCol(col);
    grid_.SetRowSel(rowSel);
    grid_.SetColSel(colSel);
    job_.EndLoading(prompter_);
}

void DataEditor::LoadArray(Progress* progress) {
    PassEveryLine(false, progress, false);
}

// Every list entry's line once through the grid (after its distances when
// `distances` is set). With the memo on, a line the same kind of pass has
// already left unchanged is skipped: passing it would change nothing.
// Without the texts, lines are gathered in batches and each batch is passed
// on two threads (which also gather the plan view's points); the memo, the
// plan view, the messages and the progress stay on this thread, in order,
// and a batch is finished before a message shows or a line comes round again.
void DataEditor::PassEveryLine(bool distances, Progress* progress, bool reloadFollows) {
    constexpr std::size_t BatchLines = 64; // the progress moves on once a batch
    job_.BeginLoading();
    const auto lastLine = std::min<std::int32_t>(job_.LineCount, static_cast<std::int32_t>(profileList_.size()));
    const PassMemo::PassKind kind{options_.SortOrder, distances};
    // The grid ends up showing the current line, loaded afresh, so the
    // lines before need not go through its texts; unless that line cannot
    // be shown, when the grid keeps the last line passed.
    const auto current = job_.CurrentLine;
    const bool throughGrid = !withoutTexts_ || current < 1 || current > job_.Data.LineBound();
    // Passing a line keeps every line's name, so the entries' lines can be
    // found before any line is being written.
    std::vector<std::int32_t> listed;
    for (std::int32_t entry = 1; !throughGrid && entry <= lastLine; ++entry)
        listed.push_back(FindLineByProfileId(profileList_[static_cast<std::size_t>(entry - 1)]));
    PassBatch batch(!throughGrid, plots_ != nullptr);
    std::int32_t processed = 0;
    std::int32_t reported = 0;
    const auto reportDone = [&] {
        while (reported < processed) ReportProgress(progress, ++reported, lastLine);
    };
    const auto finishBatch = [&] {
        if (batch.Empty()) return;
        batch.Run(job_, options_.SortOrder);
        const auto entries = batch.Entries();
        for (std::size_t at = 0; at < entries.size(); ++at) {
            if (plots_ != nullptr) {
                const auto& plan = batch.Plan(at);
                plots_->UpdatePlanCurve(entries[at].PlanName, plan.Eastings, plan.Northings);
            }
            if (entries[at].Pass) RecordPass(entries[at], kind);
        }
        batch.Clear();
        reportDone();
    };
    ReportProgress(progress, 0, lastLine);
    for (std::int32_t entry = 1; entry <= lastLine; ++entry) {
        SelectProfile(entry - 1);
        const std::int32_t line =
            throughGrid ? FindLineByProfileId(ProfileText()) : listed[static_cast<std::size_t>(entry - 1)];
        if (batch.Holds(line)) finishBatch();
        const bool settled = useMemo_ && line > 0 && passMemo_.Settled(job_, line, kind);
        if (settled && (throughGrid || plots_ == nullptr)) {
            ShowPlanCurve(line);
        } else if (settled || (!throughGrid && line >= 1 && line <= job_.MaxLines)) {
            // A settled line goes in too, for its plan curve to keep its place.
            batch.Add(settled ? PlanOnlyLine(line) : PrepareBatchLine(line, distances));
            if (batch.Size() == BatchLines) finishBatch();
        } else {
            finishBatch(); // a message box may show the job
            const std::uint64_t before = useMemo_ && line > 0 ? passMemo_.Fingerprint(job_, line) : 0;
            if (distances && line > 0) RecomputeLineDistances(job_, line);
            PassLine(line, throughGrid);
            if (useMemo_ && line > 0) passMemo_.Record(job_, line, kind, before);
        }
        processed = entry;
        if (batch.Empty()) reportDone();
    }
    finishBatch();
    if (useMemo_) passMemo_.Prune(job_);
    grid_.SetCol(0);
    if (!profileList_.empty()) {
        SelectProfile(0);
        // When the selected line is shown afresh right after, the current
        // line's texts would only be replaced: the rest of its load stays.
        const std::int32_t selected = FindLineByProfileId(ProfileText());
        if (useMemo_ && reloadFollows && selected >= 1 && selected <= job_.Data.LineBound()) {
            ShowLineBesideGrid(job_.CurrentLine);
        } else {
            ArrayToGrid(job_.CurrentLine);
        }
        grid_.SetRow(1);
        grid_.SetCol(1);
    }
    job_.EndLoading(prompter_);
}

// What ArrayToGrid shows of a line besides the grid's rows: the message for
// a line that is none, the grid's visibility, the plan curve, the starting point.
void DataEditor::ShowLineBesideGrid(std::int32_t line) {
    if (line <= 0 || line > job_.Data.LineBound()) {
        prompter_.Message("Called ArraytoGrid with Invalid Line number");
        return;
    }
    state_.GridVisible = !job_.Data.Header(line).LineIgnored();
    ShowPlanCurve(line);
    ShowStartingPoint(line);
}

// A line made ready for a batch: its distances recomputed when asked, its
// records edited as the store edits them; the batch gathers its plan curve
// as loading it shows it. After a recompute the pass judges the distances
// against those before it, as the recompute alone may change them and the
// pass bring them back: the memo then knows the line for settled.
PassBatch::Entry DataEditor::PrepareBatchLine(std::int32_t line, bool distances) {
    PassBatch::Entry entry;
    entry.Line = line;
    if (useMemo_ && distances) entry.DistancesBefore = PassedShotDistances(job_, line);
    // The recompute's distances are set on the pass's thread: they are
    // those of the very shots the pass takes.
    if (distances) entry.Recompute = EditLineForDistances(job_, line);
    entry.PlanName = std::string(job_.LineName(line));
    const auto countBefore = job_.ShotCount(line);
    entry.Shots = EditLineForPass(job_, line);
    entry.Changed = job_.ShotCount(line) != countBefore; // the pass adds the shots' changes
    entry.ProfileNumber = std::string(ProfileText());
    return entry;
}

PassBatch::Entry DataEditor::PlanOnlyLine(std::int32_t line) const {
    PassBatch::Entry entry;
    entry.Line = line;
    entry.Pass = false;
    entry.PlanName = std::string(job_.LineName(line));
    return entry;
}

void DataEditor::RecordPass(const PassBatch::Entry& passed, const PassMemo::PassKind& kind) {
    if (useMemo_) passMemo_.RecordOutcome(job_, passed.Line, kind, !passed.Changed);
}

// A line loaded into the grid, sorted and stored. Without the grid this is
// left only what stores nothing (a name no line has, a line past the data
// lines): the message and the plan view, as loading the grid gives them.
void DataEditor::PassLine(std::int32_t line, bool throughGrid) {
    if (throughGrid) {
        ArrayToGrid(line);
        grid_.SetRow(1);
        SortGrid();
        return;
    }
    if (line <= 0 || line > job_.Data.LineBound()) {
        prompter_.Message("Called ArraytoGrid with Invalid Line number");
        return;
    }
    // The grid's visibility and the starting point follow the line shown
    // last; lines past the data lines are never stored.
    ShowPlanCurve(line);
}

// What ArrayToGrid gives the plan view, for a line the pass skips.
void DataEditor::ShowPlanCurve(std::int32_t line) {
    if (plots_ == nullptr) return;
    const auto shots = std::clamp(job_.ShotCount(line), 0, job_.Data.ShotBound());
    planEastings_.resize(static_cast<std::size_t>(shots));
    planNorthings_.resize(static_cast<std::size_t>(shots));
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        planEastings_[static_cast<std::size_t>(shot - 1)] = job_.Data.At(line, shot).Easting;
        planNorthings_[static_cast<std::size_t>(shot - 1)] = job_.Data.At(line, shot).Northing;
    }
    plots_->UpdatePlanCurve(job_.LineName(line), planEastings_, planNorthings_);
}

// Each list entry names a line of its own: the merge's distances may then
// be recomputed line by line as the pass reaches them.
bool DataEditor::EntriesNameTheirOwnLines() const {
    std::unordered_set<std::string_view> names;
    for (const auto& entry : profileList_) {
        if (!names.insert(entry).second) return false;
    }
    for (std::size_t at = 0; at < profileList_.size(); ++at) {
        if (job_.LineName(static_cast<std::int32_t>(at + 1)) != profileList_[at]) return false;
    }
    return true;
}

std::int32_t DataEditor::FindLineByProfileId(std::string_view text) const noexcept {
    return tolvanor::FindLineByProfileId(job_, text);
}

void DataEditor::ProfileSelected() {
    if (job_.LoadingCount > 0) return;
    const auto text = ProfileText();
    state_.UndoEnabled = false;
    state_.Caption = "Survey Data for Profile Number " + std::string(text);
    job_.CurrentLine = FindLineByProfileId(text);
    ArrayToGrid(job_.CurrentLine);
    state_.CopiedCurveShown = false;
    // With no line found the charts keep what they show, like the grid.
    if (plots_ == nullptr || job_.CurrentLine == 0) return;
    plots_->RemoveProfileCurves();
    PlotData(job_.CurrentLine);
    plots_->MarkPlanCurve(job_.LineName(job_.CurrentLine));
}

MergeReport DataEditor::RefreshDataEdit(Progress* progress) {
    // The merge's distances of a line go with its pass, so a line that
    // neither changes is not touched at all.
    auto report = ApplyStartingPointEntries(job_, options_.StartingPointFile, options_.FormatProfileNumbers);
    if (report.ReadFailed) {
        prompter_.Message(MessageRequest{UnreadableStartingPointFileText(options_.StartingPointFile, report), "",
                                         MessageButtons::Ok, MessageIcon::Exclamation});
    }
    // ProfileSelected below shows the selected line only when no load is under way.
    const bool reloadFollows = job_.LoadingCount == 0;
    job_.BeginLoading();
    LoadProfileNumbers();
    const bool lineByLine = useMemo_ && EntriesNameTheirOwnLines();
    if (report.FileRead && !lineByLine) {
        const auto lastLine = std::min(job_.LineCount, job_.Data.LineBound());
        for (std::int32_t line = 1; line <= lastLine; ++line) RecomputeLineDistances(job_, line);
    }
    PassEveryLine(report.FileRead && lineByLine, progress, reloadFollows);
    job_.EndLoading(prompter_);
    ProfileSelected();
    return report;
}

void DataEditor::PlotData(std::int32_t line) {
    state_.CopiedCurveShown = false;
    if (plots_ != nullptr) plots_->PlotData(line);
    // Every redraw shows the copied stretch again once more than one shot is held.
    if (copied_.Count() > 1) state_.CopiedCurveShown = true;
}

void DataEditor::NextLine() {
    if (profileIndex_ < static_cast<int>(profileList_.size()) - 1) SelectProfile(profileIndex_ + 1);
}

void DataEditor::PreviousLine() {
    if (profileIndex_ > 0) SelectProfile(profileIndex_ - 1);
}

void DataEditor::ShowStartingPoint(std::int32_t line) {
    auto& display = state_.StartingPoint;
    if (!HasStartingPoint(job_, line)) {
        display = {false, "No Starting Point!", "Put Starting Point in file and then click Merge Start Points", "", "",
                   ""};
        return;
    }
    const auto& header = job_.Data.Header(line);
    display.Loaded = true;
    display.Caption = "Starting Point Loaded";
    display.Easting = BlankNumberText(header.StartEasting());
    display.Northing = BlankNumberText(header.StartNorthing());
    display.Angle = BlankNumberText(header.LineAngle());
    display.ToolTip = "E: " + display.Easting + " , N: " + display.Northing + " , A: " + display.Angle;
}

void DataEditor::SortRows(int col, GridSortOrder order) {
    grid_.SetRow(1);
    grid_.SetRowSel(grid_.Rows() - 1);
    grid_.SetCol(col);
    grid_.Sort(order);
}

} // namespace tolvanor
