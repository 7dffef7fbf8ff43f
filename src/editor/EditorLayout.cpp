// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorLayout.h"

#include "core/SettingsStore.h"
#include "editor/LineDataColumns.h"

#include <algorithm>
#include <string>

namespace tolvanor {

namespace {

// Below this a chart cannot show its axes; the window keeps charts at least this big.
constexpr int MinimumChart = 600;

TwipsRect Rect(int top, int left, int height, int width) {
    return {top, left, std::max(height, MinimumChart), std::max(width, MinimumChart)};
}

// The normal arrangement of the chart area: the profile across the top, the
// DBT chart under it, and below heave over tide beside the plan view.
std::array<ChartSlot, PlotCount> NormalSlots(int top, int left, int height, int width) {
    const int usable = std::max(height - 2 * ChartMargin, 3 * MinimumChart);
    const int profile = usable * 36 / 100;
    const int dbt = usable * 24 / 100;
    const int rest = usable - profile - dbt;
    const int half = (width - ChartMargin) / 2;
    const int sounder = (rest - ChartMargin) / 2;
    std::array<ChartSlot, PlotCount> slots{};
    const int row2 = top + profile + ChartMargin;
    const int row3 = row2 + dbt + ChartMargin;
    slots[static_cast<int>(PlotId::Elevation)].Place = Rect(top, left, profile, width);
    slots[static_cast<int>(PlotId::DBT)].Place = Rect(row2, left, dbt, width);
    slots[static_cast<int>(PlotId::Heave)].Place = Rect(row3, left, sounder, half);
    slots[static_cast<int>(PlotId::Tide)].Place = Rect(row3 + sounder + ChartMargin, left, sounder, half);
    slots[static_cast<int>(PlotId::Area)].Place =
        Rect(row3, left + half + ChartMargin, rest, width - half - ChartMargin);
    return slots;
}

// The grid's width: natural, unless the chart column would fall below its share.
int GridWidthFor(const LayoutRequest& request) {
    const int clientWidth = request.Width - request.ChromeWidth;
    const int charts = std::max(MinimumChartsWidth, clientWidth * ChartsSharePercent / 100);
    const int room = clientWidth - GridLeft - ChartGap - ChartMargin - charts;
    return std::clamp(room, std::min(MinimumGridWidth, request.GridWidth), request.GridWidth);
}

} // namespace

int LineDataGridWidth() noexcept {
    int width = 336 + 1;
    for (int col = 0; col < LineDataColumn::Count; ++col) width += LineDataWidth(col);
    return width;
}

WindowPlacement KeepWindowUsable(WindowPlacement placement) noexcept {
    if (placement.Width < MinimumEditorWidth) placement.Width = MinimumEditorWidth;
    if (placement.Left < 0) placement.Left = 10;
    if (placement.Height < 800) placement.Height = 10000;
    if (placement.Top < 0) placement.Top = 0;
    return placement;
}

EditorWindowMode ReadWindowState(const SettingsStore& settings) {
    const auto text = settings.Get("WindowState", "2");
    if (text == "0") return EditorWindowMode::Normal;
    if (text == "1") return EditorWindowMode::Minimized;
    return EditorWindowMode::Maximized;
}

void EditorLayout::FullScreen(PlotId chart) noexcept {
    bigPlot_ = true;
    bigChart_ = chart;
    normalSizeMode_[static_cast<std::size_t>(chart)] = false;
}

void EditorLayout::NormalSize(PlotId chart) noexcept {
    bigPlot_ = false;
    normalSizeMode_[static_cast<std::size_t>(chart)] = true;
}

void EditorLayout::EndMove(int top, int left) noexcept {
    bigTop_ = std::max(top, 0);
    bigLeft_ = std::max(left, 0);
}

LayoutResult EditorLayout::Compute(const LayoutRequest& request) const {
    LayoutResult result;
    if (request.Minimized) return result;
    result.Applied = true;
    // The margin below the grid and charts counts from the window's outer
    // edge, so the part the frame and menu already take comes off it.
    const int bottom = std::max(ChartMargin, BottomMargin - request.ChromeHeight);
    const int clientHeight = request.Height - request.ChromeHeight;
    const int clientWidth = request.Width - request.ChromeWidth;
    const int gridWidth = GridWidthFor(request);

    int gridTop = ChartMargin;
    if (showControls_) {
        result.ProfileFrame = {ChartMargin, GridLeft, request.ProfileFrameHeight, gridWidth};
        gridTop += request.ProfileFrameHeight + ChartMargin;
    }
    result.Grid = {gridTop, GridLeft, std::max(clientHeight - gridTop - bottom, MinimumChart), gridWidth};

    const int chartsLeft = GridLeft + gridWidth + ChartGap;
    int chartsTop = ChartMargin;
    const int chartsWidth = ChartsWidth(request);
    if (showControls_) {
        result.Controls = {ChartMargin, chartsLeft, request.ControlsHeight, chartsWidth};
        chartsTop += request.ControlsHeight + ChartMargin;
    }
    // The charts end where the grid ends, so an enlarged chart covers them to the same edge.
    result.Slots = NormalSlots(chartsTop, chartsLeft, clientHeight - chartsTop - bottom, chartsWidth);

    if (bigPlot_) {
        const int top = bigTop_ < 0 ? ChartMargin : bigTop_;
        const int left = bigLeft_ < 0 ? GridLeft : bigLeft_;
        auto& big = result.Slots[static_cast<std::size_t>(bigChart_)];
        big.Place = Rect(top, left, clientHeight - top - bottom, clientWidth - left - ChartMargin);
        big.Front = true;
    }
    return result;
}

int EditorLayout::ChartsWidth(const LayoutRequest& request) const noexcept {
    const int chartsLeft = GridLeft + GridWidthFor(request) + ChartGap;
    return std::max(request.Width - request.ChromeWidth - chartsLeft - ChartMargin, 2 * MinimumChart + ChartMargin);
}

void EditorLayout::SaveAtClose(SettingsStore& settings, EditorWindowMode mode, const WindowPlacement& placement) const {
    settings.Save("WindowState", std::to_string(static_cast<int>(mode)));
    settings.Save("DataEdit Top", std::to_string(placement.Top));
    settings.Save("DataEdit Left", std::to_string(placement.Left));
    settings.Save("DataEdit Width", std::to_string(placement.Width));
    settings.Save("DataEdit Height", std::to_string(placement.Height));
    const int top = bigTop_ < 0 ? ChartMargin : bigTop_;
    const int left = bigLeft_ < 0 ? GridLeft : bigLeft_;
    settings.Save("BigPlot Top", std::to_string(top));
    settings.Save("BigPlot Left", std::to_string(left));
    settings.Save("ShowBigPlot", bigPlot_ ? "True" : "False");
}

} // namespace tolvanor
