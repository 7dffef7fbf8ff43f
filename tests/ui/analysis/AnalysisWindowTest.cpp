// SPDX-License-Identifier: GPL-3.0-or-later
// The Analysis window driven as a user drives it: boxes, Analyse, the
// table's sort and copy, export, and following the editor's current line.
#include "ui/analysis/AnalysisWindow.h"

#include "editor/ChartModel.h"
#include "ui/analysis/AnalysisMenu.h"

#include "analysis/AnalysisInputs.h"
#include "analysis/AnalysisTestSupport.h"
#include "analysis/WriteAnalysisCSV.h"
#include "core/MemorySettingsStore.h"
#include "editor/DataEditor.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using tolvanor::AnalysisCsvText;
using tolvanor::DataEditor;
using tolvanor::Job;
using tolvanor::MemorySettingsStore;
using tolvanor::testing::ScriptedPrompter;
using tolvanor::ui::AnalysisWindow;

class AnalysisWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Job> job;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<DataEditor> editor;
    std::unique_ptr<MemorySettingsStore> settings;
    std::unique_ptr<AnalysisWindow> window;
    QTemporaryDir dir;

    template <typename T = QPushButton> T* Control(const char* name) const {
        auto* control = window->findChild<T*>(QString::fromLatin1(name));
        if (control == nullptr) qFatal("no control %s", name);
        return control;
    }
    void Type(const char* box, const QString& text) {
        auto* edit = Control<QLineEdit>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void Click(const char* button) { QTest::mouseClick(Control(button), Qt::LeftButton); }
    QString Cell(int row, int col) const { return window->Table()->model()->index(row, col).data().toString(); }
    int Rows() const { return window->Table()->model()->rowCount(); }

private slots:
    void init() {
        job = std::make_unique<Job>(10, 20);
        tolvanor::testing::AddLine(*job, "11", {{0, 3}, {10, 1}, {20, -1}}, true, 1000, 2000);
        tolvanor::testing::AddLine(*job, "12", {{0, 1}, {20, 1}}, false);
        tolvanor::testing::AddLine(*job, "13", {{0, 4}, {20, 0}}, true, 1000, 2100);
        prompter = std::make_unique<ScriptedPrompter>();
        editor = std::make_unique<DataEditor>(*job, *prompter);
        editor->Options().FormatProfileNumbers = false;
        editor->LoadProfileNumbers();
        settings = std::make_unique<MemorySettingsStore>();
        window = std::make_unique<AnalysisWindow>(*job, *editor, *prompter, *settings);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        editor.reset();
    }

    void analyseFillsTheTableAndRemembersTheBoxes() {
        Type("txtDatum", "0");
        Type("txtContours", "1, 5");
        Type("txtLimitTo", "15");
        Click("cmdAnalyse");
        QCOMPARE(prompter->Messages(), std::vector<std::string>{});
        QCOMPARE(Rows(), 3);
        QCOMPARE(Cell(0, 0), QStringLiteral("11"));
        QCOMPARE(Cell(0, 6), QStringLiteral("22.50")); // 3 to 1 over 0..10, 1 to 0 over 10..15
        QCOMPARE(Cell(1, 13), QStringLiteral("no starting point"));
        QVERIFY(Control<QLabel>("lblReach")->text().contains(QStringLiteral("Reach total: .00")));
        QCOMPARE(settings->Get("AnalysisContours"), std::string("1, 5"));

        AnalysisWindow again(*job, *editor, *prompter, *settings);
        QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("txtLimitTo"))->text(), QStringLiteral("15"));
        QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("txtContours"))->text(), QStringLiteral("1, 5"));
    }

    void enterInABoxAnalysesAndAMistakeIsExplained() {
        Type("txtDatum", "1,5");
        QTest::keyClick(Control<QLineEdit>("txtDatum"), Qt::Key_Return);
        QCOMPARE(prompter->Messages(), std::vector<std::string>{tolvanor::DatumMessage});
        QCOMPARE(Rows(), 0);
        Type("txtDatum", "0");
        Type("txtAnalysisTemplate", dir.filePath(QStringLiteral("missing.tvt")));
        QTest::keyClick(Control<QLineEdit>("txtAnalysisTemplate"), Qt::Key_Return);
        QCOMPARE(prompter->Messages().back(),
                 std::string("This Template file does not exist, please select a valid template file."));
        QCOMPARE(Rows(), 0);
    }

    void headingClickSortsByValueAndCopyFollowsTheView() {
        Type("txtDatum", "0");
        Click("cmdAnalyse");
        auto* header = window->Table()->horizontalHeader();
        const int areaColumn = 6;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(areaColumn) + 5, header->height() / 2));
        // 12 has no area (no starting point): after the numbers, whatever the direction.
        const QStringList order{Cell(0, 0), Cell(1, 0), Cell(2, 0)};
        QVERIFY(order == QStringList({"11", "13", "12"}) || order == QStringList({"13", "11", "12"}));
        window->Table()->clearSelection();
        window->Table()->setFocus();
        QTest::keyClick(window->Table(), Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith(QStringLiteral("Profile\tShots Used\t")));
        QVERIFY(lines[1].startsWith(order[0] + QLatin1Char('\t')));
        QVERIFY(lines[3].startsWith(QStringLiteral("12\t")));
    }

    void exportWritesTheAnalysisFile() {
        Type("txtDatum", "0.5");
        Type("txtContours", "2");
        const QString path = dir.filePath(QStringLiteral("analysis.csv"));
        prompter->QueueText(path.toStdString());
        Click("cmdExportCSV");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        tolvanor::AnalysisOptions options;
        options.Datum = 0.5;
        options.Contours = {2};
        QCOMPARE(file.readAll().toStdString(), AnalysisCsvText(window->Result(), options));
        const QString png = dir.filePath(QStringLiteral("charts.png"));
        prompter->QueueText(png.toStdString());
        Click("cmdExportPNG");
        QVERIFY(QImage(png).width() > 100);
    }

    // From the editor's menu: opened and analysed with the remembered boxes,
    // then following the editor's profile chart both ways and marking its
    // contours.
    void theEditorMenuOpensItAndItsChartShowsTheContours() {
        window.reset();
        settings->Save("AnalysisContours", "1");
        QMainWindow host;
        tolvanor::ChartModel chart;
        int redraws = 0;
        QAction* open =
            tolvanor::ui::AttachAnalysis(host, chart, *job, *editor, *prompter, *settings, [&redraws] { ++redraws; });
        QCOMPARE(open->objectName(), QStringLiteral("mnuAnalysis"));
        open->trigger();
        auto* opened = host.findChild<AnalysisWindow*>();
        QVERIFY(opened != nullptr && opened->isVisible());
        QCOMPARE(opened->Result().Lines.size(), std::size_t{3});

        editor->SelectProfile(2); // the editor redraws line 13: (0, 4) to (20, 0)
        const double x[] = {0, 20};
        const double y[] = {4, 0};
        chart.RemoveOverlays();
        chart.AddCurve("13", x, y);
        QCOMPARE(opened->Table()->currentIndex().row(), 2);
        auto* current = opened->findChild<QLabel*>(QStringLiteral("lblCurrentLine"));
        QVERIFY(current->text().contains(QStringLiteral("Profile 13")));
        const tolvanor::ChartCurve* mark = chart.FindOverlay("Contour 1");
        QVERIFY(mark != nullptr);
        QCOMPARE(mark->X, (std::vector<double>{14.5, 15.5}));
        QCOMPARE(mark->Y, (std::vector<double>{1, 1}));

        const auto rect = opened->Table()->visualRect(opened->Table()->model()->index(0, 0));
        QTest::mouseClick(opened->Table()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(editor->ProfileIndex(), 0);
        QCOMPARE(redraws, 1);
        QVERIFY(current->text().contains(QStringLiteral("Profile 11")));
    }

    // The sample survey as a crew would open it; with TOLVANOR_SCREENSHOT set
    // the window is also saved there as a picture to look at.
    void theSampleSurvey() {
        window.reset();
        editor.reset();
        job = std::make_unique<Job>();
        const std::string samples = TOLVANOR_SOURCE_DIR "/samples/";
        tolvanor::ReadOptions read{
            .SourceFileName = samples + "survey.tvn", .DataType = 5, .FormatProfileNumbers = false};
        QVERIFY(tolvanor::ReadData(*job, read, *prompter).Outcome == tolvanor::ReadOutcome::Ok);
        editor = std::make_unique<DataEditor>(*job, *prompter);
        editor->Options().FormatProfileNumbers = false;
        editor->Options().SortOrder = 6;
        editor->Options().StartingPointFile = samples + "survey.spf";
        editor->RefreshDataEdit();
        window = std::make_unique<AnalysisWindow>(*job, *editor, *prompter, *settings);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Type("txtDatum", "0");
        Type("txtLimitFrom", "0");
        Type("txtLimitTo", "400");
        Type("txtContours", "2.5, 0, -4");
        Type("txtAnalysisTemplate", QString::fromStdString(samples + "survey.tvt"));
        Click("cmdAnalyse");
        QCOMPARE(Rows(), 4);
        QCOMPARE(window->Result().Reaches.size(), std::size_t{3});
        QVERIFY(window->Result().Lines[0].HasTemplate);
        editor->SelectProfile(3);
        window->FollowEditor();
        if (const QByteArray shot = qgetenv("TOLVANOR_SCREENSHOT"); !shot.isEmpty()) {
            QTest::qWait(200);
            QVERIFY(window->grab().save(QString::fromLocal8Bit(shot)));
        }
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "AnalysisWindowTest.moc"
