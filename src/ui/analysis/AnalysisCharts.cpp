// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/AnalysisCharts.h"

#include "ui/common/QtText.h"

#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace tolvanor::ui {

namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();
// Beyond this many lines the profile numbers would run into each other.
constexpr std::size_t MostNamedTicks = 40;

enum AreaGraph { AreaCurve, AreaCurrent };
enum ProfileGraph { ProfileCurve, TemplateCurve, DatumLine, ContourPlaces };

QCPGraph* AddGraph(QCustomPlot& plot, const QString& name, const QPen& pen, QCPScatterStyle scatter,
                   QCPGraph::LineStyle line = QCPGraph::lsLine) {
    QCPGraph* graph = plot.addGraph();
    graph->setName(name);
    graph->setPen(pen);
    graph->setScatterStyle(scatter);
    graph->setLineStyle(line);
    return graph;
}

bool HasArea(const LineFigures& line) {
    return line.State == LineState::Analysed;
}

void SetProfileTicks(QCustomPlot& plot, const AnalysisResult& result) {
    if (result.Lines.size() > MostNamedTicks) {
        plot.xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
        return;
    }
    QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
    for (std::size_t i = 0; i < result.Lines.size(); ++i)
        ticker->addTick(static_cast<double>(i + 1), TextToQt(result.Lines[i].Profile));
    plot.xAxis->setTicker(ticker);
}

} // namespace

void SetUpAreaChart(QCustomPlot& plot) {
    plot.xAxis->setLabel(QStringLiteral("Profile"));
    plot.yAxis->setLabel(QStringLiteral("Area above datum"));
    AddGraph(plot, QStringLiteral("Area above datum"), QPen(QColor(30, 90, 170), 1.5),
             QCPScatterStyle(QCPScatterStyle::ssDisc, 5));
    AddGraph(plot, QStringLiteral("Current line"), QPen(Qt::red), QCPScatterStyle(QCPScatterStyle::ssCircle, 11),
             QCPGraph::lsNone);
    plot.legend->setVisible(false);
}

void SetUpProfileChart(QCustomPlot& plot) {
    plot.xAxis->setLabel(QStringLiteral("Distance down range"));
    plot.yAxis->setLabel(QStringLiteral("Elevation"));
    AddGraph(plot, QStringLiteral("Profile"), QPen(QColor(30, 90, 170), 1.5), QCPScatterStyle::ssNone);
    AddGraph(plot, QStringLiteral("Template"), QPen(QColor(0, 130, 60), 1.5, Qt::DashLine), QCPScatterStyle::ssNone);
    AddGraph(plot, QStringLiteral("Datum"), QPen(Qt::gray, 1, Qt::DashDotLine), QCPScatterStyle::ssNone);
    AddGraph(plot, QStringLiteral("Contours: first and last"), QPen(Qt::red, 2),
             QCPScatterStyle(QCPScatterStyle::ssCross, 10), QCPGraph::lsNone);
    plot.legend->setVisible(true);
    plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
}

void DrawAreaAlongShore(QCustomPlot& plot, const AnalysisResult& result, std::size_t current) {
    QVector<double> x;
    QVector<double> y;
    for (std::size_t i = 0; i < result.Lines.size(); ++i) {
        x.push_back(static_cast<double>(i + 1));
        y.push_back(HasArea(result.Lines[i]) ? result.Lines[i].AreaAboveDatum : Gap);
    }
    plot.graph(AreaCurve)->setData(x, y, true);
    QVector<double> cx;
    QVector<double> cy;
    if (current < result.Lines.size() && HasArea(result.Lines[current])) {
        cx.push_back(static_cast<double>(current + 1));
        cy.push_back(result.Lines[current].AreaAboveDatum);
    }
    plot.graph(AreaCurrent)->setData(cx, cy, true);
    SetProfileTicks(plot, result);
    plot.rescaleAxes();
    plot.xAxis->setRange(0.5, static_cast<double>(result.Lines.size()) + 0.5);
    // From 0 (or below), with room above the highest mark.
    const double lower = std::min(0.0, plot.yAxis->range().lower);
    const double upper = plot.yAxis->range().upper;
    plot.yAxis->setRange(lower, upper + std::max(1.0, upper - lower) * 0.08);
    plot.replot();
}

void DrawProfileFigures(QCustomPlot& plot, std::span<const ProfilePoint> profile,
                        const std::vector<ProfilePoint>* design, const LineFigures& figures,
                        const AnalysisOptions& options) {
    const auto fill = [&plot](int graph, std::span<const ProfilePoint> points) {
        QVector<double> x;
        QVector<double> y;
        for (const ProfilePoint& p : points) x.push_back(p.Distance), y.push_back(p.Elevation);
        plot.graph(graph)->setData(x, y, true);
    };
    fill(ProfileCurve, profile);
    fill(TemplateCurve, design != nullptr ? std::span<const ProfilePoint>(*design) : std::span<const ProfilePoint>());
    std::vector<ProfilePoint> datum;
    std::vector<ProfilePoint> places;
    if (!profile.empty()) {
        const double level = LevelAsStored(options.Datum);
        datum = {{profile.front().Distance, level}, {profile.back().Distance, level}};
        for (const ContourCrossings& contour : figures.Contours) {
            if (contour.Count == 0) continue;
            places.push_back({contour.First, contour.Elevation});
            if (contour.Last != contour.First) places.push_back({contour.Last, contour.Elevation});
        }
    }
    fill(DatumLine, datum);
    fill(ContourPlaces, places);
    plot.graph(DatumLine)->setName(QStringLiteral("Datum ") + QString::number(LevelAsStored(options.Datum)));
    plot.rescaleAxes();
    plot.yAxis->scaleRange(1.1, plot.yAxis->range().center());
    plot.replot();
}

} // namespace tolvanor::ui
