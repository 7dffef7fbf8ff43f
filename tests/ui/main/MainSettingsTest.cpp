// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's remembered settings, key filters and focus rules,
// through the real window.
#include "MainWindowTestSupport.h"

#include "core/MainSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

using tolvanor::testing::SessionRun;
namespace Key = tolvanor::SettingsKey;

class MainSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<QTemporaryDir>(); }

    // First run: only "UseDefault" is written, the lists start at 0.
    void FirstRunStoresOnlyUseDefault() {
        SessionRun run(folder_->path());
        QVERIFY(run.Controls().mnuUseDefault->isChecked());
        QCOMPARE(run.Stored(Key::UseDefault), std::string("True"));
        for (auto* list : {run.Controls().cboDataType, run.Controls().cboElevProcessing, run.Controls().cboSortOrder,
                           run.Controls().cboPosnProcessing, run.Controls().cboThinMethod}) {
            QCOMPARE(list->currentIndex(), 0);
        }
        run.Settings().Settings().sync();
        QCOMPARE(run.Settings().Settings().allKeys(), QStringList{QStringLiteral("Last Setting/UseDefault")});
        QVERIFY(run.Prompter().Calls().empty());
    }

    // Every control stores its own key as the user changes it, and a
    // restart restores it.
    void ControlsStoreTheirKeysAndComeBack() {
        const QString sourceFile = tolvanor::testing::SamplePath("survey.tvn");
        {
            SessionRun run(folder_->path());
            run.Show();
            const auto& c = run.Controls();
            ChooseByKeyboard(c.cboDataType, 3);
            ChooseByKeyboard(c.cboElevProcessing, 2);
            ChooseByKeyboard(c.cboSortOrder, 6);
            ChooseByKeyboard(c.cboPosnProcessing, 3);
            ChooseByKeyboard(c.cboThinMethod, 1);
            for (auto* box :
                 {c.chkExcelFormat, c.chkIntergraphFormat, c.chkISRPNewFormat, c.chkISRPBPAS, c.chkISRPIntergraphFormat,
                  c.chkRangeElevRemFormat, c.chkXLSFormat, c.chkAppendTemplate}) {
                c.Tabs->setCurrentIndex(1);
                QTest::mouseClick(box, Qt::LeftButton);
            }
            QTest::mouseClick(c.optIndividualFiles, Qt::LeftButton);
            c.mnuFormatProfileNumbers->trigger();
            c.Tabs->setCurrentIndex(0);
            c.txtSourceFileName->setFocus();
            c.txtSourceFileName->setText(sourceFile);
            c.txtThinInc->setFocus();
            c.txtThinInc->setText(QStringLiteral("25"));
            c.txtAppendToProfile->setFocus();

            const std::pair<std::string_view, std::string> expected[] = {
                {Key::DataType, "3"},           {Key::ElevProcessing, "2"},
                {Key::SortOrder, "6"},          {Key::PosnProcessing, "3"},
                {Key::ThinMethod, "1"},         {Key::ExcelFormat, "1"},
                {Key::IntergraphFormat, "1"},   {Key::ISRPNewFormat, "1"},
                {Key::ISRPBPAS, "1"},           {Key::ISRPIntergraphFormat, "1"},
                {Key::RangeElevRemFormat, "1"}, {Key::XLSFormat, "1"},
                {Key::AppendTemplate, "1"},     {Key::SingleFile, "0"},
                {Key::IndividualFiles, "1"},    {Key::FormatProfileNumbers, "False"},
                {Key::ThinInc, "25"},           {Key::SourceFileName, sourceFile.toStdString()}};
            for (const auto& [key, value] : expected) QCOMPARE(run.Stored(key), value);
            QTest::mouseClick(c.optSingleFile, Qt::LeftButton);
            QCOMPARE(run.Stored(Key::SingleFile), std::string("1"));
            QCOMPARE(run.Stored(Key::IndividualFiles), std::string("0"));
            QTest::mouseClick(c.optIndividualFiles, Qt::LeftButton);
        }
        SessionRun restarted(folder_->path());
        const auto& c = restarted.Controls();
        QCOMPARE(c.cboDataType->currentIndex(), 3);
        QCOMPARE(c.cboElevProcessing->currentIndex(), 2);
        QCOMPARE(c.cboSortOrder->currentIndex(), 6);
        QCOMPARE(c.cboPosnProcessing->currentIndex(), 3);
        QCOMPARE(c.cboThinMethod->currentIndex(), 1);
        QVERIFY(c.chkXLSFormat->isChecked() && c.chkAppendTemplate->isChecked() && c.chkISRPBPAS->isChecked());
        QVERIFY(c.optIndividualFiles->isChecked() && !c.optSingleFile->isChecked());
        QVERIFY(!c.mnuFormatProfileNumbers->isChecked());
        QCOMPARE(c.txtThinInc->text(), QStringLiteral("25"));
        QCOMPARE(c.txtSourceFileName->text(), sourceFile);
        QCOMPARE(c.txtSourceFileName->cursorPosition(), sourceFile.size());
        // The editor reads the restored choices.
        QCOMPARE(restarted.Session().Editor().Options().SortOrder, 6);
        QVERIFY(!restarted.Session().Editor().Options().FormatProfileNumbers);
    }

    // "Use last setting as default on startup" off: a restart restores
    // nothing, and the menu item stays unchecked.
    void UseDefaultOffRestoresNothing() {
        {
            SessionRun run(folder_->path());
            run.Show();
            ChooseByKeyboard(run.Controls().cboSortOrder, 4);
            run.Controls().mnuUseDefault->trigger();
            QCOMPARE(run.Stored(Key::UseDefault), std::string("False"));
        }
        SessionRun restarted(folder_->path());
        QVERIFY(!restarted.Controls().mnuUseDefault->isChecked());
        QCOMPARE(restarted.Controls().cboSortOrder->currentIndex(), 0);
        QCOMPARE(restarted.Stored(Key::SortOrder), std::string("4"));
    }

    // A stored folder that is gone: the message names the default folder.
    void MissingOutputFolderFallsBackToHome() {
        {
            tolvanor::ui::QtSettingsStore store(folder_->path() + QStringLiteral("/Tolvanor1.ini"),
                                                QSettings::IniFormat);
            store.Save(Key::UseDefault, "True");
            store.Save(Key::OutputDirectoryPath, (folder_->path() + QStringLiteral("/gone")).toStdString());
        }
        SessionRun run(folder_->path());
        const std::string home = QDir::homePath().toStdString();
        QCOMPARE(run.Prompter().Messages(),
                 std::vector<std::string>{"Previously used drive or folder not found.  Defaulting output to " + home});
        QCOMPARE(run.Window().OutputFolder(), QDir::homePath());
        QCOMPARE(run.Stored(Key::OutputDirectoryPath), home);
    }

    // Each box has its filter; what each filter takes is the core's to test.
    void KeyFilters() {
        SessionRun run(folder_->path());
        run.Show();
        ChooseByKeyboard(run.Controls().cboElevProcessing, 1); // the change box takes input
        const char* const cases[][3] = {{"txtAppendToProfile", "a b,+-7", "ab+-7"},
                                        {"txtElevChange", "-2.5%x", "2.5%"},
                                        {"txtSurveyDate", "26a10+14", "261014"},
                                        {"txtSurveyTime", "1 2:3", "123"},
                                        {"txtThinInc", "1.5", "15"},
                                        {"txtLocalityCode", "nj", "NJ"}};
        auto* tabs = run.Controls().Tabs;
        for (const auto& [box, typed, result] : cases) {
            auto* edit = run.Window().findChild<QLineEdit*>(box);
            QVERIFY2(edit != nullptr, box);
            for (int page = 0; page < tabs->count(); ++page) {
                if (tabs->widget(page)->isAncestorOf(edit)) tabs->setCurrentIndex(page);
            }
            edit->clear();
            edit->setFocus();
            QTest::keyClicks(edit, typed);
            QCOMPARE(edit->text(), QLatin1String(result));
        }
    }

    // Left at 0, the thin increment says so and takes the focus back; a
    // valid value is stored when the box is left.
    void ThinIncrementKeepsTheFocusUntilValid() {
        SessionRun run(folder_->path());
        run.Show();
        auto* thin = run.Controls().txtThinInc;
        thin->setFocus();
        QTRY_VERIFY(thin->hasFocus());
        thin->setText(QStringLiteral("0"));
        QTest::keyClick(thin, Qt::Key_Tab);
        QCOMPARE(run.Prompter().Messages(),
                 std::vector<std::string>{"Invalid Increment.  Must be integer, greater than 0"});
        QTRY_VERIFY(thin->hasFocus());
        QCOMPARE(run.Stored(Key::ThinInc), std::string("<absent>"));
        thin->setText(QStringLiteral("3"));
        QTest::keyClick(thin, Qt::Key_Tab);
        QCOMPARE(run.Prompter().Messages().size(), std::size_t{1});
        QCOMPARE(run.Stored(Key::ThinInc), std::string("3"));
    }

    // Entering a box selects its text; the elevation change box is enabled
    // only for an operation that uses an amount.
    void EntrySelectsAllAndElevChangeFollowsTheOperation() {
        SessionRun run(folder_->path());
        run.Show();
        auto* append = run.Controls().txtAppendToProfile;
        append->setText(QStringLiteral("XY"));
        run.Controls().txtSourceFileName->setFocus();
        QTest::keyClick(run.Controls().txtSourceFileName, Qt::Key_Tab, Qt::NoModifier);
        append->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(append->selectedText(), QStringLiteral("XY"));

        auto* change = run.Controls().txtElevChange;
        const std::pair<int, bool> expected[] = {{0, false}, {1, true}, {2, true}, {3, false}, {4, true}, {5, true}};
        for (const auto& [index, enabled] : expected) {
            run.Controls().cboElevProcessing->setCurrentIndex(index);
            QCOMPARE(change->isEnabled(), enabled);
        }
    }

private:
    // Moves a list to `index` with the arrow keys, as a user would.
    static void ChooseByKeyboard(QComboBox* list, int index) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), index);
    }

    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(MainSettingsTest)
#include "MainSettingsTest.moc"
