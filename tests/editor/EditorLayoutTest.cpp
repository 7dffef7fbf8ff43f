// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window's arrangement rules: a usable window at start, the grid
// and charts sharing the room, the big plot in front, and the keys kept.
#include "editor/EditorLayout.h"

#include "core/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tolvanor {
namespace {

struct PlacementCase {
    const char* Name;
    WindowPlacement Stored;
    WindowPlacement Expected;
};

class KeepWindowUsableTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(KeepWindowUsableTest, RestoredWindowsStayOnScreenAndBigEnough) {
    EXPECT_EQ(KeepWindowUsable(GetParam().Stored), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepWindowUsableTest,
    ::testing::Values(PlacementCase{"NarrowAndOffTheLeft", {-200, 300, 5000, 9000}, {10, 300, 14235, 9000}},
                      PlacementCase{"TooLowAndAboveTheTop", {50, -40, 20000, 700}, {50, 0, 20000, 10000}},
                      PlacementCase{"AlreadyUsable", {0, 0, 14235, 800}, {0, 0, 14235, 800}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReadWindowStateTest, AFirstStartOpensMaximized) {
    MemorySettingsStore settings;
    EXPECT_EQ(ReadWindowState(settings), EditorWindowMode::Maximized);
    settings.Save("WindowState", "0");
    EXPECT_EQ(ReadWindowState(settings), EditorWindowMode::Normal);
    settings.Save("WindowState", "junk");
    EXPECT_EQ(ReadWindowState(settings), EditorWindowMode::Maximized);
}

LayoutRequest Window(int width = 24000, int height = 15000) {
    LayoutRequest request;
    request.Width = width;
    request.Height = height;
    request.ChromeHeight = 600;
    request.GridWidth = LineDataGridWidth();
    request.ProfileFrameHeight = 1200;
    request.ControlsHeight = 1500;
    return request;
}

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

TEST(EditorLayoutTest, NormalLayoutPutsTheGridAndEveryChartSideBySideWithoutOverlap) {
    EditorLayout layout;
    const auto result = layout.Compute(Window());
    ASSERT_TRUE(result.Applied);
    EXPECT_EQ(result.Grid.Left, GridLeft);
    EXPECT_EQ(result.Grid.Width, LineDataGridWidth());
    EXPECT_EQ(result.Grid.Top + result.Grid.Height, 15000 - BottomMargin); // 800 from the outer bottom edge
    for (int a = 0; a < PlotCount; ++a) {
        const auto& slot = result.Slots[static_cast<std::size_t>(a)];
        EXPECT_FALSE(slot.Front);
        EXPECT_FALSE(Overlap(slot.Place, result.Grid)) << a;
        EXPECT_FALSE(Overlap(slot.Place, result.Controls)) << a;
        EXPECT_LE(slot.Place.Left + slot.Place.Width, 24000 - ChartMargin) << a;
        EXPECT_LE(slot.Place.Top + slot.Place.Height, result.Grid.Top + result.Grid.Height) << a;
        for (int b = a + 1; b < PlotCount; ++b)
            EXPECT_FALSE(Overlap(slot.Place, result.Slots[static_cast<std::size_t>(b)].Place)) << a << " " << b;
    }
}

struct NarrowCase {
    const char* Name;
    int Width;
    int ExpectedGridWidth; // -1: the share rule decides
};

class GridYieldsTest : public ::testing::TestWithParam<NarrowCase> {};

// The grid gives up width (and scrolls) before the charts fall below their
// share; it never narrows on a wide window nor below its first columns.
TEST_P(GridYieldsTest, ChartsKeepTheirShareOfANarrowWindow) {
    EditorLayout layout;
    const auto request = Window(GetParam().Width);
    const auto result = layout.Compute(request);
    const int charts = result.Slots[static_cast<std::size_t>(PlotId::Elevation)].Place.Width;
    EXPECT_EQ(charts, layout.ChartsWidth(request));
    EXPECT_EQ(result.Controls.Width, charts);
    EXPECT_EQ(result.ProfileFrame.Width, result.Grid.Width); // the lists stay over the grid
    EXPECT_FALSE(Overlap(result.Grid, result.Slots[static_cast<std::size_t>(PlotId::Elevation)].Place));
    if (GetParam().ExpectedGridWidth >= 0) {
        EXPECT_EQ(result.Grid.Width, GetParam().ExpectedGridWidth);
    } else {
        EXPECT_LT(result.Grid.Width, LineDataGridWidth());
        EXPECT_GE(charts, std::max(MinimumChartsWidth, GetParam().Width * ChartsSharePercent / 100));
        EXPECT_EQ(result.Grid.Left + result.Grid.Width + ChartGap + charts + ChartMargin, GetParam().Width);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, GridYieldsTest,
                         ::testing::Values(NarrowCase{"Wide", 24000, LineDataGridWidth()},
                                           NarrowCase{"JustWideEnough", 21000, LineDataGridWidth()},
                                           NarrowCase{"JustTooNarrow", 20900, -1},
                                           NarrowCase{"FirstRun", MinimumEditorWidth, -1},
                                           NarrowCase{"Medium", 18000, -1},
                                           NarrowCase{"FarTooNarrow", 6000, MinimumGridWidth}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(EditorLayoutTest, HidingTheControlsGivesTheGridAndChartsTheRoom) {
    EditorLayout layout;
    const auto shown = layout.Compute(Window());
    layout.SetShowControls(false);
    const auto hidden = layout.Compute(Window());
    EXPECT_GT(hidden.Grid.Height, shown.Grid.Height);
    const auto& profile = static_cast<std::size_t>(PlotId::Elevation);
    EXPECT_LT(hidden.Slots[profile].Place.Top, shown.Slots[profile].Place.Top);
    EXPECT_GT(hidden.Slots[profile].Place.Height, shown.Slots[profile].Place.Height);
}

TEST(EditorLayoutTest, FullScreenPutsThatChartInFrontUntilNormalSizeOrHide) {
    EditorLayout layout;
    layout.FullScreen(PlotId::DBT);
    auto result = layout.Compute(Window());
    const auto& big = result.Slots[static_cast<std::size_t>(PlotId::DBT)];
    EXPECT_TRUE(big.Front);
    EXPECT_GT(big.Place.Width, 20000);
    // It covers the charts behind it to their right and bottom edges.
    for (const auto& slot : result.Slots) {
        EXPECT_LE(slot.Place.Left + slot.Place.Width, big.Place.Left + big.Place.Width);
        EXPECT_LE(slot.Place.Top + slot.Place.Height, big.Place.Top + big.Place.Height);
    }
    EXPECT_TRUE(layout.CanMove(PlotId::DBT));
    layout.NormalSize(PlotId::DBT);
    EXPECT_FALSE(layout.BigPlot());
    EXPECT_FALSE(layout.CanMove(PlotId::DBT)); // its mode value is set until "Full Screen"
    layout.FullScreen(PlotId::Elevation);
    layout.EndMove(-50, 3000);
    result = layout.Compute(Window());
    EXPECT_EQ(result.Slots[static_cast<std::size_t>(PlotId::Elevation)].Place.Top, 0);
    EXPECT_EQ(result.Slots[static_cast<std::size_t>(PlotId::Elevation)].Place.Left, 3000);
    layout.Hide();
    EXPECT_FALSE(layout.Compute(Window()).Slots[static_cast<std::size_t>(PlotId::Elevation)].Front);
}

TEST(EditorLayoutTest, MinimizedWindowsAreLeftAloneAndTinyOnesKeepChartsDrawable) {
    EditorLayout layout;
    auto request = Window();
    request.Minimized = true;
    EXPECT_FALSE(layout.Compute(request).Applied);
    const auto tiny = layout.Compute(Window(3000, 2000));
    for (const auto& slot : tiny.Slots) {
        EXPECT_GE(slot.Place.Width, 600);
        EXPECT_GE(slot.Place.Height, 600);
    }
}

TEST(EditorLayoutTest, CloseWritesTheWindowAndBigPlotKeys) {
    MemorySettingsStore settings;
    EditorLayout layout;
    layout.FullScreen(PlotId::Elevation);
    layout.EndMove(120, 340);
    layout.SaveAtClose(settings, EditorWindowMode::Normal, {15, 30, 16000, 11000});
    EXPECT_EQ(settings.Get("WindowState"), "0");
    EXPECT_EQ(settings.Get("DataEdit Left"), "15");
    EXPECT_EQ(settings.Get("DataEdit Top"), "30");
    EXPECT_EQ(settings.Get("DataEdit Width"), "16000");
    EXPECT_EQ(settings.Get("DataEdit Height"), "11000");
    EXPECT_EQ(settings.Get("BigPlot Top"), "120");
    EXPECT_EQ(settings.Get("BigPlot Left"), "340");
    EXPECT_EQ(settings.Get("ShowBigPlot"), "True");
}

} // namespace
} // namespace tolvanor
