// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/AnalysisMenu.h"

#include "editor/ChartModel.h"
#include "ui/analysis/AnalysisWindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>
#include <memory>
#include <string>

namespace tolvanor::ui {

namespace {

// A contour's places as a red mark at its level from the first to the last
// place, a little wider than one place so a single crossing shows.
void DrawContourPlaces(ChartModel& chart, const LineFigures& figures) {
    const ChartCurve* line = chart.FirstCurve();
    if (line == nullptr || line->Count() == 0) return;
    const auto [low, high] = std::minmax_element(line->X.begin(), line->X.end());
    const double half = std::max(0.5, (*high - *low) * 0.01);
    chart.BeginUpdate();
    for (const ContourCrossings& contour : figures.Contours) {
        if (contour.Count == 0) continue;
        const double x[] = {contour.First - half, contour.Last + half};
        const double y[] = {contour.Elevation, contour.Elevation};
        chart.AddOverlay("Contour " + QString::number(contour.Elevation).toStdString(), x, y, ChartRed);
    }
    chart.EndUpdate();
}

bool HasContourOverlay(ChartModel& chart) {
    return std::any_of(chart.Overlays().begin(), chart.Overlays().end(),
                       [](const ChartCurve& curve) { return curve.Name.starts_with("Contour "); });
}

} // namespace

QAction* AttachAnalysis(QMainWindow& editorWindow, ChartModel& profileChart, Job& job, DataEditor& editor,
                        Prompter& prompter, SettingsStore& settings, std::function<void()> editorChanged) {
    auto* menu = editorWindow.menuBar()->addMenu(QStringLiteral("&Analysis"));
    menu->setObjectName(QStringLiteral("mnuAnalysisMenu"));
    QAction* open = menu->addAction(QStringLiteral("Profile &Analysis..."));
    open->setObjectName(QStringLiteral("mnuAnalysis"));
    open->setToolTip(QStringLiteral("Areas, volumes, contour positions and the difference from the design"));
    auto* window = new AnalysisWindow(job, editor, prompter, settings, &editorWindow);
    window->setWindowFlag(Qt::Window);
    QObject::connect(window, &AnalysisWindow::ProfileChosen, &editorWindow, [editorChanged](int) {
        if (editorChanged) editorChanged();
    });
    QObject::connect(open, &QAction::triggered, window, [window] {
        const bool first = window->Result().Lines.empty();
        window->show();
        window->raise();
        window->activateWindow();
        if (first) window->Analyse(); // the remembered settings, at once
    });
    QPointer<AnalysisWindow> guard(window);
    auto busy = std::make_shared<bool>(false);
    profileChart.AddObserver([guard, busy, &profileChart](unsigned changes) {
        if (*busy || !(changes & ChartCurvesChanged) || guard.isNull() || !guard->isVisible()) return;
        if (HasContourOverlay(profileChart)) return; // our own marks, or already drawn
        *busy = true;
        guard->FollowEditor();
        if (const LineFigures* figures = guard->CurrentFigures()) DrawContourPlaces(profileChart, *figures);
        *busy = false;
    });
    return open;
}

} // namespace tolvanor::ui
