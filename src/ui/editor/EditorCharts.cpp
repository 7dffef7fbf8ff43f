// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/EditorCharts.h"

#include "editor/ChartModel.h"
#include "ui/editor/PlanLinesPlottable.h"

namespace tolvanor::ui {

namespace {

const QString FullScreenTip = QStringLiteral("Enlarge this chart in front of the others");
const QString NormalSizeTip = QStringLiteral("Put the charts back beside the grid");

} // namespace

ElevationPlot::ElevationPlot(ChartModel& model, Prompter& prompter, QWidget* parent)
    : ChartView(model, prompter, parent) {
    setObjectName("ElevationPlot");
    setAccessibleName("Profile chart");
    SetPanZoom(true);
    AddToolButton("Full Screen", FullScreenTip);
    AddToolButton("Normal Size", NormalSizeTip);
    AddToolButton("Create Shadow", "Keep a copy of the profile to compare chart edits against");
    AddToolButton("Toggle Shadow", "Show or hide the shadow copy of the profile");
}

SounderPlot::SounderPlot(ChartModel& model, Prompter& prompter, const char* objectName, QWidget* parent)
    : ChartView(model, prompter, parent) {
    setObjectName(objectName);
    setAccessibleName(QString::fromStdString(model.Title()) + " chart");
    AddToolButton("Full Screen", FullScreenTip);
    AddToolButton("Normal Size", NormalSizeTip);
    xAxis->ticker()->setTickCount(4);
}

AreaPlot::AreaPlot(ChartModel& model, Prompter& prompter, QWidget* parent) : ChartView(model, prompter, parent) {
    setObjectName("AreaPlot");
    setAccessibleName("Plan view");
    plotLayout()->insertRow(0);
    auto* title =
        new QCPTextElement(this, QString::fromStdString(model.Title()), QFont(font().family(), 9, QFont::Bold));
    plotLayout()->addElement(0, 0, title);
    AddToolButton("Hide", "Put the charts back beside the grid");
    for (auto* axis : {xAxis, yAxis}) {
        axis->setNumberFormat("f");
        axis->setNumberPrecision(0);
        axis->ticker()->setTickCount(3);
    }
    xAxis->setTickLabelRotation(30); // seven-digit eastings side by side would run together
    addLayer("planMark", layer("main"), QCustomPlot::limAbove);
    layer("planMark")->setMode(QCPLayer::lmBuffered);
    lines_ = new PlanLinesPlottable(model, xAxis, yAxis);
    mark_ = new PlanLinesPlottable(model, xAxis, yAxis);
    mark_->SetMarkedOnly(true);
    mark_->setLayer("planMark");
    styleOnlyReplot_ = true;
}

void AreaPlot::SyncCurves() {
    // The plottables read the model when they draw.
}

void AreaPlot::SyncStyle() {
    layer("planMark")->replot();
}

void AreaPlot::SyncRanges() {
    ChartView::SyncRanges();
    // Metres are metres both ways: the axis with the finer scale widens.
    const int width = axisRect()->width();
    const int height = axisRect()->height();
    if (width <= 0 || height <= 0) return;
    const double xPerPixel = xAxis->range().size() / width;
    const double yPerPixel = yAxis->range().size() / height;
    if (xPerPixel > yPerPixel) {
        yAxis->setScaleRatio(xAxis, 1.0);
    } else {
        xAxis->setScaleRatio(yAxis, 1.0);
    }
}

} // namespace tolvanor::ui
