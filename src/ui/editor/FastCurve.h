// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <vector>

namespace tolvanor::ui {

// A polyline plottable for long profile curves. Points are joined in the
// order given; a run of points that fall into one pixel column is drawn as
// that column's first, lowest, highest and last point, which looks the same
// as drawing every point and keeps a replot of a full line well under a
// millisecond.
class FastCurve : public QCPAbstractPlottable {
    Q_OBJECT
public:
    FastCurve(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Takes the points (chart coordinates) in drawing order.
    void SetPoints(std::vector<QPointF> points);
    const std::vector<QPointF>& Points() const noexcept { return points_; }

    double selectTest(const QPointF& pos, bool onlySelectable, QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    std::vector<QPointF> points_;
    std::vector<QPointF> pixels_;
};

} // namespace tolvanor::ui
