// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorPlots.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/SettingsStore.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "editor/ShotRow.h"

#include <algorithm>
#include <cmath>

namespace tolvanor {

namespace {

enum Series { Distance, Elevation, Dbt, Heave, Tide };
constexpr PlotId ProfileCharts[] = {PlotId::Elevation, PlotId::DBT, PlotId::Heave, PlotId::Tide};

bool ReadFlag(const SettingsStore& settings, std::string_view key, bool fallback) {
    const auto text = settings.Get(key, fallback ? "True" : "False");
    return text == "True" || text == "true" || text == "1";
}

const char* FlagText(bool value) {
    return value ? "True" : "False";
}

double RoundToTenth(double value) {
    return std::round(value * 10.0) / 10.0;
}

// The grid column each sounder chart's cursors select in.
int ChartColumn(PlotId chart) {
    switch (chart) {
    case PlotId::DBT:
        return LineDataColumn::DBT;
    case PlotId::Heave:
        return LineDataColumn::Heave;
    case PlotId::Tide:
        return LineDataColumn::Tide;
    default:
        return LineDataColumn::Elevation;
    }
}

// Keeps the editor's handlers quiet while the plots move the grid.
class Loading {
public:
    Loading(Job& job, Prompter& prompter) : job_(job), prompter_(prompter) { job_.BeginLoading(); }
    ~Loading() { job_.EndLoading(prompter_); }
    Loading(const Loading&) = delete;
    Loading& operator=(const Loading&) = delete;

private:
    Job& job_;
    Prompter& prompter_;
};

} // namespace

PlotOptions ReadPlotOptions(const SettingsStore& settings) {
    PlotOptions options;
    options.ShowNext = ReadFlag(settings, "ShowNext", true);
    options.ShowPrevious = ReadFlag(settings, "ShowPrevious", true);
    options.ShowTemplate = ReadFlag(settings, "ShowTemplate", true);
    options.SyncCharts = ReadFlag(settings, "SyncCharts", false);
    options.ShowLegend = ReadFlag(settings, "ShowLegend", false);
    return options;
}

void SavePlotOptions(SettingsStore& settings, const PlotOptions& options) {
    settings.Save("ShowNext", FlagText(options.ShowNext));
    settings.Save("ShowPrevious", FlagText(options.ShowPrevious));
    settings.Save("ShowTemplate", FlagText(options.ShowTemplate));
    settings.Save("SyncCharts", FlagText(options.SyncCharts));
    settings.Save("ShowLegend", FlagText(options.ShowLegend));
}

EditorPlots::EditorPlots(Job& job, DataEditor& editor, Prompter& prompter)
    : job_(job), editor_(editor),
      prompter_(prompter), charts_{ChartModel("AREA", "Easting", "Northing"),
                                   ChartModel("Profile", "Distance down range", "Elevation"),
                                   ChartModel("DBT", "Distance down range", "DBT"),
                                   ChartModel("Heave", "Distance down range", "Heave"),
                                   ChartModel("Tide", "Distance down range", "Tide")} {
    for (auto id : ProfileCharts) Chart(id).SetCursorsOn(true);
    Chart(PlotId::DBT).SetYRange({1, 0}); // depths run downwards
    ApplyOptions();
}

void EditorPlots::ApplyOptions() {
    if (options_.SyncCharts) {
        First().CoupleX({&Chart(PlotId::DBT), &Chart(PlotId::Heave), &Chart(PlotId::Tide)});
    } else {
        First().CoupleX({});
    }
    Chart(PlotId::Tide).SetLegendShown(options_.ShowLegend);
}

void EditorPlots::UpdatePlanCurve(std::string_view name, std::span<const double> eastings,
                                  std::span<const double> northings) {
    Chart(PlotId::Area).SetCurvePoints(name, eastings, northings);
}

void EditorPlots::RemoveProfileCurves() {
    for (auto id : ProfileCharts) Chart(id).RemoveCurves();
}

void EditorPlots::Clear() {
    for (auto& chart : charts_) {
        chart.RemoveCurves();
        chart.RemoveOverlays();
    }
    pointToShot_.clear();
    areaFittedCurves_ = 0;
    plotToGridVisible_ = false;
}

void EditorPlots::MarkPlanCurve(std::string_view name) {
    auto& area = Chart(PlotId::Area);
    ChartUpdate update(area);
    area.MarkOnly(name);
    // The survey's extent is fitted once the plan view holds new lines.
    if (area.Curves().size() != areaFittedCurves_) {
        areaFittedCurves_ = area.Curves().size();
        area.Autoscale();
    }
}

void EditorPlots::AddCurve(std::int32_t line) {
    if (line < 1 || line > job_.Data.LineBound()) return;
    Loading loading(job_, prompter_);
    const bool current = line == job_.CurrentLine;
    if (current) pointToShot_.clear();
    for (auto& series : points_) series.clear();
    const auto shots = std::clamp(job_.ShotCount(line), 0, job_.Data.ShotBound());
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        const auto& record = job_.Data.At(line, shot);
        if (record.Ignore) continue;
        points_[Distance].push_back(record.DistDownRange);
        points_[Elevation].push_back(record.Elevation);
        points_[Dbt].push_back(record.DBT);
        points_[Heave].push_back(record.Heave);
        points_[Tide].push_back(record.Tide);
        if (current) pointToShot_.push_back(shot);
    }
    const auto name = job_.LineName(line);
    Chart(PlotId::Elevation).AddCurve(name, points_[Distance], points_[Elevation]);
    Chart(PlotId::DBT).AddCurve(name, points_[Distance], points_[Dbt]);
    Chart(PlotId::Heave).AddCurve(name, points_[Distance], points_[Heave]);
    Chart(PlotId::Tide).AddCurve(name, points_[Distance], points_[Tide]);
}

