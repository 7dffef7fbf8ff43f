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

bool PlanLinesPlottable::CacheValid(double xScale, double xOffset, double yScale, double yOffset) const noexcept {
    return cachedGeneration_ == model_.CurvesGeneration() && cachedMap_ == std::array{xScale, xOffset, yScale, yOffset};
}

void PlanLinesPlottable::Rebuild(double xScale, double xOffset, double yScale, double yOffset) {
    pixels_.clear();
    starts_.clear();
    for (const auto& curve : model_.Curves()) {
        starts_.push_back(pixels_.size());
        if (markedOnly_ && !curve.Marked) continue; // the mark layer reduces only what it draws
        int lastX = std::numeric_limits<int>::min();
        int lastY = lastX;
        const auto first = pixels_.size();
        for (std::size_t i = 0; i < curve.Count(); ++i) {
            const int px = ToPixel(xScale * (curve.X[i] + curve.XOffset) + xOffset);
            const int py = ToPixel(yScale * (curve.Y[i] + curve.YOffset) + yOffset);
            if (px == lastX && py == lastY) continue;
            pixels_.emplace_back(px, py);
            lastX = px;
            lastY = py;
        }
        if (pixels_.size() == first + 1) pixels_.push_back(pixels_.back() + QPoint(1, 0));
    }
    starts_.push_back(pixels_.size());
    cachedGeneration_ = model_.CurvesGeneration();
    cachedMap_ = {xScale, xOffset, yScale, yOffset};
}

void PlanLinesPlottable::draw(QCPPainter* painter) {
    const auto x = MapOf(keyAxis());
    const auto y = MapOf(valueAxis());
    const auto& curves = model_.Curves();
    if (markedOnly_ || !CacheValid(x.Scale, x.Offset, y.Scale, y.Offset) || starts_.size() != curves.size() + 1)
        Rebuild(x.Scale, x.Offset, y.Scale, y.Offset);
    painter->setPen(markedOnly_ ? QPen(QColor(220, 0, 0), 3) : QPen(QColor(70, 110, 170), 1));
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const auto& curve = curves[c];
        if (!curve.Enabled || (markedOnly_ && !curve.Marked)) continue;
        const auto begin = starts_[c];
        const auto count = starts_[c + 1] - begin;
        if (count > 0) painter->drawPolyline(pixels_.data() + begin, static_cast<int>(count));
    }
}

void PlanLinesPlottable::drawLegendIcon(QCPPainter*, const QRectF&) const {}

} // namespace tolvanor::ui
