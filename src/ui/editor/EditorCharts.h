// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/editor/ChartView.h"

namespace tolvanor::ui {

class PlanLinesPlottable;

// The profile: elevation against distance down range, with wheel zoom and
// drag pan, and the shadow buttons.
class ElevationPlot : public ChartView {
    Q_OBJECT
public:
    enum Button { FullScreen, NormalSize, CreateShadow, ToggleShadow };
    ElevationPlot(ChartModel& model, Prompter& prompter, QWidget* parent = nullptr);
};

// The three sounder charts: DBT (depths downwards), heave, tide.
class SounderPlot : public ChartView {
    Q_OBJECT
public:
    enum Button { FullScreen, NormalSize };
    SounderPlot(ChartModel& model, Prompter& prompter, const char* objectName, QWidget* parent = nullptr);
};

class DBTPlot : public SounderPlot {
    Q_OBJECT
public:
    DBTPlot(ChartModel& model, Prompter& prompter, QWidget* parent = nullptr)
        : SounderPlot(model, prompter, "DBTPlot", parent) {}
};

class HeavePlot : public SounderPlot {
    Q_OBJECT
public:
    HeavePlot(ChartModel& model, Prompter& prompter, QWidget* parent = nullptr)
        : SounderPlot(model, prompter, "HeavePlot", parent) {}
};

class TidePlot : public SounderPlot {
    Q_OBJECT
public:
    TidePlot(ChartModel& model, Prompter& prompter, QWidget* parent = nullptr)
        : SounderPlot(model, prompter, "TidePlot", parent) {}
};

// The plan view of every line: "AREA", northing against easting at one
// scale on both axes; the current line's mark is redrawn on its own layer
// so changing the line does not redraw the whole survey.
class AreaPlot : public ChartView {
    Q_OBJECT
public:
    enum Button { Hide };
    AreaPlot(ChartModel& model, Prompter& prompter, QWidget* parent = nullptr);

protected:
    void SyncCurves() override;
    void SyncStyle() override;
    void SyncRanges() override;

private:
    PlanLinesPlottable* lines_ = nullptr;
    PlanLinesPlottable* mark_ = nullptr;
};

} // namespace tolvanor::ui
