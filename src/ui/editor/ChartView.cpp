// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/ChartView.h"

#include "core/Prompter.h"
#include "editor/ChartModel.h"
#include "ui/editor/FastCurve.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace tolvanor::ui {

namespace {

constexpr int CursorGrabPixels = 5;
constexpr int DragThresholdPixels = 4;

QCPRange ToRange(const AxisRange& range) {
    return QCPRange(range.Low(), range.High());
}

void ApplyRange(QCPAxis* axis, const AxisRange& range) {
    axis->setRangeReversed(range.Reversed());
    axis->setRange(ToRange(range));
}

AxisRange FromAxis(const QCPAxis* axis) {
    const auto range = axis->range();
    return axis->rangeReversed() ? AxisRange{range.upper, range.lower} : AxisRange{range.lower, range.upper};
}

} // namespace

QColor ChartColour(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ChartView::ChartView(ChartModel& model, Prompter& prompter, QWidget* parent)
    : QCustomPlot(parent), model_(model), prompter_(prompter) {
    setNoAntialiasingOnDrag(true);
    setPlottingHint(QCP::phFastPolylines, true);
    xAxis->setLabel(QString::fromStdString(model_.XTitle()));
    yAxis->setLabel(QString::fromStdString(model_.YTitle()));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    for (auto* axis : {xAxis, yAxis}) {
        axis->setTickLabelFont(small);
        axis->setLabelFont(small);
        // Tight label spacing leaves the short sounder charts room for their curves.
        axis->setLabelPadding(2);
        axis->setTickLabelPadding(3);
    }
    legend->setFont(small);
    addLayer("current", layer("main"), QCustomPlot::limAbove);
    for (int i = 0; i < 2; ++i) {
        cursorLines_[static_cast<std::size_t>(i)] = new QCPItemStraightLine(this);
        cursorMarks_[static_cast<std::size_t>(i)] = new QCPItemTracer(this);
        cursorMarks_[static_cast<std::size_t>(i)]->setStyle(QCPItemTracer::tsCircle);
        cursorMarks_[static_cast<std::size_t>(i)]->setSize(7);
    }
    toolBar_ = new QWidget(this);
    toolBar_->setObjectName("chartToolBar");
    auto* barLayout = new QHBoxLayout(toolBar_);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(2);
    toolBar_->hide();
    observer_ = model_.AddObserver([this](unsigned changes) { OnModelChanged(changes); });
    dirty_ = ChartCurvesChanged | ChartRangeChanged | ChartCursorsChanged | ChartLegendChanged;
}

ChartView::~ChartView() {
    model_.RemoveObserver(observer_);
}

int ChartView::AddToolButton(const QString& caption, const QString& toolTip) {
    auto* button = new QToolButton(toolBar_);
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setAccessibleName(caption);
    button->setAutoRaise(false);
    button->setStyleSheet("QToolButton { padding: 0px 2px; }");
    QFont small = button->font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    button->setFont(small);
    const int index = static_cast<int>(toolButtons_.size());
    toolButtons_.push_back(button);
    toolBar_->layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, index] { emit ToolButtonClicked(index); });
    toolBar_->adjustSize();
    toolBar_->move(2, 2);
    toolBar_->show();
    // Room above the plot for the tool bar.
    axisRect()->setMinimumMargins(QMargins(0, toolBar_->sizeHint().height() + 2, 0, 0));
    return index;
}

QAbstractButton* ChartView::ToolButton(int index) const {
    if (index < 0 || index >= static_cast<int>(toolButtons_.size())) return nullptr;
    return toolButtons_[static_cast<std::size_t>(index)];
}

void ChartView::OnModelChanged(unsigned changes) {
    dirty_ |= changes;
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &ChartView::Flush, Qt::QueuedConnection);
}

void ChartView::Flush() {
    scheduled_ = false;
    if (dirty_ == 0) return;
    const unsigned changes = dirty_;
    dirty_ = 0;
    const bool styleOnly = (changes & ~unsigned(ChartStyleChanged)) == 0;
    if (changes & ChartCurvesChanged) {
        SyncCurves();
    } else if (changes & ChartStyleChanged) {
        SyncStyle();
    }
    if (changes & (ChartRangeChanged | ChartCurvesChanged)) SyncRanges();
    SyncCursors();
    legend->setVisible(model_.LegendShown());
    if (styleOnly && styleOnlyReplot_) return; // the subclass redrew its own layer
    replot(QCustomPlot::rpImmediateRefresh);
}

QPen ChartView::CurvePen(const ChartCurve& curve, bool first) const {
    const int value = curve.Colour == DefaultChartColour ? ChartModel::DefaultColour(curve.Order) : curve.Colour;
    QColor colour = ChartColour(value);
    // Neighbours and other lines are lighter, so the line in hand stands out.
    if (!first && !curve.Marked) colour.setAlpha(150);
    QPen pen(colour);
    pen.setWidthF(first || curve.Marked ? 2.0 : 1.0);
    if (curve.Dashed) pen.setStyle(Qt::DashLine);
    return pen;
}

