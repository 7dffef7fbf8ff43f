// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the documents describe it: every control by name with
// its caption, tool tip, items and accessible name; the keyboard; the
// layout at the smallest screen the program supports.
#include "MainWindowTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolBar>

using tolvanor::testing::SessionRun;

namespace {

QString Plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

struct ControlText {
    const char* Name;
    const char* Caption; // nullptr: the control has none
    const char* ToolTip; // nullptr: the documents give none
};

// Captions and tool tips as the documents give them (mnemonics aside).
constexpr ControlText Buttons[] = {
    {"cmdSelectInputFile", "Select Input File", nullptr},
    {"cmdViewSource", "View Source Data", nullptr},
    {"cmdNewFile", "New File",
     "Clears any existing data from project, then loads data from Source Data file and starts Data Edit window"},
    {"cmdAppend", "Append Data", "Adds data from Source Data file to previously read data"},
    {"cmdViewEdit", "Show Edit Window", "Opens Data Edit window and loads data if not previously loaded"},
    {"cmdSelectSPFile", "Select Starting Point File", nullptr},
    {"cmdCreateSPFile", "Create/Edit Starting Point File", nullptr},
    {"cmdMergeStartingPoints", "Merge Starting Points",
     "Merges data from starting point file with previously loaded data"},
    {"cmdSelectOutputFolder", "Select Output Folder", nullptr},
    {"cmdFilePrefix", "File Prefix", nullptr},
    {"cmdSelectTemplateFile", "Select Template File", nullptr},
    {"cmdGenerateOutput", "Generate Output", nullptr},
    {"cmdSave", "Save Data", nullptr},
    {"cmdSaveExit", "Save and Exit", nullptr},
    {"cmdQuit", "Quit", nullptr},
    {"cmdBack", "< Back", "Go to previous tab"},
    {"cmdNext", "Next >", "Go to next tab in sequence"},
    {"chkExcelFormat", "Trimble/Excel (.CSV)", nullptr},
    {"chkIntergraphFormat", "Intergraph Format (.XYZ)", nullptr},
    {"chkISRPNewFormat", "ISRP 28 Format (.IRP)", "Format is: ISRP 28 (new) format"},
    {"chkISRPBPAS", "ISRP BPAS (.IRP)", nullptr},
    {"chkISRPIntergraphFormat", "ISRP for Intergraph (.SE)", nullptr},
    {"chkRangeElevRemFormat", "Range/Elev/Remark File (.RER)", nullptr},
    {"chkXLSFormat", "Excel Distance/Elevation/Pos (.XLS)", nullptr},
    {"chkAppendTemplate", "Append Template ", "Specified file will be added to ISRP outputs"},
    {"chkMapElevation", "Map Elevation to DBT", nullptr},
    {"optSingleFile", "Single file with all data", nullptr},
    {"optIndividualFiles", "Output file for each line", nullptr},
};

// Boxes and lists named by their label (or, without one, a short name).
constexpr ControlText Boxes[] = {
    {"txtSourceFileName", "Source File", nullptr},
    {"txtStartingPointFile", "Starting Point File", "Name of selected starting point file"},
    {"txtAppendToProfile", "Append Text to Profile Number", nullptr},
    {"txtTemplateFile", "Template File", "Name ofTemplate file to append to ISRP output"},
    {"txtSurveyDate", "Survey Date (YYMMDD)", nullptr},
    {"txtSurveyTime", "Survey Time (5 digits)", nullptr},
    {"txtLocalityCode", "Locality Code (2 characters)", nullptr},
    {"cboPosnProcessing", "Position Processing (on output)", nullptr},
    {"txtOutputPrefix", nullptr, nullptr},
    {"txtElevChange", nullptr, nullptr},
    {"txtThinInc", nullptr, nullptr},
    {"cboDataType", nullptr, nullptr},
    {"cboElevProcessing", nullptr, nullptr},
    {"cboSortOrder", nullptr, nullptr},
    {"cboThinMethod", nullptr, nullptr},
    {"OutputDirectory", nullptr, nullptr},
};

const std::pair<const char*, QStringList> Lists[] = {
    {"cboDataType", {}}, // the data types' own names, checked by count
    {"cboSortOrder",
     {"None - Keep Input Order", "By Northing/Descending (LI)", "By Easting/Ascending (NJ)", "By Northing/Ascending",
      "By Easting/Descending", "By Shot Type (B,L,W)", "By Distance DownRange"}},
    {"cboPosnProcessing", {"None", "Normalize (Straighten Line)", "Thin the Data", "Normalize and Thin Data"}},
    {"cboElevProcessing",
     {"None", "Add to Elevation", "Subract from Elevation", "Reverse Sign", "Reverse Sign then Add to Elevation",
      "Reverse Sign then Subtract from Elevation"}},
    {"cboThinMethod", {"None", "Distance", "Number to Ignore"}},
};

} // namespace

class MainTextsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<QTemporaryDir>(); }

    void ButtonsAndBoxesCarryTheirTexts() {
        SessionRun run(folder_->path());
        auto& window = run.Window();
        QCOMPARE(window.objectName(), QStringLiteral("frmTolvaMain"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tolvanor"));
        for (const auto& expected : Buttons) {
            auto* button = window.findChild<QAbstractButton*>(QLatin1String(expected.Name));
            QVERIFY2(button != nullptr, expected.Name);
            QCOMPARE(Plain(button->text()), QLatin1String(expected.Caption));
            QCOMPARE(button->accessibleName(), QString::fromLatin1(expected.Caption).trimmed());
            if (expected.ToolTip != nullptr) QCOMPARE(button->toolTip(), QLatin1String(expected.ToolTip));
        }
        for (const auto& expected : Boxes) {
            auto* box = window.findChild<QWidget*>(QLatin1String(expected.Name));
            QVERIFY2(box != nullptr, expected.Name);
            QVERIFY2(!box->accessibleName().isEmpty(), expected.Name);
            if (expected.Caption != nullptr) QCOMPARE(box->accessibleName(), QLatin1String(expected.Caption));
            if (expected.ToolTip != nullptr) QCOMPARE(box->toolTip(), QLatin1String(expected.ToolTip));
        }
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblOutFileString"))->text(),
                 QStringLiteral("(need to select an output file prefix)"));
    }

    void ListsHoldTheirItemsInOrder() {
        SessionRun run(folder_->path());
        for (const auto& [name, items] : Lists) {
            auto* list = run.Window().findChild<QComboBox*>(QLatin1String(name));
            QVERIFY2(list != nullptr, name);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i) shown.append(list->itemText(i));
            if (items.isEmpty()) {
                QCOMPARE(shown.size(), 7);
            } else {
                QCOMPARE(shown, items);
            }
        }
        const auto& types = run.Controls().optSurveyType;
        QCOMPARE(Plain(types[0]->text()), QStringLiteral("Before Dredge"));
        QCOMPARE(Plain(types[1]->text()), QStringLiteral("After Dredge"));
        QCOMPARE(Plain(types[2]->text()), QStringLiteral("Maintenance"));
        QVERIFY(types[2]->isChecked());
        QCOMPARE(run.Controls().txtSurveyTime->text(), QStringLiteral("1200"));
    }

    void TabsFramesMenusAndToolBar() {
        SessionRun run(folder_->path());
        auto* tabs = run.Controls().Tabs;
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Data and Processing Options "));
        QCOMPARE(tabs->tabToolTip(0), QStringLiteral("Select Data Files for processing"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Create Output"));
        QCOMPARE(tabs->tabToolTip(1), QStringLiteral("Create the output files"));
        QStringList frames;
        for (auto* frame : run.Window().findChildren<QGroupBox*>()) frames.append(frame->title());
        for (const char* title : {"Source Files", "Processing Options", "Output Options",
                                  "Select Output Files and Options", "ISRP Output Constants", "Survey Type"}) {
            QVERIFY2(frames.contains(QLatin1String(title)), title);
        }

        QStringList menus;
        for (auto* action : run.Window().menuBar()->actions()) menus.append(action->text());
        QCOMPARE(menus, (QStringList{"&File", "&View", "&Options...", "&Help"}));
        const std::pair<const char*, const char*> items[] = {
            {"mnuExit", "E&xit"},
            {"mnuSourceData", "&Source Data"},
            {"mnuFormatProfileNumbers", "&Force profile numbers to 3 digits"},
            {"mnuUseDefault", "&Use last setting as default on startup"},
            {"mnuHelpContents", "&Help"},
            {"mnuAbout", "&About "}};
        for (const auto& [name, caption] : items) {
            auto* action = run.Window().findChild<QAction*>(QLatin1String(name));
            QVERIFY2(action != nullptr, name);
            QCOMPARE(action->text(), QLatin1String(caption));
        }

        QStringList tools;
        for (auto* action : run.Controls().tbrOutput->actions()) {
            tools.append(action->text());
            QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
        }
        QCOMPARE(tools, (QStringList{"Change &Drive", "New &Folder", "File &Prefix", "Generate Output"}));
    }

    // Standard keys reach their commands.
    void Shortcuts() {
        SessionRun run(folder_->path());
        run.Show();
        QTest::keyClick(&run.Window(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(run.Prompter().Calls().size(), std::size_t{1});
        QCOMPARE(run.Prompter().Calls()[0].What, tolvanor::testing::ScriptedPrompter::Kind::OpenFile);

        run.Load(tolvanor::testing::SamplePath("survey.tvn"), 5);
        run.Prompter().Reset();
        QTest::keyClick(&run.Window(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(run.Prompter().Calls().size(), std::size_t{1});
        QCOMPARE(run.Prompter().Calls()[0].File.Title, std::string("Save Work in Process"));

        // Alt+N is New File's mnemonic.
        run.Controls().Tabs->setCurrentIndex(0);
        run.Prompter().Reset();
        run.Controls().txtSourceFileName->clear();
        QTest::keyClick(&run.Window(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(run.Prompter().Messages(), std::vector<std::string>{"Please select a source file"});

        QSignalSpy finished(&run.Session(), &tolvanor::desktop::DesktopSession::Finished);
        QTest::keyClick(&run.Window(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(run.Controls().mnuHelpContents->shortcut(), QKeySequence(QKeySequence::HelpContents));
    }

    // Tab walks the first page top-down: source box, its buttons, then the
    // starting-point box and its buttons.
    void TabOrderFollowsThePage() {
        SessionRun run(folder_->path());
        run.Show();
        const auto& c = run.Controls();
        const QWidget* expected[] = {c.cboDataType,     c.txtSourceFileName,      c.cmdSelectInputFile,
                                     c.cmdViewSource,   c.txtStartingPointFile,   c.cmdSelectSPFile,
                                     c.cmdCreateSPFile, c.cmdMergeStartingPoints, c.txtAppendToProfile};
        c.cboDataType->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c.cboDataType);
        for (std::size_t i = 1; i < std::size(expected); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[i]);
        }
    }

    // At 1024 x 700 every page fits without cutting anything off.
    void FitsOnASmallScreen() {
        SessionRun run(folder_->path());
        run.Window().resize(1024, 700);
        run.Show();
        const QSize minimum = run.Window().minimumSizeHint();
        QVERIFY2(minimum.width() <= 1024 && minimum.height() <= 700,
                 qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
        // TOLVANOR_SHOTS=<folder> keeps a picture of each page for a look.
        const QString shots = qEnvironmentVariable("TOLVANOR_SHOTS");
        for (int page = 0; page < run.Controls().Tabs->count(); ++page) {
            run.Controls().Tabs->setCurrentIndex(page);
            QApplication::processEvents();
            if (!shots.isEmpty()) run.Window().grab().save(shots + QStringLiteral("/main-tab%1.png").arg(page + 1));
            for (auto* button : run.Controls().Tabs->widget(page)->findChildren<QAbstractButton*>()) {
                if (!button->isVisible()) continue;
                QVERIFY2(button->width() >= button->minimumSizeHint().width(), qPrintable(button->objectName()));
                QVERIFY2(button->height() >= button->minimumSizeHint().height(), qPrintable(button->objectName()));
            }
        }
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(MainTextsTest)
#include "MainTextsTest.moc"
