// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ChartModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvanor {

namespace {

// Blue-green-red values: a strong blue for the line in hand, then colours
// that stay apart from it and from each other.
constexpr std::int32_t Palette[] = {0xB04000, 0x0060E0, 0x20A020, 0x9000A0, 0x204080, 0x808000, 0x808080, 0x008080};

// The low and high of a set of values, with a little room on both sides; a
// flat set gets one unit of room so its axis still has a length.
AxisRange Padded(double low, double high, bool reversed) {
    double pad = (high - low) * 0.05;
    if (pad <= 0) pad = std::max(1.0, std::abs(low) * 0.05);
    low -= pad;
    high += pad;
    return reversed ? AxisRange{high, low} : AxisRange{low, high};
}

template <typename Visit> void ForEachShownCurve(const ChartModel& chart, Visit&& visit) {
    for (const auto* set : {&chart.Curves(), &chart.Overlays()}) {
        for (const auto& curve : *set) {
            if (curve.Enabled && curve.Count() > 0) visit(curve);
        }
    }
}

} // namespace

ChartModel::ChartModel(std::string title, std::string xTitle, std::string yTitle)
    : title_(std::move(title)), xTitle_(std::move(xTitle)), yTitle_(std::move(yTitle)) {}

ChartCurve& ChartModel::AddCurve(std::string_view name, std::span<const double> x, std::span<const double> y,
                                 std::int32_t colour) {
    auto& curve = curves_.emplace_back();
    curve.Name = name;
    const auto count = std::min(x.size(), y.size());
    curve.X.assign(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count));
    curve.Y.assign(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
    curve.Colour = colour;
    curve.Order = nextOrder_++;
    Notify(ChartCurvesChanged);
    return curve;
}

ChartCurve* ChartModel::FindCurve(std::string_view name) noexcept {
    auto it = std::find_if(curves_.begin(), curves_.end(), [name](const ChartCurve& c) { return c.Name == name; });
    return it == curves_.end() ? nullptr : &*it;
}

const ChartCurve* ChartModel::FindCurve(std::string_view name) const noexcept {
    return const_cast<ChartModel*>(this)->FindCurve(name);
}

void ChartModel::RemoveCurves() {
    curves_.clear();
    nextOrder_ = 0;
    Notify(ChartCurvesChanged);
}

ChartCurve& ChartModel::SetCurvePoints(std::string_view name, std::span<const double> x, std::span<const double> y) {
    auto* curve = FindCurve(name);
    if (curve == nullptr) return AddCurve(name, x, y);
    const auto count = std::min(x.size(), y.size());
    // A line passing through the grid unchanged leaves its view alone.
    if (curve->Count() == count &&
        std::equal(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count), curve->X.begin()) &&
        std::equal(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count), curve->Y.begin()))
        return *curve;
    curve->X.assign(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count));
    curve->Y.assign(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
    Notify(ChartCurvesChanged);
    return *curve;
}

ChartCurve& ChartModel::AddOverlay(std::string_view name, std::span<const double> x, std::span<const double> y,
                                   std::int32_t colour) {
    auto& curve = overlays_.emplace_back();
    curve.Name = name;
    const auto count = std::min(x.size(), y.size());
    curve.X.assign(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count));
    curve.Y.assign(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
    curve.Colour = colour;
    Notify(ChartCurvesChanged);
    return curve;
}

ChartCurve* ChartModel::FindOverlay(std::string_view name) noexcept {
    auto it = std::find_if(overlays_.begin(), overlays_.end(), [name](const ChartCurve& c) { return c.Name == name; });
    return it == overlays_.end() ? nullptr : &*it;
}

void ChartModel::RemoveOverlay(std::string_view name) {
    std::erase_if(overlays_, [name](const ChartCurve& c) { return c.Name == name; });
    Notify(ChartCurvesChanged);
}

void ChartModel::RemoveOverlays() {
    overlays_.clear();
    Notify(ChartCurvesChanged);
}

void ChartModel::MarkOnly(std::string_view name) {
    for (auto& curve : curves_) curve.Marked = curve.Name == name;
    Notify(ChartStyleChanged);
}

void ChartModel::SetXRange(AxisRange range) {
    x_ = range;
    Notify(ChartRangeChanged);
    for (auto* other : coupled_) {
        if (other == this) continue;
        other->x_ = range;
        other->Notify(ChartRangeChanged);
    }
}

void ChartModel::SetYRange(AxisRange range) {
    y_ = range;
    Notify(ChartRangeChanged);
}

