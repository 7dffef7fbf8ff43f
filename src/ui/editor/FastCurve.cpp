// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/FastCurve.h"

#include <algorithm>
#include <cmath>

namespace tolvanor::ui {

namespace {

// The pixels of one column: its first, lowest, highest and last point.
struct Column {
    double X = 0;
    double First = 0;
    double Low = 0;
    double High = 0;
    double Last = 0;
    bool Open = false;
};

void Close(Column& column, std::vector<QPointF>& out) {
    if (!column.Open) return;
    out.emplace_back(column.X, column.First);
    if (column.Low != column.First && column.Low != column.Last) out.emplace_back(column.X, column.Low);
    if (column.High != column.First && column.High != column.Last) out.emplace_back(column.X, column.High);
    if (column.Last != column.First) out.emplace_back(column.X, column.Last);
    column.Open = false;
}

} // namespace

FastCurve::FastCurve(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPAbstractPlottable(keyAxis, valueAxis) {
    setSelectable(QCP::stNone);
    // Smoothing a jagged sounder trace costs tens of milliseconds a chart.
    setAntialiased(false);
}

void FastCurve::SetPoints(std::vector<QPointF> points) {
    points_ = std::move(points);
}

double FastCurve::selectTest(const QPointF&, bool, QVariant*) const {
    return -1;
}

QCPRange FastCurve::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    foundRange = !points_.empty();
    if (!foundRange) return {};
    const auto [low, high] =
        std::minmax_element(points_.begin(), points_.end(), [](auto& a, auto& b) { return a.x() < b.x(); });
    return {low->x(), high->x()};
}

QCPRange FastCurve::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    foundRange = !points_.empty();
    if (!foundRange) return {};
    const auto [low, high] =
        std::minmax_element(points_.begin(), points_.end(), [](auto& a, auto& b) { return a.y() < b.y(); });
    return {low->y(), high->y()};
}

void FastCurve::draw(QCPPainter* painter) {
    if (points_.empty()) return;
    const QCPAxis* x = keyAxis();
    const QCPAxis* y = valueAxis();
    pixels_.clear();
    Column column;
    for (const auto& point : points_) {
        const double px = std::round(std::clamp(x->coordToPixel(point.x()), -1.0e6, 1.0e6));
        const double py = std::clamp(y->coordToPixel(point.y()), -1.0e6, 1.0e6);
        if (!column.Open || px != column.X) {
            Close(column, pixels_);
            column = {px, py, py, py, py, true};
            continue;
        }
        column.Low = std::min(column.Low, py);
        column.High = std::max(column.High, py);
        column.Last = py;
    }
    Close(column, pixels_);
    if (pixels_.size() == 1) pixels_.push_back(pixels_.front() + QPointF(1, 0));
    applyDefaultAntialiasingHint(painter);
    painter->setBrush(Qt::NoBrush);
    // A wide pen strokes every turn of a jagged trace; thin lines side by
    // side draw the same width on the fast path.
    QPen thin = pen();
    const int width = std::max(1, static_cast<int>(std::lround(thin.widthF())));
    thin.setWidth(1);
    painter->setPen(thin);
    for (int pass = 0; pass < width; ++pass) {
        const QPointF shift(pass % 2 == 1 ? 1.0 : 0.0, pass >= 2 ? 1.0 : 0.0);
        if (pass > 0) painter->translate(shift);
        painter->drawPolyline(pixels_.data(), static_cast<int>(pixels_.size()));
        if (pass > 0) painter->translate(-shift);
    }
}

void FastCurve::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(pen());
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

} // namespace tolvanor::ui
