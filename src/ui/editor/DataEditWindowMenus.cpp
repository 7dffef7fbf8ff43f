// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's menus, its remembered settings and the diagnostic buttons.
#include "ui/editor/DataEditWindow.h"

#include "core/Job.h"
#include "core/Prompter.h"
#include "core/SettingsStore.h"
#include "editor/DataEditor.h"
#include "ui/analysis/AnalysisMenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include <string>

namespace tolvanor::ui {

QAction* DataEditWindow::AddToggle(QMenu* menu, const QString& text, const char* name, bool checked) {
    auto* action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void DataEditWindow::BuildMenus() {
    auto* lineMenu = menuBar()->addMenu("&Line");
    lineMenu->setObjectName("mnuLine");
    auto* next = lineMenu->addAction("&Next Line", this, &DataEditWindow::NextLine);
    next->setObjectName("mnuNextLine");
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_Down)});
    auto* previous = lineMenu->addAction("&Previous Line", this, &DataEditWindow::PreviousLine);
    previous->setObjectName("mnuPreviousLine");
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::Key_Up)});
    lineMenu->addSeparator();
    lineMenu->addAction("Update &Plots", QKeySequence(Qt::Key_F5), this, &DataEditWindow::UpdatePlots);
    lineMenu->addSeparator();
    lineMenu->addAction("&Close", QKeySequence::Close, this, &QWidget::close);

    const auto& options = plots_->Options();
    auto* view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    mnuShowPrevious_ = AddToggle(view, "Show &Previous Line", "mnuShowPrevious", options.ShowPrevious);
    mnuShowNext_ = AddToggle(view, "Show &Next Line", "mnuShowNext", options.ShowNext);
    mnuShowTemplate_ = AddToggle(view, "Show &Template", "mnuShowTemplate", options.ShowTemplate);
    mnuSyncCharts_ = AddToggle(view, "&Sync Chart Axes", "mnuSyncCharts", options.SyncCharts);
    mnuShowLegend_ = AddToggle(view, "Show &Legend", "mnuShowLegend", options.ShowLegend);
    for (auto* action : {mnuShowPrevious_, mnuShowNext_, mnuShowTemplate_, mnuSyncCharts_, mnuShowLegend_})
        connect(action, &QAction::triggered, this, &DataEditWindow::OnPlotOptionToggled);
    view->addSeparator();
    mnuShowControls_ = AddToggle(view, "Show &Controls", "mnuShowControls", layout_.ShowControls());
    connect(mnuShowControls_, &QAction::triggered, this, [this](bool checked) {
        settings_.Save("ShowControls", checked ? "True" : "False");
        layout_.SetShowControls(checked);
        ApplyLayout();
    });
    mnuShowBigPlot_ = AddToggle(view, "&Big Plot", "mnuShowBigPlot", layout_.BigPlot());
    mnuShowBigPlot_->setShortcut(QKeySequence(Qt::Key_F11));
    connect(mnuShowBigPlot_, &QAction::triggered, this, [this](bool checked) {
        layout_.SetBigPlot(checked);
        ApplyLayout();
    });
    AttachAnalysis(*this, plots_->Chart(PlotId::Elevation), job_, editor_, prompter_, settings_,
                   [this] { SyncFromCore(); });
}

// One handler for the five chart switches: each saves its key and redraws.
void DataEditWindow::OnPlotOptionToggled() {
    auto& options = plots_->Options();
    auto* changed = qobject_cast<QAction*>(sender());
    options.ShowNext = mnuShowNext_->isChecked();
    options.ShowPrevious = mnuShowPrevious_->isChecked();
    options.ShowTemplate = mnuShowTemplate_->isChecked();
    options.SyncCharts = mnuSyncCharts_->isChecked();
    options.ShowLegend = mnuShowLegend_->isChecked();
    const auto save = [this, changed](QAction* action, const char* key) {
        if (changed == action) settings_.Save(key, action->isChecked() ? "True" : "False");
    };
    save(mnuShowNext_, "ShowNext");
    save(mnuShowPrevious_, "ShowPrevious");
    save(mnuShowTemplate_, "ShowTemplate");
    save(mnuSyncCharts_, "SyncCharts");
    save(mnuShowLegend_, "ShowLegend");
    if (changed == mnuSyncCharts_ || changed == mnuShowLegend_) {
        plots_->ApplyOptions();
    } else if (job_.CurrentLine > 0 && job_.LineCount > 0) {
        editor_.PlotData(job_.CurrentLine);
    }
    SyncFromCore();
}

void DataEditWindow::ShowWindowSize() {
    prompter_.Message("Height: " + std::to_string(ToTwips(frameGeometry().height())) +
                      "\nWidth: " + std::to_string(ToTwips(frameGeometry().width())));
}

void DataEditWindow::ShowVirtualSize() {
    QRect desktop;
    if (const auto* screen = QGuiApplication::primaryScreen()) desktop = screen->virtualGeometry();
    const auto twips = [this](int pixels) { return std::to_string(ToTwips(pixels)); };
    prompter_.Message("Left: " + twips(desktop.left()) + "\nTop: " + twips(desktop.top()) +
                      "\nWidth: " + twips(desktop.width()) + "\nHeight: " + twips(desktop.height()) + "\nForm Width: " +
                      twips(frameGeometry().width()) + "\nForm Height: " + twips(frameGeometry().height()));
}

void DataEditWindow::closeEvent(QCloseEvent* event) {
    EditorWindowMode mode = EditorWindowMode::Normal;
    if (isMinimized()) mode = EditorWindowMode::Minimized;
    if (isMaximized()) mode = EditorWindowMode::Maximized;
    const QRect frame = frameGeometry();
    layout_.SaveAtClose(settings_, mode,
                        {ToTwips(frame.left()), ToTwips(frame.top()), ToTwips(frame.width()), ToTwips(frame.height())});
    event->accept(); // the window is hidden, not destroyed: it lives for the run
}

void DataEditWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ApplyLayout();
}

void DataEditWindow::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
}

} // namespace tolvanor::ui
