// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/PlanLinesPlottable.h"

#include "editor/ChartModel.h"

#include <algorithm>
#include <limits>

namespace tolvanor::ui {

namespace {

// Pixel = scale * coordinate + offset along one linear axis.
struct AxisMap {
    double Scale = 1;
    double Offset = 0;
};

AxisMap MapOf(const QCPAxis* axis) {
    const auto range = axis->range();
    const double low = axis->coordToPixel(range.lower);
    const double high = axis->coordToPixel(range.upper);
    AxisMap map;
    map.Scale = range.size() > 0 ? (high - low) / range.size() : 0;
    map.Offset = low - map.Scale * range.lower;
    return map;
}

// Far outside the widget but well inside int: the painter clips the rest.
int ToPixel(double value) {
    return static_cast<int>(std::clamp(value, -1.0e6, 1.0e6));
}

} // namespace

PlanLinesPlottable::PlanLinesPlottable(const ChartModel& model, QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(keyAxis, valueAxis), model_(model) {
    setSelectable(QCP::stNone);
    setAntialiased(false);
}

double PlanLinesPlottable::selectTest(const QPointF&, bool, QVariant*) const {
    return -1;
}

QCPRange PlanLinesPlottable::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    foundRange = false;
    return {};
}

QCPRange PlanLinesPlottable::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    foundRange = false;
    return {};
}

void PlanLinesPlottable::draw(QCPPainter* painter) {
    const auto x = MapOf(keyAxis());
    const auto y = MapOf(valueAxis());
    const QPen plain(QColor(70, 110, 170), 1);
    QPen marked(QColor(220, 0, 0), 3);
    for (const auto& curve : model_.Curves()) {
        if (!curve.Enabled || curve.Count() == 0 || (markedOnly_ && !curve.Marked)) continue;
        pixels_.clear();
        int lastX = std::numeric_limits<int>::min();
        int lastY = lastX;
        const double dx = curve.XOffset;
        const double dy = curve.YOffset;
        for (std::size_t i = 0; i < curve.Count(); ++i) {
            const int px = ToPixel(x.Scale * (curve.X[i] + dx) + x.Offset);
            const int py = ToPixel(y.Scale * (curve.Y[i] + dy) + y.Offset);
            if (px == lastX && py == lastY) continue;
            pixels_.emplace_back(px, py);
            lastX = px;
            lastY = py;
        }
        if (pixels_.size() == 1) pixels_.push_back(pixels_.front() + QPoint(1, 0));
        painter->setPen(markedOnly_ ? marked : plain);
        painter->drawPolyline(pixels_.data(), static_cast<int>(pixels_.size()));
    }
}

void PlanLinesPlottable::drawLegendIcon(QCPPainter*, const QRectF&) const {}

} // namespace tolvanor::ui