void EditorPlots::PlotData(std::int32_t line) {
    if (line == 0) line = job_.CurrentLine;
    std::array<ChartUpdate, 4> updates{ChartUpdate(Chart(PlotId::Elevation)), ChartUpdate(Chart(PlotId::DBT)),
                                       ChartUpdate(Chart(PlotId::Heave)), ChartUpdate(Chart(PlotId::Tide))};
    RemoveProfileCurves();
    First().RemoveOverlays();
    editor_.State().CopiedCurveShown = false;
    AddCurve(line);
    const auto c = editor_.FindLineByProfileId(editor_.ProfileText());
    const auto usable = [this](std::int32_t l) { return !job_.Data.Header(l).LineIgnored(); };
    if (options_.ShowPrevious && c >= 2 && usable(c - 1)) AddCurve(c - 1);
    if (options_.ShowNext && c >= 1 && c < job_.LineCount && usable(c + 1)) AddCurve(c + 1);
    for (const auto& entry : editor_.PlotLines()) {
        if (!entry.Selected) continue;
        const auto d = editor_.FindLineByProfileId(entry.Text);
        if (d != c && d != 0) AddCurve(d);
    }
    if (overlayPainter_) overlayPainter_(*this);
    ApplyOptions();
    for (auto id : ProfileCharts) Chart(id).Autoscale();
    plotToGridVisible_ = false;
    editor_.State().UpdatePlotsVisible = false;
}

void EditorPlots::GridSelectionToCursors() {
    auto& chart = First();
    if (!chart.CursorsOn()) return;
    auto& grid = editor_.Grid();
    Loading loading(job_, prompter_);
    const int row = grid.Row();
    const int rowSel = grid.RowSel();
    const auto value = [&grid](int r, int col) { return LeadingNumberValue(grid.TextMatrix(r, col)); };
    const int active = chart.ActiveCursor();
    ChartUpdate update(chart);
    chart.SetCursor(1 - active, value(row, LineDataColumn::Distance), value(row, LineDataColumn::Elevation));
    chart.SetCursor(active, value(rowSel, LineDataColumn::Distance), value(rowSel, LineDataColumn::Elevation));
}

void EditorPlots::CursorsToGrid(PlotId id) {
    auto& chart = Chart(id);
    auto& grid = editor_.Grid();
    Loading loading(job_, prompter_);
    for (int c = 0; c < 2; ++c) {
        int found = 0;
        if (id == PlotId::Elevation) {
            const double x = RoundToTenth(chart.Cursor(c).X);
            for (int r = 1; r < grid.Rows(); ++r) {
                if (std::abs(LeadingNumberValue(grid.TextMatrix(r, LineDataColumn::Distance)) - x) < 1e-6 &&
                    grid.TextMatrix(r, LineDataColumn::Ignore) == "No") {
                    found = r;
                    break;
                }
            }
        } else {
            const int point = chart.Cursor(c).PointIndex;
            if (point >= 0 && point < static_cast<int>(pointToShot_.size()))
                found = pointToShot_[static_cast<std::size_t>(point)];
        }
        cursorRows_[static_cast<std::size_t>(c)] = found;
    }
    cursorShotType_ = grid.TextMatrix(grid.Row(), LineDataColumn::Shot);
    const int a = cursorRows_[0] > 0 ? cursorRows_[0] : cursorRows_[1];
    const int b = cursorRows_[1] > 0 ? cursorRows_[1] : cursorRows_[0];
    if (a <= 0) return; // neither cursor is on a shot of the grid
    SelectGridRows(std::min(a, b), std::max(a, b), ChartColumn(id));
}

void EditorPlots::SelectGridRows(int first, int last, int col) {
    auto& grid = editor_.Grid();
    grid.SetRow(first);
    grid.SetCol(col);
    grid.SetRowSel(last);
    grid.SetColSel(col);
    grid.SetTopRow(grid.RowSel() < 4 ? 1 : grid.RowSel() - 3);
}

