// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <array>
#include <cstdint>
#include <vector>

namespace tolvanor {
class ChartModel;
}

namespace tolvanor::ui {

// Every line of the plan view in one plottable, drawn as polylines reduced
// to the pixel grid: of a run of points that fall on the same pixel only the
// first is drawn. A full job has a thousand lines of three thousand shots,
// far more points than the chart has pixels, so this keeps a replot within
// a frame while looking the same.
class PlanLinesPlottable : public QCPAbstractPlottable {
    Q_OBJECT
public:
    PlanLinesPlottable(const ChartModel& model, QCPAxis* keyAxis, QCPAxis* valueAxis);

    double selectTest(const QPointF& pos, bool onlySelectable, QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

    // Draw only the marked curve (the layer above) or every curve.
    void SetMarkedOnly(bool markedOnly) noexcept { markedOnly_ = markedOnly; }

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    // The reduced polylines of the last draw, kept while the curves and the
    // axes stay as they were: a replot then only paints.
    bool CacheValid(double xScale, double xOffset, double yScale, double yOffset) const noexcept;
    void Rebuild(double xScale, double xOffset, double yScale, double yOffset);

    const ChartModel& model_;
    bool markedOnly_ = false;
    std::vector<QPoint> pixels_;      // every curve's pixels, back to back
    std::vector<std::size_t> starts_; // where each curve's pixels begin (one more at the end)
    std::uint64_t cachedGeneration_ = ~std::uint64_t{0};
    std::array<double, 4> cachedMap_{};
};

} // namespace tolvanor::ui
