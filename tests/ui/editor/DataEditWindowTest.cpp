// SPDX-License-Identifier: GPL-3.0-or-later
// The profile editor window driven as a user drives it, on the sample job
// loaded through the main window: the grid shows the core's grid, lines
// change from the keyboard, grid rows and chart cursors follow each other,
// a chart edit reaches the job through "Update Grid", and the settings keys
// are written.
#include "ui/editor/DataEditWindow.h"
#include "app/desktop/DesktopSession.h"
#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "grid/GridModel.h"
#include "support/ScriptedPrompter.h"
#include "ui/common/QtSettingsStore.h"
#include "ui/editor/ChartView.h"
#include "ui/editor/EditorCharts.h"
#include "ui/main/MainControls.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tolvanor;

namespace {

QString Sample(const char* name) {
    return QStringLiteral(TOLVANOR_SAMPLES "/") + QLatin1String(name);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class DataEditWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void gridShowsTheFirstLineAsTheCoreGrid();
    void keysMoveToTheNextAndPreviousLine();
    void gridSelectionMovesTheCursors();
    void movingACursorSelectsGridRows();
    void shiftDragThenUpdateGridChangesTheJob();
    void switchesAndCloseWriteTheirKeys();
    void ignoredLineShowsItsLabel();
    void overlaysAreDrawnOnTheProfileChart();

private:
    ui::DataEditWindow& Window() { return session_->EditWindow(); }
    DataEditor& Editor() { return session_->Editor(); }
    QTableView* Grid() { return Window().GridView(); }
    QString Stored(const char* key) { return QString::fromStdString(settings_->Get(key, "<absent>")); }
    void ClickCell(int tableRow, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<testing::ScriptedPrompter> prompter_;
    std::unique_ptr<ui::QtSettingsStore> settings_;
    std::unique_ptr<desktop::DesktopSession> session_;
};

void DataEditWindowTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    prompter_ = std::make_unique<testing::ScriptedPrompter>();
    settings_ = std::make_unique<ui::QtSettingsStore>(folder_->filePath("Tolvanor1.ini"), QSettings::IniFormat);
    settings_->Save("WindowState", "0");
    session_ = std::make_unique<desktop::DesktopSession>(*prompter_, *settings_);
    auto& main = session_->Main();
    main.show();
    const auto& controls = main.Controls();
    controls.txtStartingPointFile->setText(Sample("survey.spf"));
    Editor().Options().StartingPointFile = Sample("survey.spf").toStdString();
    controls.txtSourceFileName->setText(Sample("survey.tvn"));
    controls.cboDataType->setCurrentIndex(5);
    main.NewFile();
    QVERIFY(Window().isVisible());
    Window().resize(1400, 900);
    Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&Window()));
    QCOMPARE(session_->GetJob().LineCount, 4);
}

void DataEditWindowTest::cleanup() {
    session_.reset();
    settings_.reset();
    prompter_.reset();
    folder_.reset();
}

void DataEditWindowTest::ClickCell(int tableRow, Qt::KeyboardModifiers modifiers) {
    const auto index = Grid()->model()->index(tableRow, LineDataColumn::Elevation);
    Grid()->scrollTo(index);
    const QPoint at = Grid()->visualRect(index).center();
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, modifiers, at);
}

void DataEditWindowTest::gridShowsTheFirstLineAsTheCoreGrid() {
    const auto& grid = Editor().Grid();
    auto* model = Grid()->model();
    QCOMPARE(model->rowCount(), grid.Rows() - 1);
    QCOMPARE(model->columnCount(), LineDataColumn::Count);
    QVERIFY(model->rowCount() > 10);
    for (int col = 0; col < LineDataColumn::Count; ++col) {
        QCOMPARE(model->headerData(col, Qt::Horizontal).toString(), QString::fromLatin1(LineDataTitle(col)));
        for (int row = 1; row < grid.Rows(); ++row)
            QCOMPARE(model->index(row - 1, col).data().toString(), QString::fromLatin1(grid.TextMatrix(row, col)));
    }
    const auto first = QString::fromLatin1(session_->GetJob().LineName(1));
    QCOMPARE(Window().windowTitle(), "Survey Data for Profile Number " + first);
    QCOMPARE(Window().findChild<QComboBox*>("cboProfileList")->currentText(), first);
    QCOMPARE(Window().findChild<QLabel*>("lblStartingPoint")->text(), QString("Starting Point Loaded"));
    QVERIFY(!Window().findChild<QLineEdit*>("txtSPEasting")->text().isEmpty());
    QVERIFY(Window().Chart(PlotId::Elevation)->plottableCount() >= 1);
}

