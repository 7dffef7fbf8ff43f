// SPDX-License-Identifier: GPL-3.0-or-later
// The profile editor must read whole at the sizes users open it at: the
// first-run size (the narrowest the window may be), 1280 x 900 and
// 1600 x 1000, in the normal arrangement, with one chart enlarged and with
// the command frames hidden. A caption that no longer fits its control, a
// chart squeezed below a usable size or two parts of the window on top of
// each other fail here, so a crowded layout cannot come back unnoticed.
#include "core/Job.h"
#include "core/MemorySettingsStore.h"
#include "editor/DataEditor.h"
#include "editor/EditorLayout.h"
#include "input/LoadCommands.h"
#include "support/ScriptedPrompter.h"
#include "ui/editor/ChartView.h"
#include "ui/editor/DataEditWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace tolvanor;

namespace {

// Below these a chart shows no usable curve between its labels.
constexpr int MinimumChartWidth = 200;
constexpr int MinimumChartHeight = 75;
constexpr int MinimumPlotWidth = 120;
constexpr int MinimumPlotHeight = 25;

enum class Arrangement { Normal, BigPlot, ControlsHidden };

QString Describe(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The caption of a control as the user reads it, or empty when it has none.
QString Caption(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Arrangement)

class EditorWindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        job_ = std::make_unique<Job>();
        prompter_ = std::make_unique<testing::ScriptedPrompter>();
        settings_ = std::make_unique<MemorySettingsStore>();
        settings_->Save("WindowState", "0");
        editor_ = std::make_unique<DataEditor>(*job_, *prompter_);
        window_ = std::make_unique<ui::DataEditWindow>(*job_, *editor_, *prompter_, *settings_);
        ReadOptions options;
        options.SourceFileName = TOLVANOR_SAMPLES "/survey.tvn";
        options.DataType = 5;
        QCOMPARE(NewFile(*job_, options, *prompter_).Outcome, LoadOutcome::Loaded);
        editor_->Options().StartingPointFile = TOLVANOR_SAMPLES "/survey.spf";
        editor_->RefreshDataEdit();
        window_->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        editor_->SetPlotLineSelected(3, true); // neighbours and one more line drawn, as on a working day
        editor_->PlotData(0);
        window_->SyncFromCore();
    }

    void cleanup() {
        window_.reset();
        editor_.reset();
        settings_.reset();
        prompter_.reset();
        job_.reset();
    }

