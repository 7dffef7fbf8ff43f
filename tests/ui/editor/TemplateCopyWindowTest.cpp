// SPDX-License-Identifier: GPL-3.0-or-later
// The template controls and the copy menu items of the editor window on the
// sample job: choosing and validating the template file, the template drawn
// over the profile, the save question when it is switched off over chart
// edits; Copy between the cursors, the copied curve shown, hidden, dragged
// and pasted into another line.
#include "EditorWindowHarness.h"
#include "core/Prompter.h"
#include "ui/editor/ChartView.h"

#include <QLineEdit>

using namespace tolvanor;
using Col = LineDataColumn;

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void Drag(QWidget* widget, QPointF from, QPointF to, Qt::KeyboardModifiers modifiers) {
    SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    // The first step is small, as a hand's is: the point under the press is the one grabbed.
    SendMouse(widget, QEvent::MouseMove, from + (to - from) / 20, Qt::NoButton, Qt::LeftButton, modifiers);
    SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
}

} // namespace

class TemplateCopyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QString failure;
        QVERIFY2(h_.Start(failure), qPrintable(failure));
    }

    void cleanup() { h_.Stop(); }

    void selectedTemplateIsDrawnOverTheProfile() {
        ShowTemplateFile(testing::SampleFile("survey.tvt"));
        const auto& dialog = h_.Prompts().Calls().front();
        QCOMPARE(dialog.What, testing::ScriptedPrompter::Kind::OpenFile);
        QCOMPARE(dialog.File.Filter, std::string("Template Files (*.tvt)|*.tvt"));
        QCOMPARE(h_.Window().findChild<QLineEdit*>("txtTemplateFileName")->text(), testing::SampleFile("survey.tvt"));
        QCOMPARE(h_.Stored("TemplateFileName"), testing::SampleFile("survey.tvt"));
        QCOMPARE(h_.Stored("ShowTemplate"), QString("True"));
        const auto* drawn = Overlay("Template");
        QVERIFY(drawn);
        QCOMPARE(drawn->Count(), std::size_t{10}); // line 11's design profile
        QVERIFY(drawn->Dashed);
        // Every redraw draws the current line's own template (line 13 is the fourth).
        for (int line = 2; line <= 4; ++line) h_.Window().NextLine();
        QVERIFY(Overlay("Template"));
        h_.Action("mnuShowTemplate")->trigger();
        QVERIFY(!Overlay("Template"));
        QCOMPARE(h_.Stored("ShowTemplate"), QString("False"));
        QVERIFY(h_.Prompts().Messages().empty());
    }

    void missingTemplateFileSwitchesTheTemplateOff() {
        ShowTemplateFile(testing::SampleFile("survey.tvt"));
        h_.Prompts().Reset();
        auto* box = h_.Window().findChild<QLineEdit*>("txtTemplateFileName");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, h_.Folder() + "/absent.tvt");
        QVERIFY(h_.Prompts().Calls().empty()); // nothing said while typing
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(h_.Prompts().Messages(),
                 std::vector<std::string>{"This Template file does not exist, please select a valid template file."});
        QVERIFY(!h_.Action("mnuShowTemplate")->isChecked());
        QVERIFY(!Overlay("Template"));
    }

    void switchingTheTemplateOffAsksAboutChartEdits_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("Yes stores the chart edits") << true;
        QTest::newRow("No keeps the job") << false;
    }
    void switchingTheTemplateOffAsksAboutChartEdits() {
        QFETCH(bool, save);
        ShowTemplateFile(testing::SampleFile("survey.tvt"));
        auto& job = h_.GetJob();
        const auto& curve = *Profile().FirstCurve();
        const int point = static_cast<int>(curve.Count() / 3);
        const int shot = h_.Window().Plots().PointToShot()[static_cast<std::size_t>(point)];
        const float before = job.Data.At(1, shot).Elevation;
        const QPointF start =
            PixelOf(curve.X[static_cast<std::size_t>(point)], curve.Y[static_cast<std::size_t>(point)]);
        Drag(ProfileView(), start, start - QPointF(0, 25), Qt::ShiftModifier);
        QVERIFY(h_.Button("cmdPlotToGrid")->isVisible());
        h_.Prompts().Reset();
        h_.Prompts().QueueAnswer(save ? MessageAnswer::Yes : MessageAnswer::No);
        h_.Action("mnuShowTemplate")->trigger();
        QCOMPARE(h_.Prompts().Calls().size(), std::size_t{1});
        QCOMPARE(h_.Prompts().Calls().front().Message.Text,
                 std::string("Do you want to save your changes to the Elevations?"));
        QCOMPARE(h_.Prompts().Calls().front().Message.Buttons, MessageButtons::YesNo);
        QVERIFY(!h_.Action("mnuShowTemplate")->isChecked());
        QCOMPARE(job.Data.At(1, shot).Elevation != before, save);
        QCOMPARE(h_.GridDifference(), QString());
        // Switching it on again asks nothing.
        h_.Prompts().Reset();
        h_.Action("mnuShowTemplate")->trigger();
        QVERIFY(h_.Prompts().Calls().empty());
    }

    void copyTakesTheShotsBetweenTheCursors() {
        CopyPoints(5, 2);
        QCOMPARE(h_.Prompts().Messages(), std::vector<std::string>{" 4 shots saved."});
        QCOMPARE(h_.Editor().Copied().Count(), 4);
        const auto* copied = Overlay("Copied Data");
        QVERIFY(copied);
        QCOMPARE(copied->Count(), std::size_t{4});
        QCOMPARE(copied->Colour, 255);
        QVERIFY(!Profile().CursorsOn());
        const auto& curve = *Profile().FirstCurve();
        for (std::size_t k = 0; k < 4; ++k) {
            QCOMPARE(copied->X[k], curve.X[k + 2]);
            QCOMPARE(copied->Y[k], curve.Y[k + 2]);
        }
    }

    void copiedDataViewHidesAndShowsTheCurve() {
        CopyPoints(2, 8);
        h_.Action("mnuCopiedDataView")->trigger();
        QVERIFY(!Overlay("Copied Data")->Enabled);
        // Hidden, it is not pasted.
        const int shots = h_.GetJob().ShotCount(1);
        h_.Action("mnuOverlay")->trigger();
        QCOMPARE(h_.GetJob().ShotCount(1), shots);
        h_.Action("mnuCopiedDataView")->trigger();
        QVERIFY(Overlay("Copied Data")->Enabled);
    }

    void overlayPastesTheCopiedShotsIntoAnotherLine() {
        CopyPoints(5, 2);
        h_.Window().NextLine();
        QVERIFY(Overlay("Copied Data")); // kept across the line change
        QVERIFY(Profile().CursorsOn());  // and the redraw gives the cursors back
        auto& job = h_.GetJob();
        const int shots = job.ShotCount(2);
        const auto before = h_.Records(2);
        h_.SelectRows(6, 6, Col::Elevation);
        const std::string remark = h_.CoreCell(6, Col::Remark).toStdString();
        job.DataChanged = false;
        h_.Action("mnuOverlay")->trigger();
        QCOMPARE(job.ShotCount(2), shots + 4);
        int pasted = 0;
        for (int k = 1; k <= job.ShotCount(2); ++k) {
            const auto& shot = job.Data.At(2, k);
            pasted += shot.SeqNum == 0 && shot.Remark() == remark && !shot.Ignore;
        }
        QVERIFY(pasted >= 4); // the selected row's remark on each
        QCOMPARE(h_.GridDifference(), QString());
        QVERIFY(h_.Button("cmdUndo")->isEnabled());
        QTest::keyClick(h_.Grid(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(h_.Records(2) == before);
    }

    void plainDragMovesTheCopiedCurveShiftDragEditsTheProfile() {
        CopyPoints(3, 6);
        const auto records = h_.Records(1);
        const auto copiedBefore = h_.Editor().Copied().Shots;
        const auto* copied = Overlay("Copied Data");
        QVERIFY(copied);
        const QPointF start = PixelOf(copied->X[1], copied->Y[1]);
        const QPointF end = start + QPointF(40, -30);
        const double dx = ProfileView()->xAxis->pixelToCoord(end.x()) - copied->X[1];
        const double dy = ProfileView()->yAxis->pixelToCoord(end.y()) - copied->Y[1];
        Drag(ProfileView(), start, end, Qt::NoModifier);
        const auto& moved = h_.Editor().Copied();
        QVERIFY(!moved.Dragging);
        QCOMPARE(moved.OffsetX, 0.0);
        QCOMPARE(moved.OffsetY, 0.0);
        QCOMPARE(moved.Count(), 4);
        for (std::size_t k = 0; k < 4; ++k) {
            QVERIFY(std::abs(moved.Shots[k].DistDownRange - (copiedBefore[k].DistDownRange + dx)) < 1e-2);
            QVERIFY(std::abs(moved.Shots[k].Elevation - (copiedBefore[k].Elevation + dy)) < 1e-2);
            QVERIFY(moved.Shots[k].Easting != copiedBefore[k].Easting ||
                    moved.Shots[k].Northing != copiedBefore[k].Northing);
        }
        QVERIFY(h_.Records(1) == records); // dragging the copy leaves the job alone
        QVERIFY(!h_.Button("cmdPlotToGrid")->isVisible());
        // A click on the profile puts the cursors back on; with Shift held the
        // drag then edits the profile instead, and the copy stays put.
        QVERIFY(!Profile().CursorsOn());
        const QPointF click = PixelOf(Profile().FirstCurve()->X[10], Profile().FirstCurve()->Y[10]);
        QTest::mouseClick(ProfileView(), Qt::LeftButton, Qt::NoModifier, click.toPoint());
        QVERIFY(Profile().CursorsOn());
        QCOMPARE(Profile().Cursor(Profile().ActiveCursor()).PointIndex, 10);
        const auto& curve = *Profile().FirstCurve();
        const std::size_t point = curve.Count() * 2 / 3;
        const QPointF on = PixelOf(curve.X[point], curve.Y[point]);
        const auto copiedNow = h_.Editor().Copied().Shots;
        Drag(ProfileView(), on, on + QPointF(0, 20), Qt::ShiftModifier);
        QVERIFY(h_.Button("cmdPlotToGrid")->isVisible());
        QVERIFY(h_.Editor().Copied().Shots == copiedNow);
        QVERIFY(h_.Records(1) == records);
    }

private:
    ChartModel& Profile() { return h_.Window().Plots().Chart(PlotId::Elevation); }
    ui::ChartView* ProfileView() { return h_.Window().Chart(PlotId::Elevation); }
    const ChartCurve* Overlay(const char* name) {
        for (const auto& curve : Profile().Overlays())
            if (curve.Name == name) return &curve;
        return nullptr;
    }
    QPointF PixelOf(double x, double y) {
        ProfileView()->Flush();
        return {ProfileView()->xAxis->coordToPixel(x), ProfileView()->yAxis->coordToPixel(y)};
    }

    // Puts the two cursors on points `a` and `b` of the current line's curve and copies.
    void CopyPoints(int a, int b) {
        const auto& curve = *Profile().FirstCurve();
        Profile().SetCursorsOn(true);
        Profile().SetCursor(0, curve.X[static_cast<std::size_t>(a)], curve.Y[static_cast<std::size_t>(a)]);
        Profile().SetCursor(1, curve.X[static_cast<std::size_t>(b)], curve.Y[static_cast<std::size_t>(b)]);
        QCOMPARE(Profile().Cursor(0).PointIndex, a);
        QCOMPARE(Profile().Cursor(1).PointIndex, b);
        h_.Action("mnuCopy")->trigger();
    }

    void ShowTemplateFile(const QString& path) {
        h_.Main().Controls().mnuFormatProfileNumbers->setChecked(false);
        h_.Prompts().QueueText(path.toStdString());
        QTest::mouseClick(h_.Button("cmdSelectTemplateFile"), Qt::LeftButton);
        if (!h_.Action("mnuShowTemplate")->isChecked()) h_.Action("mnuShowTemplate")->trigger();
    }

    testing::EditorWindowHarness h_;
};

QTEST_MAIN(TemplateCopyWindowTest)
#include "TemplateCopyWindowTest.moc"