void ChartView::SyncCurves() {
    const auto& data = model_.Curves();
    const auto& overlays = model_.Overlays();
    const std::size_t needed = data.size() + overlays.size();
    while (curves_.size() < needed) curves_.push_back(new FastCurve(xAxis, yAxis));
    while (curves_.size() > needed) {
        removePlottable(curves_.back());
        curves_.pop_back();
    }
    // A profile reads along the line: the points are joined in order of
    // distance, whatever order the shots are stored in.
    for (std::size_t i = 0; i < needed; ++i) {
        const bool overlay = i >= data.size();
        const auto& curve = overlay ? overlays[i - data.size()] : data[i];
        std::vector<QPointF> points(curve.Count());
        for (std::size_t j = 0; j < curve.Count(); ++j)
            points[j] = QPointF(curve.X[j] + curve.XOffset, curve.Y[j] + curve.YOffset);
        std::stable_sort(points.begin(), points.end(),
                         [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        auto* plot = curves_[i];
        plot->SetPoints(std::move(points));
        plot->setName(QString::fromStdString(curve.Name));
        plot->setPen(CurvePen(curve, !overlay && i == 0));
        plot->setVisible(curve.Enabled);
        // The line in hand is drawn on top of its neighbours and the overlays.
        plot->setLayer(i == 0 && !data.empty() ? "current" : "main");
    }
}

void ChartView::SyncRanges() {
    ApplyRange(xAxis, model_.XRange());
    ApplyRange(yAxis, model_.YRange());
}

void ChartView::SyncCursors() {
    const bool shown = model_.CursorsOn() && !model_.Curves().empty();
    for (int i = 0; i < 2; ++i) {
        const auto& cursor = model_.Cursor(i);
        auto* line = cursorLines_[static_cast<std::size_t>(i)];
        auto* mark = cursorMarks_[static_cast<std::size_t>(i)];
        line->setVisible(shown);
        mark->setVisible(shown);
        line->point1->setCoords(cursor.X, 0);
        line->point2->setCoords(cursor.X, 1);
        mark->position->setCoords(cursor.X, cursor.Y);
        QPen pen(i == model_.ActiveCursor() ? QColor(200, 0, 0) : QColor(90, 90, 90));
        pen.setStyle(i == model_.ActiveCursor() ? Qt::SolidLine : Qt::DashLine);
        line->setPen(pen);
        mark->setPen(pen);
    }
}

QPointF ChartView::ToChart(QPointF pixel) const {
    return {xAxis->pixelToCoord(pixel.x()), yAxis->pixelToCoord(pixel.y())};
}

QPointF ChartView::PixelsPerUnit() const {
    const auto x = xAxis->range();
    const auto y = yAxis->range();
    const double xs = x.size() > 0 ? axisRect()->width() / x.size() : 1.0;
    const double ys = y.size() > 0 ? axisRect()->height() / y.size() : 1.0;
    return {xs, ys};
}

int ChartView::CursorNear(double pixelX) const {
    if (!model_.CursorsOn() || model_.Curves().empty()) return -1;
    const int active = model_.ActiveCursor();
    for (int i : {active, 1 - active}) {
        if (std::abs(xAxis->coordToPixel(model_.Cursor(i).X) - pixelX) <= CursorGrabPixels) return i;
    }
    return -1;
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    pressPos_ = event->position();
    pressGlobal_ = event->globalPosition().toPoint();
    pressTopLeft_ = pos();
    pressModifiers_ = event->modifiers();
    drag_ = Drag::None;
    if (event->button() == Qt::RightButton) {
        drag_ = Drag::Move;
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (event->modifiers() == Qt::ShiftModifier && model_.CursorsOn()) {
        drag_ = Drag::Edit;
        emit ShiftDragStarted();
        emit ShiftDragged(ToChart(event->position()));
        return;
    }
    dragCursor_ = CursorNear(event->position().x());
    if (dragCursor_ >= 0) {
        drag_ = Drag::Cursor;
        model_.SetActiveCursor(dragCursor_);
        return;
    }
    drag_ = Drag::Click;
    panX_ = xAxis->range();
    panY_ = yAxis->range();
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF moved = event->position() - pressPos_;
    const bool far = std::abs(moved.x()) + std::abs(moved.y()) > DragThresholdPixels;
    switch (drag_) {
    case Drag::Move:
        if (far && moveAllowed_ && moveAllowed_()) {
            const QPoint target = pressTopLeft_ + (event->globalPosition().toPoint() - pressGlobal_);
            move(std::max(target.x(), 0), std::max(target.y(), 0));
            raise();
        }
        break;
    case Drag::Edit:
        if (event->buttons() & Qt::LeftButton) emit ShiftDragged(ToChart(event->position()));
        break;
    case Drag::Cursor:
        model_.SnapCursor(dragCursor_, xAxis->pixelToCoord(event->position().x()));
        emit CursorMoved();
        break;
    case Drag::Click:
        if (far && panZoom_) drag_ = Drag::Pan;
        [[fallthrough]];
    case Drag::Pan:
        if (drag_ == Drag::Pan) {
            const double dx = xAxis->pixelToCoord(pressPos_.x()) - xAxis->pixelToCoord(event->position().x());
            const double dy = yAxis->pixelToCoord(pressPos_.y()) - yAxis->pixelToCoord(event->position().y());
            xAxis->setRange(panX_.lower + dx, panX_.upper + dx);
            yAxis->setRange(panY_.lower + dy, panY_.upper + dy);
            WriteRangesToModel();
        }
        break;
    case Drag::None:
        break;
    }
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (drag == Drag::Move && event->button() == Qt::RightButton) {
        if (pos() != pressTopLeft_) {
            emit MoveEnded(pos());
        } else {
            ShowContextMenu(event->globalPosition().toPoint());
        }
        return;
    }
    if (drag == Drag::Click && event->button() == Qt::LeftButton) {
        if (model_.CursorsOn() && !model_.Curves().empty()) {
            model_.SnapCursor(model_.ActiveCursor(), xAxis->pixelToCoord(event->position().x()));
            emit CursorMoved();
        }
        emit Clicked(ToChart(event->position()), pressModifiers_);
    }
}

void ChartView::wheelEvent(QWheelEvent* event) {
    if (!panZoom_) return QCustomPlot::wheelEvent(event);
    const double steps = event->angleDelta().y() / 120.0;
    const double factor = std::pow(0.85, steps);
    const auto at = ToChart(event->position());
    xAxis->scaleRange(factor, at.x());
    yAxis->scaleRange(factor, at.y());
    WriteRangesToModel();
    event->accept();
}

void ChartView::resizeEvent(QResizeEvent* event) {
    // A short chart gets fewer value labels, so they never run into each other.
    const int plotHeight = height() - toolBar_->height() - 3 * fontMetrics().height();
    yAxis->ticker()->setTickCount(std::clamp(plotHeight / (2 * fontMetrics().height()), 2, 5));
    QCustomPlot::resizeEvent(event);
    SyncRanges(); // keeps fixed aspect ratios right for the new size
}

void ChartView::WriteRangesToModel() {
    ChartUpdate update(model_);
    model_.SetXRange(FromAxis(xAxis));
    model_.SetYRange(FromAxis(yAxis));
}

void ChartView::ShowContextMenu(QPoint globalPos) {
    QMenu menu(this);
    menu.addAction(tr("Save as &PNG..."), this, [this] { ExportTo("PNG image", "png"); });
    menu.addAction(tr("Save as P&DF..."), this, [this] { ExportTo("PDF document", "pdf"); });
    menu.addAction(tr("Save as &SVG..."), this, [this] { ExportTo("SVG drawing", "svg"); });
    menu.addAction(tr("P&rint..."), this, [this] { Print(); });
    if (panZoom_) {
        menu.addSeparator();
        menu.addAction(tr("Reset &view"), this, [this] { model_.Autoscale(); });
    }
    menu.exec(globalPos);
}

void ChartView::ExportTo(const char* label, const char* extension) {
    FileDialogRequest request;
    request.Title = "Save Chart";
    request.Filter = std::string(label) + "|*." + extension + "|";
    request.DefaultExtension = extension;
    request.InitialPath = model_.Title() + "." + extension;
    const auto file = prompter_.SaveFile(request);
    if (file.empty()) return;
    if (!SaveAs(QString::fromStdString(file))) prompter_.Message("The chart could not be saved to " + file);
}

bool ChartView::SaveAs(const QString& fileName) {
    const QString lower = fileName.toLower();
    if (lower.endsWith(".pdf")) return savePdf(fileName);
    if (lower.endsWith(".svg")) {
        QSvgGenerator generator;
        generator.setFileName(fileName);
        generator.setSize(size());
        generator.setViewBox(rect());
        generator.setTitle(QString::fromStdString(model_.Title()));
        QCPPainter painter;
        if (!painter.begin(&generator)) return false;
        toPainter(&painter, width(), height());
        return painter.end();
    }
    if (lower.endsWith(".jpg") || lower.endsWith(".jpeg")) return saveJpg(fileName);
    if (lower.endsWith(".bmp")) return saveBmp(fileName);
    return savePng(fileName);
}

void ChartView::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QCPPainter painter;
    if (!painter.begin(&printer)) return;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = std::min(page.width() / width(), page.height() / height());
    painter.scale(scale, scale);
    toPainter(&painter, width(), height());
    painter.end();
}

} // namespace tolvanor::ui