    void fitsAtEverySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Arrangement>("arrangement");
        // The first-run size: the narrowest width the window allows, 10000 twips tall.
        const QSize firstRun(MinimumEditorWidth * 96 / 1440, 10000 * 96 / 1440);
        const std::pair<const char*, QSize> sizes[] = {
            {"first run", firstRun}, {"1280x900", {1280, 900}}, {"1600x1000", {1600, 1000}}};
        const std::pair<const char*, Arrangement> arrangements[] = {{"normal", Arrangement::Normal},
                                                                    {"big plot", Arrangement::BigPlot},
                                                                    {"controls hidden", Arrangement::ControlsHidden}};
        for (const auto& [sizeName, size] : sizes)
            for (const auto& [arrangementName, arrangement] : arrangements)
                QTest::addRow("%s, %s", sizeName, arrangementName) << size << arrangement;
    }
    void fitsAtEverySize() {
        QFETCH(QSize, size);
        QFETCH(Arrangement, arrangement);
        Arrange(size, arrangement);
        // Every caption reads whole.
        int checked = 0;
        for (auto* widget : window_->findChildren<QWidget*>()) {
            if (!widget->isVisible() || Caption(widget).isEmpty()) continue;
            ++checked;
            QVERIFY2(widget->sizeHint().width() <= widget->width(),
                     qPrintable(Describe(widget) + " \"" + Caption(widget) + "\" is cut: needs " +
                                QString::number(widget->sizeHint().width()) + ", has " +
                                QString::number(widget->width())));
        }
        QVERIFY(checked > 10);
        for (auto* box : window_->findChildren<QGroupBox*>()) {
            if (!box->isVisible() || box->title().isEmpty()) continue;
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->title()) + 12 <= box->width(), qPrintable(box->title()));
        }
        for (auto* tabs : window_->findChildren<QTabBar*>()) {
            if (!tabs->isVisible()) continue;
            for (int i = 0; i < tabs->count(); ++i)
                QVERIFY2(tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) + 8 <= tabs->tabRect(i).width() &&
                             tabs->tabRect(i).right() < tabs->width(),
                         qPrintable(tabs->tabText(i)));
        }

        // Every chart keeps a usable size inside the window.
        const auto charts = ShownCharts();
        QCOMPARE(static_cast<int>(charts.size()), PlotCount);
        for (auto* chart : charts) {
            chart->replot();
            const QRect plot = chart->axisRect()->rect();
            const QString name = Describe(chart) + " " + QString::number(chart->width()) + "x" +
                                 QString::number(chart->height()) + ", plot " + QString::number(plot.width()) + "x" +
                                 QString::number(plot.height());
            QVERIFY2(chart->width() >= MinimumChartWidth && chart->height() >= MinimumChartHeight, qPrintable(name));
            QVERIFY2(plot.width() >= MinimumPlotWidth && plot.height() >= MinimumPlotHeight, qPrintable(name));
            QVERIFY2(!chart->xAxis->label().isEmpty() && !chart->yAxis->label().isEmpty(), qPrintable(name));
            QVERIFY2(window_->centralWidget()->rect().contains(chart->geometry()),
                     qPrintable(name + " leaves the window"));
        }

        // The parts of the window, and the frames of the command band among
        // themselves, do not overlap.
        std::vector<QWidget*> parts;
        const auto bigChart = window_->Chart(window_->Layout().BigChart());
        for (auto* child : window_->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isVisible() || child->objectName() == "lblLineIgnored")
                continue;                                                           // the label lies behind the grid
            if (arrangement == Arrangement::BigPlot && child == bigChart) continue; // in front of the others on purpose
            parts.push_back(child);
        }
        QVERIFY(parts.size() >= 5);
        const auto checkApart = [](const std::vector<QWidget*>& widgets) {
            for (std::size_t a = 0; a < widgets.size(); ++a)
                for (std::size_t b = a + 1; b < widgets.size(); ++b)
                    QVERIFY2(!widgets[a]->geometry().intersects(widgets[b]->geometry()),
                             qPrintable(Describe(widgets[a]) + " overlaps " + Describe(widgets[b])));
        };
        checkApart(parts);
        std::vector<QWidget*> frames;
        for (auto* child : window_->ControlsFrame()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible()) frames.push_back(child);
        checkApart(frames);
        for (auto* frame : frames)
            QVERIFY2(window_->ControlsFrame()->rect().contains(frame->geometry()),
                     qPrintable(Describe(frame) + " leaves the command band"));
    }

    void theGridKeepsItsFirstColumnsInView() {
        Arrange(QSize(MinimumEditorWidth * 96 / 1440, 10000 * 96 / 1440), Arrangement::Normal);
        auto* grid = window_->GridView();
        // Narrowed to leave the charts their room, it scrolls sideways but starts
        // at its first column and shows the elevations whole.
        QCOMPARE(grid->columnAt(0), 0);
        const int elevation = 4;
        QVERIFY(grid->columnViewportPosition(elevation) + grid->columnWidth(elevation) <= grid->viewport()->width());
        QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
        window_->resize(1600, 1000);
        QApplication::processEvents();
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0); // every column in view once the window is wide enough
    }

    void commandFramesGoBehindTabsOnlyWhenShort() {
        const char* const frames[] = {"fraLineActions", "fraShotActions", "fraTemplate"};
        const auto* tabs = window_->findChild<QTabWidget*>("tabActions");
        QVERIFY(tabs != nullptr);
        for (int round = 0; round < 2; ++round) {
            Arrange(QSize(1600, 1000), Arrangement::Normal);
            QVERIFY(!tabs->isVisible());
            for (const char* name : frames) {
                const auto* frame = window_->findChild<QGroupBox*>(name);
                QVERIFY2(frame->isVisible() && !frame->title().isEmpty(), name);
            }
            Arrange(QSize(MinimumEditorWidth * 96 / 1440, 10000 * 96 / 1440), Arrangement::Normal);
            QVERIFY(tabs->isVisible());
            QCOMPARE(tabs->count(), 3);
            for (int i = 0; i < tabs->count(); ++i) {
                auto* frame = qobject_cast<QGroupBox*>(tabs->widget(i));
                QVERIFY(frame != nullptr);
                QCOMPARE(frame->objectName(), QString::fromLatin1(frames[i]));
                QCOMPARE(tabs->tabText(i), frame->accessibleName()); // the caption moves to the tab
                QCOMPARE(frame->isVisible(), i == tabs->currentIndex());
            }
        }
    }

private:
    void Arrange(QSize size, Arrangement arrangement) {
        window_->resize(size);
        if (arrangement == Arrangement::BigPlot) window_->findChild<QAction*>("mnuShowBigPlot")->trigger();
        if (arrangement == Arrangement::ControlsHidden) window_->findChild<QAction*>("mnuShowControls")->trigger();
        QTest::qWait(50);
        QApplication::processEvents();
    }

    std::vector<ui::ChartView*> ShownCharts() const {
        std::vector<ui::ChartView*> charts;
        for (int id = 0; id < PlotCount; ++id) {
            auto* chart = window_->Chart(static_cast<PlotId>(id));
            if (chart->isVisible()) charts.push_back(chart);
        }
        return charts;
    }

    std::unique_ptr<Job> job_;
    std::unique_ptr<testing::ScriptedPrompter> prompter_;
    std::unique_ptr<MemorySettingsStore> settings_;
    std::unique_ptr<DataEditor> editor_;
    std::unique_ptr<ui::DataEditWindow> window_;
};

QTEST_MAIN(EditorWindowFitTest)
#include "EditorWindowFitTest.moc"