void DataEditWindowTest::keysMoveToTheNextAndPreviousLine() {
    auto* combo = Window().findChild<QComboBox*>("cboProfileList");
    const auto& job = session_->GetJob();
    Grid()->setFocus();
    QTest::keyClick(&Window(), Qt::Key_PageUp, Qt::ControlModifier); // the first line has no previous
    QCOMPARE(combo->currentIndex(), 0);
    QTest::keyClick(&Window(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(job.CurrentLine, 2);
    QCOMPARE(Grid()->model()->rowCount(), job.ShotCount(2));
    QCOMPARE(Window().windowTitle(), "Survey Data for Profile Number " + QString::fromLatin1(job.LineName(2)));
    QTest::keyClick(&Window(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(job.CurrentLine, 3);
    QTest::keyClick(&Window(), Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(&Window(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(job.CurrentLine, 1);
    QCOMPARE(combo->currentIndex(), 0);
}

void DataEditWindowTest::gridSelectionMovesTheCursors() {
    Grid()->setFocus();
    ClickCell(2);
    ClickCell(6, Qt::ShiftModifier);
    const auto& grid = Editor().Grid();
    QCOMPARE(grid.Row(), 3);
    QCOMPARE(grid.RowSel(), 7);
    const auto& chart = Window().Plots().Chart(PlotId::Elevation);
    const auto value = [&grid](int row, int col) { return QString::fromLatin1(grid.TextMatrix(row, col)).toDouble(); };
    const int active = chart.ActiveCursor();
    QCOMPARE(chart.Cursor(1 - active).X, value(3, LineDataColumn::Distance));
    QCOMPARE(chart.Cursor(1 - active).Y, value(3, LineDataColumn::Elevation));
    QCOMPARE(chart.Cursor(active).X, value(7, LineDataColumn::Distance));
    QCOMPARE(chart.Cursor(active).Y, value(7, LineDataColumn::Elevation));
}

void DataEditWindowTest::movingACursorSelectsGridRows() {
    auto* view = Window().Chart(PlotId::Elevation);
    auto& chart = Window().Plots().Chart(PlotId::Elevation);
    const auto& grid = Editor().Grid();
    // The other cursor on row 1, then a click puts the active one on row 9's shot.
    chart.SetActiveCursor(1);
    chart.SetCursor(0, QString::fromLatin1(grid.TextMatrix(1, LineDataColumn::Distance)).toDouble(), 0);
    const double x = QString::fromLatin1(grid.TextMatrix(9, LineDataColumn::Distance)).toDouble();
    view->Flush();
    const QPoint at(qRound(view->xAxis->coordToPixel(x)), view->height() / 2);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(grid.SelectionTop(), 1);
    QCOMPARE(grid.SelectionBottom(), Window().Plots().CursorRow(1));
    QCOMPARE(QString::fromLatin1(grid.TextMatrix(grid.SelectionBottom(), LineDataColumn::Distance)).toDouble(), x);
    QCOMPARE(grid.Col(), static_cast<int>(LineDataColumn::Elevation));
    const auto selected = Grid()->selectionModel()->selectedIndexes();
    QVERIFY(!selected.isEmpty());
    QCOMPARE(selected.front().column(), static_cast<int>(LineDataColumn::Elevation));
}

void DataEditWindowTest::shiftDragThenUpdateGridChangesTheJob() {
    auto& job = session_->GetJob();
    job.DataChanged = false;
    auto* view = Window().Chart(PlotId::Elevation);
    view->Flush();
    const auto& curve = *Window().Plots().Chart(PlotId::Elevation).FirstCurve();
    const int point = static_cast<int>(curve.Count() / 2);
    const int shot = Window().Plots().PointToShot()[static_cast<std::size_t>(point)];
    const auto before = job.Data.At(1, shot).Elevation;
    const QPointF start(view->xAxis->coordToPixel(curve.X[static_cast<std::size_t>(point)]),
                        view->yAxis->coordToPixel(curve.Y[static_cast<std::size_t>(point)]));
    const QPointF end = start - QPointF(0, 30);
    SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(view, QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(view, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    auto* update = Window().findChild<QPushButton*>("cmdPlotToGrid");
    QVERIFY(update->isVisible());
    QVERIFY(Window().findChild<QPushButton*>("cmdUpdatePlots")->isVisible());
    QCOMPARE(job.Data.At(1, shot).Elevation, before); // the job waits for "Update Grid"
    QTest::mouseClick(update, Qt::LeftButton);
    QVERIFY(job.DataChanged);
    const double expected = view->yAxis->pixelToCoord(end.y());
    QVERIFY(std::abs(job.Data.At(1, shot).Elevation - expected) < 1e-3);
    QVERIFY(!update->isVisible());
    // "Update Grid" took the undo snapshot first: Undo brings the old height back.
    auto* undo = Window().findChild<QPushButton*>("cmdUndo");
    QVERIFY(undo->isEnabled());
    QTest::mouseClick(undo, Qt::LeftButton);
    QCOMPARE(job.Data.At(1, shot).Elevation, before);
    QVERIFY(!undo->isEnabled());
}

void DataEditWindowTest::switchesAndCloseWriteTheirKeys() {
    Window().findChild<QAction*>("mnuShowNext")->trigger();
    QCOMPARE(Stored("ShowNext"), QString("False"));
    QCOMPARE(Window().Plots().Chart(PlotId::Elevation).Curves().size(), std::size_t{1}); // no previous on line 1
    Window().findChild<QAction*>("mnuSyncCharts")->trigger();
    QCOMPARE(Stored("SyncCharts"), QString("True"));
    Window().findChild<QAction*>("mnuShowControls")->trigger();
    QCOMPARE(Stored("ShowControls"), QString("False"));
    QVERIFY(!Window().ControlsFrame()->isVisible());
    Window().findChild<QAction*>("mnuShowBigPlot")->trigger();
    QVERIFY(Window().close());
    QVERIFY(!Window().isVisible());
    QCOMPARE(Stored("WindowState"), QString("0"));
    QCOMPARE(Stored("ShowBigPlot"), QString("True"));
    for (const char* key :
         {"DataEdit Top", "DataEdit Left", "DataEdit Width", "DataEdit Height", "BigPlot Top", "BigPlot Left"}) {
        bool number = false;
        Stored(key).toInt(&number);
        QVERIFY2(number, key);
    }
}

void DataEditWindowTest::ignoredLineShowsItsLabel() {
    auto& job = session_->GetJob();
    job.Data.EditHeader(2).LineIgnored() = true;
    Window().NextLine();
    QVERIFY(!Grid()->isVisible());
    QVERIFY(Window().findChild<QLabel*>("lblLineIgnored")->isVisible());
    QVERIFY(!Window().Plots().Chart(PlotId::Elevation).Curves().empty()); // the charts still show it
    Window().PreviousLine();
    QVERIFY(Grid()->isVisible());
}

// The template and the shadow live in the chart model's second collection;
// the profile chart must draw them, not only hold them.
void DataEditWindowTest::overlaysAreDrawnOnTheProfileChart() {
    session_->Main().Controls().mnuFormatProfileNumbers->setChecked(false); // so line 11 matches its template
    auto* box = Window().findChild<QLineEdit*>("txtTemplateFileName");
    box->setFocus();
    box->setText(Sample("survey.tvt"));
    QTest::keyClick(box, Qt::Key_Return);
    auto* show = Window().findChild<QAction*>("mnuShowTemplate");
    if (!show->isChecked()) show->trigger(); // no template file at start leaves it off
    QVERIFY(show->isChecked());
    auto* view = Window().Chart(PlotId::Elevation);
    view->Flush();
    const auto drawn = [view](const char* name) -> QCPAbstractPlottable* {
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
    auto* createShadow = view->ToolButton(ui::ElevationPlot::CreateShadow);
    QTest::mouseClick(createShadow, Qt::LeftButton);
    view->Flush();
    QVERIFY(drawn("Shadow"));
    QTest::mouseClick(view->ToolButton(ui::ElevationPlot::ToggleShadow), Qt::LeftButton);
    view->Flush();
    QVERIFY(!drawn("Shadow")); // switched off, not drawn
}

QTEST_MAIN(DataEditWindowTest)
#include "DataEditWindowTest.moc"
