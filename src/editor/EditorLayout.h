// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/EditorPlots.h"

#include <array>

namespace tolvanor {

class SettingsStore;

// Sizes and positions in twips.
struct TwipsRect {
    int Top = 0;
    int Left = 0;
    int Height = 0;
    int Width = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct ChartSlot {
    TwipsRect Place;
    bool Front = false; // in front of the other charts (the big plot)
};

// What the window measures before a layout: its outer size and how much of
// it its frame and menu take, and the natural sizes of its frames.
struct LayoutRequest {
    int Width = 0;        // the window's outer width
    int Height = 0;       // the window's outer height
    int ChromeHeight = 0; // title bar, menu and borders: outer height less the client height
    int ChromeWidth = 0;
    bool Minimized = false;
    int GridWidth = 0;          // the grid's natural width: every column shown
    int ProfileFrameHeight = 0; // fraProfileLines
    int ControlsHeight = 0;     // fraControls
};

// Client-area places (below the menu) of everything the layout moves.
struct LayoutResult {
    bool Applied = false; // false while minimized: nothing moves
    TwipsRect ProfileFrame;
    TwipsRect Grid;
    TwipsRect Controls;
    std::array<ChartSlot, PlotCount> Slots{};
};

// Window placement as the settings keep it.
struct WindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

constexpr int GridLeft = 25;
constexpr int ChartMargin = 100;
constexpr int ChartGap = 200;
constexpr int BottomMargin = 800;
constexpr int MinimumEditorWidth = 14235;
// On a narrow window the grid scrolls sideways rather than squeeze the
// charts: the chart column keeps this share of the client width (percent)
// and at least this width; the grid keeps at least its first columns.
constexpr int ChartsSharePercent = 45;
constexpr int MinimumChartsWidth = 7500;
constexpr int MinimumGridWidth = 4500;

// The line-data grid's width: its columns plus the row-header and scroll-bar allowance.
int LineDataGridWidth() noexcept;
// The rules that keep a restored window on the screen and big enough to use.
WindowPlacement KeepWindowUsable(WindowPlacement placement) noexcept;

enum class EditorWindowMode { Normal = 0, Minimized = 1, Maximized = 2 };
// "WindowState" as stored; maximized when absent or not a state.
EditorWindowMode ReadWindowState(const SettingsStore& settings);

// The editor's arrangement: the grid on the left, the charts beside it, one
// chart enlarged in front on request, the command frames shown or hidden.
class EditorLayout {
public:
    bool ShowControls() const noexcept { return showControls_; }
    void SetShowControls(bool shown) noexcept { showControls_ = shown; }
    bool BigPlot() const noexcept { return bigPlot_; }
    void SetBigPlot(bool on) noexcept { bigPlot_ = on; }
    PlotId BigChart() const noexcept { return bigChart_; }

    // The chart tool bars.
    void FullScreen(PlotId chart) noexcept;
    void NormalSize(PlotId chart) noexcept;
    void Hide() noexcept { bigPlot_ = false; }
    // A right-button press moves a chart only while its "Normal Size" mode is clear.
    bool CanMove(PlotId chart) const noexcept { return !normalSizeMode_[static_cast<std::size_t>(chart)]; }
    // A chart move ended at this place (kept at 0 or more).
    void EndMove(int top, int left) noexcept;
    int BigTop() const noexcept { return bigTop_; }
    int BigLeft() const noexcept { return bigLeft_; }

    LayoutResult Compute(const LayoutRequest& request) const;
    // The chart column's width for this request (the command frames' width),
    // so a window can measure how tall its frames wrap before Compute.
    int ChartsWidth(const LayoutRequest& request) const noexcept;

    // The keys written when the window closes.
    void SaveAtClose(SettingsStore& settings, EditorWindowMode mode, const WindowPlacement& placement) const;

private:
    bool showControls_ = true;
    bool bigPlot_ = false;
    PlotId bigChart_ = PlotId::Elevation;
    int bigTop_ = -1; // -1: the top left of the client area
    int bigLeft_ = -1;
    std::array<bool, PlotCount> normalSizeMode_{};
};

} // namespace tolvanor
