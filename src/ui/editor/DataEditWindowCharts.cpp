// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's five charts: their gestures, tool bars and placement.
#include "ui/editor/DataEditWindow.h"

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "ui/editor/EditorCharts.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QTableView>
#include <QWindow>

namespace tolvanor::ui {

void DataEditWindow::BuildCharts(QWidget* central) {
    charts_[static_cast<std::size_t>(PlotId::Area)] = new AreaPlot(plots_->Chart(PlotId::Area), prompter_, central);
    charts_[static_cast<std::size_t>(PlotId::Elevation)] =
        new ElevationPlot(plots_->Chart(PlotId::Elevation), prompter_, central);
    charts_[static_cast<std::size_t>(PlotId::DBT)] = new DBTPlot(plots_->Chart(PlotId::DBT), prompter_, central);
    charts_[static_cast<std::size_t>(PlotId::Heave)] = new HeavePlot(plots_->Chart(PlotId::Heave), prompter_, central);
    charts_[static_cast<std::size_t>(PlotId::Tide)] = new TidePlot(plots_->Chart(PlotId::Tide), prompter_, central);
    for (int id = 0; id < PlotCount; ++id) ConnectChart(static_cast<PlotId>(id));
}

void DataEditWindow::ConnectChart(PlotId id) {
    auto* chart = Chart(id);
    chart->SetMoveAllowed([this, id] { return layout_.CanMove(id); });
    connect(chart, &ChartView::ToolButtonClicked, this, [this, id](int button) { OnToolButton(id, button); });
    connect(chart, &ChartView::MoveEnded, this,
            [this](QPoint topLeft) { layout_.EndMove(ToTwips(topLeft.y()), ToTwips(topLeft.x())); });
    if (id == PlotId::Area) {
        connect(chart, &ChartView::Clicked, this, [this, chart](QPointF at, Qt::KeyboardModifiers modifiers) {
            if (job_.LoadingCount > 0) return;
            if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) return;
            const auto scale = chart->PixelsPerUnit();
            plots_->PlanClick(at.x(), at.y(), scale.x(), scale.y(), modifiers == Qt::ShiftModifier);
            SyncFromCore();
        });
        return;
    }
    connect(chart, &ChartView::ShiftDragStarted, this, [this] { plots_->BeginDrag(); });
    connect(chart, &ChartView::ShiftDragged, this, [this, id](QPointF at) {
        if (job_.LoadingCount > 0) return;
        if (plots_->DragEdit(id, at.x(), at.y())) SyncFromCore();
    });
    connect(chart, &ChartView::CursorMoved, this, [this, id] {
        if (job_.LoadingCount > 0) return;
        plots_->CursorsToGrid(id);
        FlushCharts();
    });
}

void DataEditWindow::OnToolButton(PlotId id, int button) {
    if (id == PlotId::Area) {
        layout_.Hide();
    } else if (button == ElevationPlot::FullScreen) {
        layout_.FullScreen(id);
    } else if (button == ElevationPlot::NormalSize) {
        layout_.NormalSize(id);
    } else if (id == PlotId::Elevation && button == ElevationPlot::CreateShadow) {
        plots_->CreateShadow();
    } else if (id == PlotId::Elevation && button == ElevationPlot::ToggleShadow) {
        plots_->ToggleShadow();
    }
    mnuShowBigPlot_->setChecked(layout_.BigPlot());
    ApplyLayout();
    FlushCharts();
}

void DataEditWindow::FlushCharts() {
    for (auto* chart : charts_) chart->Flush();
}

void DataEditWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ApplyLayout();
}

void DataEditWindow::ApplyLayout() {
    if (centralWidget() == nullptr || charts_[0] == nullptr) return;
    const QRect frame = frameGeometry();
    const QWidget* client = centralWidget();
    LayoutRequest request;
    request.Width = ToTwips(frame.width());
    request.Height = ToTwips(frame.height());
    request.ChromeHeight = ToTwips(frame.height() - client->height());
    request.ChromeWidth = ToTwips(frame.width() - client->width());
    request.Minimized = isMinimized();
    request.GridWidth = ToTwips(GridPixelWidth());
    request.ProfileFrameHeight = ToTwips(fraProfileLines_->sizeHint().height());
    // The band wraps to the chart column's width; its height follows from that.
    const int bandWidth = ToPixels(layout_.ChartsWidth(request));
    ArrangeControls(bandWidth, client->height());
    request.ControlsHeight = ToTwips(ControlsHeightFor(bandWidth));
    const auto result = layout_.Compute(request);
    if (!result.Applied) return;
    const auto place = [this](QWidget* widget, const TwipsRect& rect) {
        widget->setGeometry(ToPixels(rect.Left), ToPixels(rect.Top), ToPixels(rect.Width), ToPixels(rect.Height));
    };
    fraProfileLines_->setVisible(layout_.ShowControls());
    fraControls_->setVisible(layout_.ShowControls());
    if (layout_.ShowControls()) {
        place(fraProfileLines_, result.ProfileFrame);
        place(fraControls_, result.Controls);
    }
    place(grid_, result.Grid);
    place(lblLineIgnored_, result.Grid);
    lblLineIgnored_->lower();
    for (int id = 0; id < PlotCount; ++id) {
        const auto& slot = result.Slots[static_cast<std::size_t>(id)];
        place(charts_[static_cast<std::size_t>(id)], slot.Place);
    }
    for (int id = 0; id < PlotCount; ++id) {
        if (result.Slots[static_cast<std::size_t>(id)].Front) charts_[static_cast<std::size_t>(id)]->raise();
    }
    mnuShowBigPlot_->setChecked(layout_.BigPlot());
    mnuShowControls_->setChecked(layout_.ShowControls());
}

} // namespace tolvanor::ui
