// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ChartModel.h"
#include "editor/PlotSink.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;
class SettingsStore;

// The five charts, in the order of the layout's placement slots.
enum class PlotId : int { Area = 0, Elevation = 1, DBT = 2, Heave = 3, Tide = 4 };
constexpr int PlotCount = 5;

// The chart switches of the "Plots" menu, remembered in the settings.
struct PlotOptions {
    bool ShowNext = true;
    bool ShowPrevious = true;
    bool ShowTemplate = true;
    bool SyncCharts = false;
    bool ShowLegend = false;
};

PlotOptions ReadPlotOptions(const SettingsStore& settings);
void SavePlotOptions(SettingsStore& settings, const PlotOptions& options);

// The editor's charts as data: what each shows for the current line and its
// neighbours, the plan view of every line, the links between the grid and
// the cursors, the Shift-drag edit and "Update Grid". The window's chart
// widgets draw these models and hand the user's gestures to it.
class EditorPlots : public PlotSink {
public:
    // All three must outlive the plots.
    EditorPlots(Job& job, DataEditor& editor, Prompter& prompter);

    ChartModel& Chart(PlotId id) noexcept { return charts_[static_cast<std::size_t>(id)]; }
    const ChartModel& Chart(PlotId id) const noexcept { return charts_[static_cast<std::size_t>(id)]; }
    PlotOptions& Options() noexcept { return options_; }
    // Applies SyncCharts to the x axes and ShowLegend to the tide chart.
    void ApplyOptions();

    // PlotSink
    void UpdatePlanCurve(std::string_view name, std::span<const double> eastings,
                         std::span<const double> northings) override;
    void RemoveProfileCurves() override;
    void PlotData(std::int32_t line) override;
    void MarkPlanCurve(std::string_view name) override;

    // Every curve of every chart goes (the job was emptied).
    void Clear();

    // One line's curves on the four profile charts (its shots that are not ignored).
    void AddCurve(std::int32_t line);
    // For the current line's point j, the shot it came from.
    const std::vector<std::int32_t>& PointToShot() const noexcept { return pointToShot_; }
    // Drawn after the neighbours (template, copied data); the edit commands set it.
    void SetOverlayPainter(std::function<void(EditorPlots&)> painter) { overlayPainter_ = std::move(painter); }
    // Taken before "Update Grid" writes the charts into the line.
    void SetUndoSnapshot(std::function<void()> snapshot) { undoSnapshot_ = std::move(snapshot); }

    // The grid's selection moved: the profile chart's cursors follow it.
    void GridSelectionToCursors();
    // A cursor of a chart moved: the grid selects the rows behind them.
    void CursorsToGrid(PlotId chart);
    int CursorRow(int index) const noexcept { return cursorRows_[index == 0 ? 0 : 1]; }
    const std::string& CursorShotType() const noexcept { return cursorShotType_; }

    // A mouse move with the left button and Shift down, in chart coordinates.
    // False when nothing was edited (not a profile chart, no points, no cursors).
    bool DragEdit(PlotId chart, double x, double y);
    // A new press starts a new stroke.
    void BeginDrag() noexcept { lastDragPoint_ = -1; }
    bool PlotToGridVisible() const noexcept { return plotToGridVisible_; }
    // "Update Grid": the chart values into the current line's shots that are
    // not ignored, then the grid reloads.
    void PlotToGrid();

    void CreateShadow();
    void ToggleShadow();

    // A click on the plan view at a chart position: the curve hit switches
    // its additional-plot selection, or with Shift becomes the current line.
    // Returns the list index hit, -1 for none.
    int PlanClick(double easting, double northing, double xScale, double yScale, bool shift);

private:
    ChartModel& First() noexcept { return Chart(PlotId::Elevation); }
    void RecomputeConsistency(PlotId edited);
    void SelectGridRows(int first, int last, int col);

    Job& job_;
    DataEditor& editor_;
    Prompter& prompter_;
    std::size_t areaFittedCurves_ = 0;
    std::array<ChartModel, PlotCount> charts_;
    PlotOptions options_;
    std::vector<std::int32_t> pointToShot_;
    std::array<int, 2> cursorRows_{0, 0};
    std::string cursorShotType_;
    int lastDragPoint_ = -1;
    bool plotToGridVisible_ = false;
    std::function<void(EditorPlots&)> overlayPainter_;
    std::function<void()> undoSnapshot_;
    // Reused point arrays.
    std::array<std::vector<double>, 5> points_;
};

} // namespace tolvanor