void ChartModel::Autoscale() {
    double xLow = std::numeric_limits<double>::infinity();
    double xHigh = -xLow;
    double yLow = xLow;
    double yHigh = -xLow;
    ForEachShownCurve(*this, [&](const ChartCurve& curve) {
        for (std::size_t i = 0; i < curve.Count(); ++i) {
            xLow = std::min(xLow, curve.X[i] + curve.XOffset);
            xHigh = std::max(xHigh, curve.X[i] + curve.XOffset);
            yLow = std::min(yLow, curve.Y[i] + curve.YOffset);
            yHigh = std::max(yHigh, curve.Y[i] + curve.YOffset);
        }
    });
    if (xLow > xHigh) return; // nothing to fit: the axes stay
    BeginUpdate();
    SetXRange(Padded(xLow, xHigh, x_.Reversed()));
    SetYRange(Padded(yLow, yHigh, y_.Reversed()));
    EndUpdate();
}

void ChartModel::AutoscaleY() {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    ForEachShownCurve(*this, [&](const ChartCurve& curve) {
        for (double y : curve.Y) {
            low = std::min(low, y + curve.YOffset);
            high = std::max(high, y + curve.YOffset);
        }
    });
    if (low <= high) SetYRange(Padded(low, high, y_.Reversed()));
}

void ChartModel::SetCursorsOn(bool on) {
    cursorsOn_ = on;
    Notify(ChartCursorsChanged);
}

void ChartModel::SetActiveCursor(int index) {
    activeCursor_ = index == 0 ? 0 : 1;
    Notify(ChartCursorsChanged);
}

void ChartModel::SetCursor(int index, double x, double y) {
    auto& cursor = cursors_[index == 0 ? 0 : 1];
    cursor.X = x;
    cursor.Y = y;
    cursor.PointIndex = -1;
    if (!curves_.empty()) {
        // Positions come from the grid's texts, rounded to a tenth at most.
        constexpr double tolerance = 0.05 + 1e-9;
        const auto& first = curves_.front();
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < first.Count(); ++i) {
            const double dx = std::abs(first.X[i] - x);
            const double dy = std::abs(first.Y[i] - y);
            if (dx > tolerance || dy > tolerance || dx + dy >= best) continue;
            best = dx + dy;
            cursor.PointIndex = static_cast<int>(i);
        }
    }
    Notify(ChartCursorsChanged);
}

void ChartModel::SnapCursor(int index, double x) {
    const int point = NearestPointByX(x);
    if (point < 0) return;
    const auto& first = curves_.front();
    auto& cursor = cursors_[index == 0 ? 0 : 1];
    cursor.X = first.X[static_cast<std::size_t>(point)];
    cursor.Y = first.Y[static_cast<std::size_t>(point)];
    cursor.PointIndex = point;
    Notify(ChartCursorsChanged);
}

void ChartModel::SetLegendShown(bool shown) {
    legend_ = shown;
    Notify(ChartLegendChanged);
}

int ChartModel::NearestPointByX(double x) const noexcept {
    if (curves_.empty()) return -1;
    const auto& first = curves_.front();
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < first.Count(); ++i) {
        const double distance = std::abs(first.X[i] - x);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int ChartModel::NearestCurve(double x, double y, double xScale, double yScale, double tolerance) const noexcept {
    int best = -1;
    double bestDistance = tolerance * tolerance;
    for (std::size_t c = 0; c < curves_.size(); ++c) {
        const auto& curve = curves_[c];
        if (!curve.Enabled) continue;
        for (std::size_t i = 0; i < curve.Count(); ++i) {
            const double dx = (curve.X[i] + curve.XOffset - x) * xScale;
            const double dy = (curve.Y[i] + curve.YOffset - y) * yScale;
            const double distance = dx * dx + dy * dy;
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = static_cast<int>(c);
            }
        }
    }
    return best;
}

int ChartModel::AddObserver(Observer observer) {
    observers_.push_back({nextObserverId_, std::move(observer)});
    return nextObserverId_++;
}

void ChartModel::RemoveObserver(int id) {
    std::erase_if(observers_, [id](const Listener& l) { return l.Id == id; });
}

void ChartModel::EndUpdate() {
    if (updateDepth_ > 0) --updateDepth_;
    if (updateDepth_ == 0 && pending_ != 0) {
        const unsigned changes = pending_;
        pending_ = 0;
        Notify(changes);
    }
}

void ChartModel::Notify(unsigned changes) {
    if (changes & ChartCurvesChanged) ++generation_;
    if (updateDepth_ > 0) {
        pending_ |= changes;
        return;
    }
    for (auto& listener : observers_) listener.Call(changes);
}

std::int32_t ChartModel::DefaultColour(int order) noexcept {
    constexpr int count = static_cast<int>(std::size(Palette));
    return Palette[((order % count) + count) % count];
}

} // namespace tolvanor
