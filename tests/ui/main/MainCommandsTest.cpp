// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands through the real window: loading, saving,
// quitting, the output folder tools and Generate Output, against the core's
// messages and the batch program's files.
#include "MainWindowTestSupport.h"

#include "core/MainSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>

using tolvanor::MessageAnswer;
using tolvanor::testing::FileBytes;
using tolvanor::testing::SamplePath;
using tolvanor::testing::ScriptedPrompter;
using tolvanor::testing::SessionRun;
using tolvanor::ui::MainWindow;
namespace Key = tolvanor::SettingsKey;

namespace {

constexpr int SavedJob = 5;
constexpr int Trimble = 0;

} // namespace

class MainCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { folder_ = std::make_unique<QTemporaryDir>(); }

    // The sample job loads and the editor is refreshed and asked for; New
    // File over unsaved work then asks first, and No keeps the job.
    void NewFile_data() {
        QTest::addColumn<bool>("discard");
        QTest::newRow("No keeps the work") << false;
        QTest::newRow("Yes loads the new file") << true;
    }
    void NewFile() {
        QFETCH(bool, discard);
        SessionRun run(folder_->path());
        QSignalSpy editorWanted(&run.Window(), &MainWindow::EditorWindowRequested);
        run.Load(SamplePath("survey.tvn"), SavedJob);
        QVERIFY(run.Prompter().Messages().empty());
        QCOMPARE(run.GetJob().LineCount, 4);
        QCOMPARE(editorWanted.count(), 1);
        QCOMPARE(run.Session().Editor().ProfileList().size(), std::size_t{4});
        QVERIFY(!run.GetJob().DataChanged);
        QVERIFY(run.Window().statusBar()->currentMessage().startsWith(QStringLiteral("4 lines loaded")));

        run.GetJob().DataChanged = true;
        run.Prompter().QueueAnswer(discard ? MessageAnswer::Yes : MessageAnswer::No);
        const std::int32_t shotsBefore = run.GetJob().ShotCount(1);
        run.Load(SamplePath("survey-trimble.csv"), Trimble);
        const auto& calls = run.Prompter().Calls();
        QCOMPARE(calls.size(), std::size_t{1});
        QCOMPARE(calls[0].Message.Text, std::string("Data has changed but you have not saved your work.\r"
                                                    "Do you want to discard it and load the new file?"));
        QCOMPARE(calls[0].Message.Default, tolvanor::DefaultButton::Second);
        QCOMPARE(run.GetJob().DataChanged, !discard);
        QCOMPARE(run.GetJob().LineCount, 4); // the Trimble file holds the same four profiles
        // The land shots alone, or the whole job still there.
        QCOMPARE(run.GetJob().ShotCount(1) != shotsBefore, discard);
    }

    // The core's refusal reaches the user, and nothing is loaded.
    void AppendDataOfAMissingFile() {
        SessionRun run(folder_->path());
        QSignalSpy editorWanted(&run.Window(), &MainWindow::EditorWindowRequested);
        run.Controls().txtSourceFileName->setText(folder_->filePath("none.csv"));
        QTest::mouseClick(run.Controls().cmdAppend, Qt::LeftButton);
        QCOMPARE(run.Prompter().Messages(),
                 std::vector<std::string>{"Selected source file does not exist.  Please select another file."});
        QCOMPARE(run.GetJob().LineCount, 0);
        QCOMPARE(editorWanted.count(), 0);
    }

    // Save Data writes what tolvanor-batch --save-job writes of the same load.
    void SaveDataMatchesTheBatchProgram() {
        SessionRun run(folder_->path());
        run.Controls().txtStartingPointFile->setText(SamplePath("survey.spf"));
        run.Load(SamplePath("survey-trimble.csv"), Trimble);
        run.GetJob().DataChanged = true;
        run.Prompter().QueueText(folder_->filePath("window").toStdString());
        QTest::mouseClick(run.Controls().cmdSave, Qt::LeftButton);
        const auto& request = run.Prompter().Calls().back().File;
        QCOMPARE(request.Title, std::string("Save Work in Process"));
        QVERIFY(!run.GetJob().DataChanged);

        const int status = tolvanor::testing::RunBatch(
            {SamplePath("survey-trimble.csv"), QStringLiteral("--type"), QStringLiteral("0"), QStringLiteral("--spf"),
             SamplePath("survey.spf"), QStringLiteral("--save-job"), folder_->filePath("batch.tvn")},
            folder_->path());
        QCOMPARE(status, 0);
        const QByteArray window = FileBytes(folder_->filePath("window.tvn"));
        QVERIFY(window.size() > 1000);
        QCOMPARE(window, FileBytes(folder_->filePath("batch.tvn")));
    }

    // Quit with unsaved work: No keeps the program and its data, Yes ends it.
    void QuitAsksAboutUnsavedWork_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Quit button") << "cmdQuit";
        QTest::newRow("Exit menu") << "mnuExit";
        QTest::newRow("close box") << "close";
    }
    void QuitAsksAboutUnsavedWork() {
        QFETCH(QString, how);
        SessionRun run(folder_->path());
        run.Show();
        run.Load(SamplePath("survey.tvn"), SavedJob);
        run.GetJob().DataChanged = true;
        QSignalSpy finished(&run.Session(), &tolvanor::desktop::DesktopSession::Finished);
        const auto quit = [&] {
            if (how == QLatin1String("cmdQuit")) QTest::mouseClick(run.Controls().cmdQuit, Qt::LeftButton);
            if (how == QLatin1String("mnuExit")) run.Controls().mnuExit->trigger();
            if (how == QLatin1String("close")) run.Window().close();
        };
        run.Prompter().QueueAnswer(MessageAnswer::No);
        quit();
        QCOMPARE(run.Prompter().Messages(),
                 std::vector<std::string>{"Data has changed but you have not saved your work.\r"
                                          "Do you want to quit without saving?"});
        QVERIFY(run.Window().isVisible());
        QCOMPARE(finished.count(), 0);
        QCOMPARE(run.GetJob().LineCount, 4);
        run.Prompter().QueueAnswer(MessageAnswer::Yes);
        quit();
        QCOMPARE(finished.count(), 1);
    }

    // The root without a doubled separator, a folder, and a long path cut to its last 60 characters.
    void PrefixPreview_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("preview");
        const QString deep = QStringLiteral("/surveys/2026/october/beach-north/profiles/deliverables");
        const QString whole = deep + QStringLiteral("/northbeach.xxx");
        QTest::newRow("root") << QString("/") << QString("job") << QString("/job.xxx");
        QTest::newRow("folder") << QString("/data") << QString("job") << QString("/data/job.xxx");
        QTest::newRow("over 60 characters") << deep << QString("northbeach") << "..." + whole.right(60);
    }
    void PrefixPreview() {
        QFETCH(QString, folder);
        QFETCH(QString, prefix);
        QFETCH(QString, preview);
        SessionRun run(folder_->path());
        QCOMPARE(run.Controls().lblOutFileString->text(), QStringLiteral("(need to select an output file prefix)"));
        run.Window().SetOutputFolder(folder);
        run.Prompter().QueueText(prefix.toStdString());
        QTest::mouseClick(run.Controls().cmdFilePrefix, Qt::LeftButton);
        QCOMPARE(run.Controls().lblOutFileString->text(), preview);
        QCOMPARE(run.Stored(Key::OutputPrefix), prefix.toStdString());
        QCOMPARE(run.Prompter().Calls()[0].Input.Title, std::string("Set Output File Prefix"));
        // Typed into the box: the preview follows, the setting does not.
        run.Controls().txtOutputPrefix->setText(QStringLiteral("x"));
        QVERIFY(run.Controls().lblOutFileString->text().endsWith(QStringLiteral("x.xxx")));
        QCOMPARE(run.Stored(Key::OutputPrefix), prefix.toStdString());
    }

    // New Folder makes the folder below the output folder and moves there;
    // Cancel in the confirmation makes nothing.
    void NewFolder() {
        SessionRun run(folder_->path());
        run.Window().SetOutputFolder(folder_->path());
        run.Prompter().QueueText("cancelled");
        run.Prompter().QueueAnswer(MessageAnswer::Cancel);
        run.Controls().tbrNewFolder->trigger();
        QVERIFY(!QDir(folder_->filePath("cancelled")).exists());
        run.Prompter().QueueText("out");
        run.Controls().tbrNewFolder->trigger();
        const QString made = folder_->filePath("out");
        QVERIFY(QDir(made).exists());
        QCOMPARE(run.Window().OutputFolder(), made);
        QCOMPARE(run.Stored(Key::OutputDirectoryPath), made.toStdString());
        const auto& confirm = run.Prompter().Calls()[3].Message;
        QCOMPARE(confirm.Text, " Are you sure you want to create a new folder named:  " + made.toStdString());
        QCOMPARE(confirm.Title, std::string("Confirm New Folder"));
        // The same name again: the failure is shown and the folder stays.
        run.Window().SetOutputFolder(folder_->path());
        run.Prompter().QueueText("out");
        run.Controls().tbrNewFolder->trigger();
        QVERIFY(run.Prompter().Messages().back().rfind("Unable to create the folder " + made.toStdString(), 0) == 0);
        QCOMPARE(run.Window().OutputFolder(), folder_->path());
    }

    void ChangeDrive() {
        SessionRun run(folder_->path());
        run.Window().SetOutputFolder(folder_->path());
        run.Prompter().QueueText(folder_->filePath("gone").toStdString());
        run.Controls().tbrChangeDrive->trigger();
        QCOMPARE(run.Prompter().Messages(), std::vector<std::string>{"Drive not found or no media in drive"});
        QCOMPARE(run.Window().OutputFolder(), folder_->path());
        QCOMPARE(run.Prompter().Calls()[0].Input.Title, std::string("Switch to New Output Drive"));
        QCOMPARE(run.Prompter().Calls()[0].Input.DefaultText, QDir::rootPath().toStdString()); // the first volume
        run.Prompter().QueueText(QDir::rootPath().toStdString());
        run.Controls().tbrChangeDrive->trigger();
        QCOMPARE(run.Window().OutputFolder(), QDir::rootPath());
    }

    // The template and starting-point dialogs fill their boxes and settings;
    // a cancelled dialog keeps the box.
    void FileChoosers() {
        SessionRun run(folder_->path());
        const std::string itf = SamplePath("survey.itf").toStdString();
        run.Prompter().QueueText(itf);
        QTest::mouseClick(run.Controls().cmdSelectTemplateFile, Qt::LeftButton);
        QCOMPARE(run.Controls().txtTemplateFile->text().toStdString(), itf);
        QCOMPARE(run.Stored(Key::TemplateFile), itf);
        QCOMPARE(run.Prompter().Calls()[0].File.Filter,
                 std::string("Template Files (*.itf)|*.itf|All Files (*.*)|*.*"));
        QTest::mouseClick(run.Controls().cmdSelectTemplateFile, Qt::LeftButton);
        QCOMPARE(run.Controls().txtTemplateFile->text().toStdString(), itf);

        QSignalSpy named(&run.Window(), &MainWindow::StartingPointFileNamed);
        const std::string spf = SamplePath("survey.spf").toStdString();
        run.Prompter().QueueText(spf);
        QTest::mouseClick(run.Controls().cmdSelectSPFile, Qt::LeftButton);
        QCOMPARE(run.Stored(Key::StartingPoint), spf);
        QCOMPARE(run.Session().Editor().Options().StartingPointFile, spf);
        QCOMPARE(named.count(), 1);

        run.Controls().cboDataType->setCurrentIndex(4);
        run.Prompter().QueueText(SamplePath("survey-field.co").toStdString());
        QTest::mouseClick(run.Controls().cmdSelectInputFile, Qt::LeftButton);
        QCOMPARE(run.Prompter().Calls().back().File.Filter, std::string("Field (*.co)|*.co|All Files (*.*)|*.*|"));
        QCOMPARE(run.Stored(Key::SourceFileName), SamplePath("survey-field.co").toStdString());
        QCOMPARE(run.Controls().txtSourceFileName->cursorPosition(), run.Controls().txtSourceFileName->text().size());
    }

    // Merge Starting Points: its two checks, then the summary and the list of
    // lines of the file that could not be used.
    void MergeStartingPoints() {
        SessionRun run(folder_->path());
        run.Load(SamplePath("survey-trimble.csv"), Trimble);
        QTest::mouseClick(run.Controls().cmdMergeStartingPoints, Qt::LeftButton);
        run.Controls().txtStartingPointFile->setText(folder_->filePath("none.spf"));
        QTest::mouseClick(run.Controls().cmdMergeStartingPoints, Qt::LeftButton);
        QCOMPARE(
            run.Prompter().Messages(),
            (std::vector<std::string>{"No Starting Point File specified",
                                      "Specified Starting Point File does not exist.  Please select another file."}));
        QCOMPARE(run.Prompter().Calls()[0].Message.Title, std::string("Error"));

        run.Controls().txtStartingPointFile->setText(
            tolvanor::testing::TestDataPath("startpoints/unreadable-entries.spf"));
        QTest::mouseClick(run.Controls().cmdMergeStartingPoints, Qt::LeftButton);
        QVERIFY(run.Window().statusBar()->currentMessage().startsWith(QStringLiteral("Starting points: ")));
        auto* list = run.Window().findChild<QListWidget*>(QStringLiteral("lstSkippedLines"));
        QVERIFY(list != nullptr);
        QVERIFY(list->isVisible());
        QVERIFY(list->count() > 0);
        QVERIFY(list->item(0)->text().startsWith(QStringLiteral("line ")));
    }

    // Generate Output writes the files tolvanor-batch writes with the same options.
    void GenerateOutputMatchesTheBatchProgram() {
        SessionRun run(folder_->path());
        QDir(folder_->path()).mkdir(QStringLiteral("window"));
        QDir(folder_->path()).mkdir(QStringLiteral("batch"));
        const auto& c = run.Controls();
        c.txtStartingPointFile->setText(SamplePath("survey.spf"));
        run.Load(SamplePath("survey-trimble.csv"), Trimble);
        for (auto* box : {c.chkExcelFormat, c.chkIntergraphFormat, c.chkISRPNewFormat, c.chkISRPIntergraphFormat,
                          c.chkRangeElevRemFormat, c.chkXLSFormat, c.chkAppendTemplate}) {
            box->setChecked(true);
        }
        c.txtTemplateFile->setText(SamplePath("survey.itf"));
        c.txtLocalityCode->setText(QStringLiteral("NB"));
        c.txtSurveyDate->setText(QStringLiteral("261014"));
        c.optSurveyType[1]->setChecked(true);
        c.cboPosnProcessing->setCurrentIndex(3);
        c.cboThinMethod->setCurrentIndex(1);
        c.txtThinInc->setText(QStringLiteral("5"));
        c.txtOutputPrefix->setText(QStringLiteral("beach"));
        run.Window().SetOutputFolder(folder_->filePath("window"));
        c.tbrGenerateOutput->trigger();
        QCOMPARE(run.Prompter().Messages().back(),
                 std::string("Any valid output file types have been created in the specified folder!"));

        QStringList arguments = QStringLiteral("--type 0 --posn 3 --thin-method 1 --thin-inc 5 --formats "
                                               "csv,xyz,irp,se,rer,xls --prefix beach --locality NB --date 261014 "
                                               "--survey-type 1")
                                    .split(QLatin1Char(' '));
        arguments << SamplePath("survey-trimble.csv") << "--spf" << SamplePath("survey.spf") << "--template"
                  << SamplePath("survey.itf") << "--out" << folder_->filePath("batch");
        const int status = tolvanor::testing::RunBatch(arguments, folder_->path());
        QCOMPARE(status, 0);
        const QStringList written = QDir(folder_->filePath("window")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(written, QDir(folder_->filePath("batch")).entryList(QDir::Files, QDir::Name));
        QCOMPARE(written.size(), 6);
        for (const QString& name : written) {
            QVERIFY2(FileBytes(folder_->filePath("window/" + name)) == FileBytes(folder_->filePath("batch/" + name)),
                     qPrintable(name));
        }
    }

    // A file named from outside, or dropped on the window, goes into the
    // source box, takes the data type its extension names, and is loaded.
    void OpenFromOutsideAndDrop_data() {
        QTest::addColumn<bool>("dropped");
        QTest::newRow("named") << false;
        QTest::newRow("dropped") << true;
    }
    void OpenFromOutsideAndDrop() {
        QFETCH(bool, dropped);
        SessionRun run(folder_->path());
        run.Show();
        if (dropped) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(SamplePath("survey.tvn"))});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&run.Window(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&run.Window(), &drop);
        } else {
            run.Window().OpenFromOutside(SamplePath("survey.tvn"));
        }
        QCOMPARE(run.Controls().cboDataType->currentIndex(), SavedJob);
        QCOMPARE(run.GetJob().LineCount, 4);
        QCOMPARE(run.Stored(Key::SourceFileName), SamplePath("survey.tvn").toStdString());
    }

    // Save and Exit: saves as prefix.tvn and ends; a failed save keeps the
    // program running with the work still unsaved.
    void SaveAndExit_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("saved and ended") << true;
        QTest::newRow("failed save keeps running") << false;
    }
    void SaveAndExit() {
        QFETCH(bool, writable);
        SessionRun run(folder_->path());
        run.Show();
        run.Load(SamplePath("survey.tvn"), SavedJob);
        run.GetJob().DataChanged = true;
        const QString prefix = folder_->filePath(writable ? "beach" : "missing/beach");
        run.Controls().txtOutputPrefix->setText(prefix);
        QSignalSpy finished(&run.Session(), &tolvanor::desktop::DesktopSession::Finished);
        run.Controls().Tabs->setCurrentIndex(1);
        QTest::mouseClick(run.Controls().cmdSaveExit, Qt::LeftButton);
        QCOMPARE(finished.count(), writable ? 1 : 0);
        QCOMPARE(QFile::exists(prefix + ".tvn"), writable);
        QCOMPARE(run.GetJob().DataChanged, !writable);
        QCOMPARE(run.Prompter().Messages().size(), std::size_t{writable ? 0u : 1u});
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(MainCommandsTest)
#include "MainCommandsTest.moc"