bool EditorPlots::DragEdit(PlotId id, double x, double y) {
    if (id == PlotId::Area) return false;
    auto& chart = Chart(id);
    if (!chart.CursorsOn()) return false;
    const int point = chart.NearestPointByX(x);
    if (point < 0) return false;
    auto& values = chart.FirstCurve()->Y;
    values[static_cast<std::size_t>(point)] = y;
    if (lastDragPoint_ >= 0 && std::abs(lastDragPoint_ - point) > 1) {
        const int low = std::min(lastDragPoint_, point);
        const int high = std::max(lastDragPoint_, point);
        for (int j = low + 1; j < high; ++j) values[static_cast<std::size_t>(j)] = y;
    }
    lastDragPoint_ = point;
    RecomputeConsistency(id);
    chart.Notify(ChartCurvesChanged);
    const auto& range = chart.YRange();
    if (y > range.High() || y < range.Low()) chart.AutoscaleY();
    plotToGridVisible_ = true;
    editor_.State().UpdatePlotsVisible = true;
    return true;
}

// Elevation = heave + tide - DBT holds for sounder shots only: a land shot's
// elevation is measured, and recomputing it from its (empty) sounder values
// would overwrite it, so only water shots follow the edit.
void EditorPlots::RecomputeConsistency(PlotId edited) {
    auto* elevation = Chart(PlotId::Elevation).FirstCurve();
    auto* dbt = Chart(PlotId::DBT).FirstCurve();
    auto* heave = Chart(PlotId::Heave).FirstCurve();
    auto* tide = Chart(PlotId::Tide).FirstCurve();
    if (elevation == nullptr || dbt == nullptr || heave == nullptr || tide == nullptr) return;
    const auto count = std::min({elevation->Count(), dbt->Count(), heave->Count(), tide->Count(), pointToShot_.size()});
    for (std::size_t j = 0; j < count; ++j) {
        if (!IsWaterShot(job_.Data.At(job_.CurrentLine, pointToShot_[j]).ShotType())) continue;
        if (edited == PlotId::Elevation) {
            dbt->Y[j] = std::max(0.0, heave->Y[j] + tide->Y[j] - elevation->Y[j]);
        } else {
            elevation->Y[j] = heave->Y[j] + tide->Y[j] - dbt->Y[j];
        }
    }
    Chart(edited == PlotId::Elevation ? PlotId::DBT : PlotId::Elevation).Notify(ChartCurvesChanged);
}

void EditorPlots::PlotToGrid() {
    const auto line = job_.CurrentLine;
    if (line < 1 || line > job_.Data.LineBound()) return;
    if (undoSnapshot_) undoSnapshot_();
    const auto* elevation = Chart(PlotId::Elevation).FirstCurve();
    const auto* dbt = Chart(PlotId::DBT).FirstCurve();
    const auto* heave = Chart(PlotId::Heave).FirstCurve();
    const auto* tide = Chart(PlotId::Tide).FirstCurve();
    if (elevation != nullptr && dbt != nullptr && heave != nullptr && tide != nullptr) {
        const auto count = std::min({elevation->Count(), dbt->Count(), heave->Count(), tide->Count()});
        std::size_t j = 0;
        const auto shots = std::clamp(job_.ShotCount(line), 0, job_.Data.ShotBound());
        for (std::int32_t shot = 1; shot <= shots && j < count; ++shot) {
            if (job_.Data.At(line, shot).Ignore) continue;
            auto& record = job_.Data.Edit(line, shot);
            record.Elevation = static_cast<float>(elevation->Y[j]);
            record.Heave = static_cast<float>(heave->Y[j]);
            record.DBT = static_cast<float>(dbt->Y[j]);
            record.Tide = static_cast<float>(tide->Y[j]);
            ++j;
        }
        job_.DataChanged = true;
    }
    {
        Loading loading(job_, prompter_);
        editor_.ArrayToGrid(line);
    }
    plotToGridVisible_ = false;
}

void EditorPlots::CreateShadow() {
    auto& chart = First();
    chart.RemoveOverlay("Shadow");
    const auto* first = chart.FirstCurve();
    if (first == nullptr) return;
    auto& shadow = chart.AddOverlay("Shadow", first->X, first->Y, ChartCyan);
    shadow.Marked = false;
}

void EditorPlots::ToggleShadow() {
    auto* shadow = First().FindOverlay("Shadow");
    if (shadow == nullptr) return;
    shadow->Enabled = !shadow->Enabled;
    First().Notify(ChartStyleChanged);
}

int EditorPlots::PlanClick(double easting, double northing, double xScale, double yScale, bool shift) {
    auto& area = Chart(PlotId::Area);
    const int curve = area.NearestCurve(easting, northing, xScale, yScale, 6.0);
    if (curve < 0) return -1;
    const auto& name = area.Curves()[static_cast<std::size_t>(curve)].Name;
    const auto& entries = editor_.PlotLines();
    const auto it =
        std::find_if(entries.begin(), entries.end(), [&name](const PlotLineEntry& e) { return e.Text == name; });
    if (it == entries.end()) return -1;
    const int index = static_cast<int>(it - entries.begin());
    if (shift) {
        const auto& profiles = editor_.ProfileList();
        const auto at = std::find(profiles.begin(), profiles.end(), name);
        if (at != profiles.end()) editor_.SelectProfile(static_cast<int>(at - profiles.begin()));
    } else {
        editor_.SetPlotLineSelected(index, !it->Selected);
    }
    return index;
}

} // namespace tolvanor
