// SPDX-License-Identifier: GPL-3.0-or-later
// The profile editor window driven as a user drives it, on the sample job
// loaded through the main window: the grid shows the core's grid, lines
// change from the keyboard, grid rows and chart cursors follow each other,
// a chart edit reaches the job through "Update Grid", and the settings keys
// are written.
#include "EditorWindowHarness.h"
#include "ui/editor/ChartView.h"
#include "ui/editor/EditorCharts.h"

#include <QLabel>

using namespace tolvanor;
using Col = LineDataColumn;

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class DataEditWindowTest : public QObject {
    Q_OBJECT

    testing::EditorWindowHarness h_;
    ui::DataEditWindow& Window() { return h_.Window(); }
    double CoreValue(int row, int col) { return h_.CoreCell(row, col).toDouble(); }

private slots:
    void init() {
        QString failure;
        QVERIFY2(h_.Start(failure), qPrintable(failure));
    }
    void cleanup() { h_.Stop(); }

    void gridShowsTheFirstLineAsTheCoreGrid() {
        QCOMPARE(h_.Grid()->model()->columnCount(), int(Col::Count));
        QVERIFY(h_.Grid()->model()->rowCount() > 10);
        QCOMPARE(h_.GridDifference(), QString());
        const auto first = QString::fromLatin1(h_.GetJob().LineName(1));
        QCOMPARE(Window().windowTitle(), "Survey Data for Profile Number " + first);
        QCOMPARE(Window().findChild<QComboBox*>("cboProfileList")->currentText(), first);
        QCOMPARE(Window().findChild<QLabel*>("lblStartingPoint")->text(), QString("Starting Point Loaded"));
        QVERIFY(!Window().findChild<QLineEdit*>("txtSPEasting")->text().isEmpty());
        QVERIFY(Window().Chart(PlotId::Elevation)->plottableCount() >= 1);
    }

    void keysMoveToTheNextAndPreviousLine() {
        auto* combo = Window().findChild<QComboBox*>("cboProfileList");
        const auto& job = h_.GetJob();
        h_.Grid()->setFocus();
        QTest::keyClick(&Window(), Qt::Key_PageUp, Qt::ControlModifier); // the first line has no previous
        QCOMPARE(combo->currentIndex(), 0);
        QTest::keyClick(&Window(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(job.CurrentLine, 2);
        QCOMPARE(h_.GridDifference(), QString());
        QCOMPARE(Window().windowTitle(), "Survey Data for Profile Number " + QString::fromLatin1(job.LineName(2)));
        QTest::keyClick(&Window(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(job.CurrentLine, 3);
        QTest::keyClick(&Window(), Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(&Window(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(job.CurrentLine, 1);
        QCOMPARE(combo->currentIndex(), 0);
    }

    void gridSelectionMovesTheCursors() {
        h_.SelectRows(3, 7, Col::Elevation);
        QCOMPARE(h_.CoreGrid().Row(), 3);
        QCOMPARE(h_.CoreGrid().RowSel(), 7);
        const auto& chart = Window().Plots().Chart(PlotId::Elevation);
        const int active = chart.ActiveCursor();
        QCOMPARE(chart.Cursor(1 - active).X, CoreValue(3, Col::Distance));
        QCOMPARE(chart.Cursor(1 - active).Y, CoreValue(3, Col::Elevation));
        QCOMPARE(chart.Cursor(active).X, CoreValue(7, Col::Distance));
        QCOMPARE(chart.Cursor(active).Y, CoreValue(7, Col::Elevation));
    }

    void movingACursorSelectsGridRows() {
        auto* view = Window().Chart(PlotId::Elevation);
        auto& chart = Window().Plots().Chart(PlotId::Elevation);
        const auto& grid = h_.CoreGrid();
        // The other cursor on row 1, then a click puts the active one on row 9's shot.
        chart.SetActiveCursor(1);
        chart.SetCursor(0, CoreValue(1, Col::Distance), 0);
        const double x = CoreValue(9, Col::Distance);
        view->Flush();
        const QPoint at(qRound(view->xAxis->coordToPixel(x)), view->height() / 2);
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(grid.SelectionTop(), 1);
        QCOMPARE(grid.SelectionBottom(), Window().Plots().CursorRow(1));
        QCOMPARE(CoreValue(grid.SelectionBottom(), Col::Distance), x);
        QCOMPARE(grid.Col(), int(Col::Elevation));
        const auto selected = h_.Grid()->selectionModel()->selectedIndexes();
        QVERIFY(!selected.isEmpty());
        QCOMPARE(selected.front().column(), int(Col::Elevation));
    }

    void shiftDragThenUpdateGridChangesTheJob() {
        auto& job = h_.GetJob();
        job.DataChanged = false;
        auto* view = Window().Chart(PlotId::Elevation);
        view->Flush();
        const auto& curve = *Window().Plots().Chart(PlotId::Elevation).FirstCurve();
        const auto point = curve.Count() / 2;
        const int shot = Window().Plots().PointToShot()[point];
        const auto before = job.Data.At(1, shot).Elevation;
        const QPointF start(view->xAxis->coordToPixel(curve.X[point]), view->yAxis->coordToPixel(curve.Y[point]));
        const QPointF end = start - QPointF(0, 30);
        SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        SendMouse(view, QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        SendMouse(view, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
        auto* update = h_.Button("cmdPlotToGrid");
        QVERIFY(update->isVisible());
        QVERIFY(h_.Button("cmdUpdatePlots")->isVisible());
        QCOMPARE(job.Data.At(1, shot).Elevation, before); // the job waits for "Update Grid"
        QTest::mouseClick(update, Qt::LeftButton);
        QVERIFY(job.DataChanged);
        QVERIFY(std::abs(job.Data.At(1, shot).Elevation - view->yAxis->pixelToCoord(end.y())) < 1e-3);
        QVERIFY(!update->isVisible());
        QCOMPARE(h_.GridDifference(), QString());
        // "Update Grid" took the undo snapshot first: Undo brings the old height back.
        auto* undo = h_.Button("cmdUndo");
        QVERIFY(undo->isEnabled());
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(job.Data.At(1, shot).Elevation, before);
        QVERIFY(!undo->isEnabled());
    }

    void switchesAndCloseWriteTheirKeys() {
        h_.Action("mnuShowNext")->trigger();
        QCOMPARE(h_.Stored("ShowNext"), QString("False"));
        QCOMPARE(Window().Plots().Chart(PlotId::Elevation).Curves().size(), std::size_t{1}); // no previous on line 1
        h_.Action("mnuSyncCharts")->trigger();
        QCOMPARE(h_.Stored("SyncCharts"), QString("True"));
        h_.Action("mnuShowControls")->trigger();
        QCOMPARE(h_.Stored("ShowControls"), QString("False"));
        QVERIFY(!Window().ControlsFrame()->isVisible());
        h_.Action("mnuShowBigPlot")->trigger();
        QVERIFY(Window().close());
        QVERIFY(!Window().isVisible());
        QCOMPARE(h_.Stored("WindowState"), QString("0"));
        QCOMPARE(h_.Stored("ShowBigPlot"), QString("True"));
        for (const char* key :
             {"DataEdit Top", "DataEdit Left", "DataEdit Width", "DataEdit Height", "BigPlot Top", "BigPlot Left"}) {
            bool number = false;
            h_.Stored(key).toInt(&number);
            QVERIFY2(number, key);
        }
    }

    void ignoredLineShowsItsLabel() {
        h_.GetJob().Data.EditHeader(2).LineIgnored() = true;
        Window().NextLine();
        QVERIFY(!h_.Grid()->isVisible());
        QVERIFY(Window().findChild<QLabel*>("lblLineIgnored")->isVisible());
        QVERIFY(!Window().Plots().Chart(PlotId::Elevation).Curves().empty()); // the charts still show it
        Window().PreviousLine();
        QVERIFY(h_.Grid()->isVisible());
    }

    // The template and the shadow live in the chart model's second collection;
    // the profile chart must draw them, not only hold them.
    void overlaysAreDrawnOnTheProfileChart() {
        h_.Main().Controls().mnuFormatProfileNumbers->setChecked(false); // so line 11 matches its template
        auto* box = Window().findChild<QLineEdit*>("txtTemplateFileName");
        box->setFocus();
        box->setText(testing::SampleFile("survey.tvt"));
        QTest::keyClick(box, Qt::Key_Return);
        auto* show = h_.Action("mnuShowTemplate");
        if (!show->isChecked()) show->trigger(); // no template file at start leaves it off
        QVERIFY(show->isChecked());
        auto* view = Window().Chart(PlotId::Elevation);
        const auto drawn = [view](const char* name) -> QCPAbstractPlottable* {
            view->Flush();
            for (int i = 0; i < view->plottableCount(); ++i) {
                auto* plottable = view->plottable(i);
                if (plottable->name() == QLatin1String(name) && plottable->visible()) return plottable;
            }
            return nullptr;
        };
        auto* drawnTemplate = drawn("Template");
        QVERIFY(drawnTemplate != nullptr);
        QCOMPARE(drawnTemplate->pen().style(), Qt::DashLine);
        QVERIFY(!drawn("Shadow"));
        QTest::mouseClick(view->ToolButton(ui::ElevationPlot::CreateShadow), Qt::LeftButton);
        QVERIFY(drawn("Shadow"));
        QTest::mouseClick(view->ToolButton(ui::ElevationPlot::ToggleShadow), Qt::LeftButton);
        QVERIFY(!drawn("Shadow")); // switched off, not drawn
    }
};

QTEST_MAIN(DataEditWindowTest)
#include "DataEditWindowTest.moc"
