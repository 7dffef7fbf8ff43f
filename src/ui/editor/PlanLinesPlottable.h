// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

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
    const ChartModel& model_;
    bool markedOnly_ = false;
    std::vector<QPoint> pixels_;
};

} // namespace tolvanor::ui
