// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QAction;
class QMainWindow;

namespace tolvanor {
class ChartModel;
class DataEditor;
class Job;
class Prompter;
class SettingsStore;
} // namespace tolvanor

namespace tolvanor::ui {

// Gives the editor window an "&Analysis" menu whose "Profile &Analysis..."
// opens the Analysis window (made once, owned by the editor window). While
// that window is shown it follows every redraw of the editor's profile
// chart: it shows the same line, and the line's contour places are drawn
// on the chart as short red marks ("Contour <z>" overlays, which the
// chart's next redraw clears). `editorChanged` runs when a row chosen in
// the Analysis window made another line current, so the editor redraws.
// Returns the menu item.
QAction* AttachAnalysis(QMainWindow& editorWindow, ChartModel& profileChart, Job& job, DataEditor& editor,
                        Prompter& prompter, SettingsStore& settings, std::function<void()> editorChanged);

} // namespace tolvanor::ui
