// SPDX-License-Identifier: GPL-3.0-or-later
// The internal source viewer and the View Source Data command, driven
// through their buttons with a scripted prompter.
#include "support/ScriptedPrompter.h"
#include "ui/main/SourceViewerWindow.h"
#include "ui/main/ViewSourceData.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using tolvanor::MessageAnswer;
using tolvanor::testing::ScriptedPrompter;
using tolvanor::ui::SourceViewerWindow;

namespace {

const QByteArray TrimbleText = "1,402511.375,161833,3.4,PRO12 B\r\n2,402512.5,161834,3.1,PRO12 L\r\n";
const std::string QuitQuestion = " Click OK to close without saving changes or Cancel to return";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

template <typename T> T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    if (child == nullptr) qFatal("no control %s", name);
    return child;
}

// Types at the end of the text, as a user editing the file would.
void TypeAtEnd(SourceViewerWindow& viewer, const QString& text) {
    auto* box = Child<QPlainTextEdit>(viewer, "rtfTextBox");
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, text);
}

} // namespace

class ViewerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        // The temporary copy goes to QDir::tempPath(), which follows TMPDIR.
        qputenv("TMPDIR", folder_->path().toLocal8Bit());
        source_ = folder_->filePath("shots.csv");
        Write(source_, TrimbleText);
    }

    void cleanup() { folder_.reset(); }

    void LoadShowsTheTextAndTheSourceName() {
        ScriptedPrompter prompter;
        SourceViewerWindow viewer(prompter);
        QVERIFY(viewer.Load(source_, source_));
        QCOMPARE(viewer.objectName(), QString("frmDisplaySourceData"));
        QCOMPARE(viewer.windowTitle(), QString("Source Data File"));
        QCOMPARE(Child<QLineEdit>(viewer, "txtFileName")->text(), source_);
        QVERIFY(Child<QLineEdit>(viewer, "txtFileName")->isReadOnly());
        QCOMPARE(viewer.Text(), QString::fromLatin1(TrimbleText).replace("\r\n", "\n"));
        QVERIFY(!viewer.IsModified());
        for (const char* name : {"txtFileName", "rtfTextBox", "cmdSave", "cmdQuit"}) {
            QVERIFY2(!Child<QWidget>(viewer, name)->accessibleName().isEmpty(), name);
        }
    }

    void QuitAsksOnlyAfterAnEdit_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::newRow("unchanged closes at once") << false << int(MessageAnswer::Cancel) << false << true;
        QTest::newRow("changed, OK closes") << true << int(MessageAnswer::Ok) << true << true;
        QTest::newRow("changed, Cancel stays") << true << int(MessageAnswer::Cancel) << true << false;
    }
    void QuitAsksOnlyAfterAnEdit() {
        QFETCH(bool, edit);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        ScriptedPrompter prompter;
        prompter.QueueAnswer(static_cast<MessageAnswer>(answer));
        SourceViewerWindow viewer(prompter);
        viewer.Load(source_, source_);
        viewer.show();
        if (edit) TypeAtEnd(viewer, "3,1,2,3,PRO13");
        QCOMPARE(viewer.IsModified(), edit);

        QTest::mouseClick(Child<QPushButton>(viewer, "cmdQuit"), Qt::LeftButton);
        QCOMPARE(prompter.Messages().empty(), !asked);
        if (asked) {
            QCOMPARE(prompter.Messages().front(), QuitQuestion);
            QCOMPARE(prompter.Calls().front().Message.Buttons, tolvanor::MessageButtons::OkCancel);
        }
        QCOMPARE(viewer.isVisible(), !closed);
        if (!closed) { // the title bar's close box asks the same
            prompter.QueueAnswer(MessageAnswer::Cancel);
            QVERIFY(!viewer.close());
            QVERIFY(viewer.isVisible());
            QCOMPARE(prompter.Messages(), std::vector<std::string>(2, QuitQuestion));
        }
        // Nothing was written: the source keeps its text whatever the answer.
        QCOMPARE(ReadAll(source_), TrimbleText);
    }

    // The main window closing ends the program: the viewer's edits are not lost unasked.
    void ClosingTheOwnerAsksFirst_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ownerCloses");
        QTest::newRow("unchanged: no question") << false << int(MessageAnswer::Cancel) << true;
        QTest::newRow("changed, OK: the owner closes") << true << int(MessageAnswer::Ok) << true;
        QTest::newRow("changed, Cancel: everything stays") << true << int(MessageAnswer::Cancel) << false;
    }
    void ClosingTheOwnerAsksFirst() {
        QFETCH(bool, edit);
        QFETCH(int, answer);
        QFETCH(bool, ownerCloses);
        ScriptedPrompter prompter;
        prompter.QueueAnswer(static_cast<MessageAnswer>(answer));
        QWidget owner;
        owner.show();
        auto* viewer = new SourceViewerWindow(prompter, &owner);
        viewer->Load(source_, source_);
        viewer->show();
        if (edit) TypeAtEnd(*viewer, "x");

        QCOMPARE(owner.close(), ownerCloses);
        QCOMPARE(prompter.Messages().size(), std::size_t(edit ? 1 : 0));
        QCOMPARE(owner.isVisible(), !ownerCloses);
        if (!ownerCloses) QVERIFY(viewer->isVisible() && viewer->IsModified());
    }

    void SaveWritesTheTextWithItsLineEndsAndClearsTheFlag_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("CR LF kept") << TrimbleText << TrimbleText + "3";
        QTest::newRow("LF kept") << QByteArray("1,2,3,4,PRO1\n") << QByteArray("1,2,3,4,PRO1\n3");
        // 0xB0 (a degree sign in Windows-1252) is not UTF-8: every byte comes back.
        QTest::newRow("8-bit bytes kept")
            << QByteArray("1,2,3,4,PRO1 \xb0\r\n") << QByteArray("1,2,3,4,PRO1 \xb0\r\n3");
        QTest::newRow("UTF-8 kept") << QByteArray("1,2,3,4,PRO1 \xc2\xb0\r\n")
                                    << QByteArray("1,2,3,4,PRO1 \xc2\xb0\r\n3");
    }
    void SaveWritesTheTextWithItsLineEndsAndClearsTheFlag() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, expected);
        Write(source_, original);
        const QString target = folder_->filePath("edited.csv");
        ScriptedPrompter prompter;
        prompter.QueueText(target.toStdString());
        SourceViewerWindow viewer(prompter);
        viewer.Load(source_, source_);
        viewer.show();
        TypeAtEnd(viewer, "3");

        QTest::mouseClick(Child<QPushButton>(viewer, "cmdSave"), Qt::LeftButton);
        QCOMPARE(ReadAll(target), expected);
        QCOMPARE(ReadAll(source_), original);
        QVERIFY(!viewer.IsModified());
        const auto& dialog = prompter.Calls().front();
        QCOMPARE(dialog.What, ScriptedPrompter::Kind::SaveFile);
        QCOMPARE(dialog.File.InitialPath, source_.toStdString());

        // Saved: Quit closes without the question.
        QTest::mouseClick(Child<QPushButton>(viewer, "cmdQuit"), Qt::LeftButton);
        QVERIFY(!viewer.isVisible());
        QCOMPARE(prompter.Messages().size(), std::size_t(0));
    }

    void CancelledOrFailedSaveKeepsTheChanges_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("failureShown");
        QTest::newRow("cancelled") << QString() << false;
        QTest::newRow("folder missing") << QString("missing/edited.csv") << true;
    }
    void CancelledOrFailedSaveKeepsTheChanges() {
        QFETCH(QString, answer);
        QFETCH(bool, failureShown);
        const QString target = answer.isEmpty() ? answer : folder_->filePath(answer);
        ScriptedPrompter prompter;
        prompter.QueueText(target.toStdString());
        SourceViewerWindow viewer(prompter);
        viewer.Load(source_, source_);
        viewer.show();
        TypeAtEnd(viewer, "3");

        QTest::mouseClick(Child<QPushButton>(viewer, "cmdSave"), Qt::LeftButton);
        QVERIFY(viewer.IsModified());
        QCOMPARE(prompter.Messages().size(), std::size_t(failureShown ? 1 : 0));
        if (failureShown) {
            QVERIFY(QString::fromStdString(prompter.Messages().front())
                        .startsWith("Unable to save the file.\r\n" + target));
        }
        QVERIFY(!QFile::exists(folder_->filePath("missing")));
    }

    void ViewSourceDataTakesTheRouteOfTheFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("systemOpens");
        QTest::addColumn<bool>("systemAsked");
        QTest::addColumn<bool>("messageShown");
        QTest::addColumn<bool>("viewerShown");
        QTest::newRow("opened by the system") << "shots.csv" << true << true << false << false;
        QTest::newRow("no program: message, then viewer") << "shots.csv" << false << true << true << true;
        QTest::newRow("job: viewer, no message") << "job.TVN" << true << false << false << true;
        QTest::newRow("missing file") << "gone.csv" << true << false << true << false;
        QTest::newRow("no file named") << "" << true << false << true << false;
    }
    void ViewSourceDataTakesTheRouteOfTheFile() {
        QFETCH(QString, file);
        QFETCH(bool, systemOpens);
        QFETCH(bool, systemAsked);
        QFETCH(bool, messageShown);
        QFETCH(bool, viewerShown);
        if (file == "job.TVN") Write(folder_->filePath(file), TrimbleText);
        const QString path = file.isEmpty() ? file : folder_->filePath(file);
        const QString copy = QDir(folder_->path()).filePath("tolvasource.tmp");
        Write(copy, "stale copy of an earlier file");
        ScriptedPrompter prompter;
        SourceViewerWindow viewer(prompter);
        QStringList asked;
        auto open = [&](const QString& f) {
            asked << f;
            return systemOpens;
        };

        tolvanor::ui::ViewSourceData(path, prompter, viewer, open);
        QCOMPARE(!asked.isEmpty(), systemAsked);
        if (systemAsked) QCOMPARE(asked, QStringList{path});
        QCOMPARE(prompter.Messages().size(), std::size_t(messageShown ? 1 : 0));
        const bool exists = QFile::exists(path);
        if (messageShown && !exists) {
            QCOMPARE(prompter.Messages().front(),
                     std::string("No valid filename specified.  Please select a valid file."));
        } else if (messageShown) {
            QVERIFY(QString::fromStdString(prompter.Messages().front()).startsWith("Unable to find a progam to open"));
        }
        QCOMPARE(viewer.isVisible(), viewerShown);
        // The copy is refreshed whenever the file exists, and the viewer shows it.
        QCOMPARE(ReadAll(copy), exists ? TrimbleText : QByteArray("stale copy of an earlier file"));
        if (viewerShown) {
            QCOMPARE(viewer.FileName(), path);
            QCOMPARE(viewer.Text(), QString::fromLatin1(TrimbleText).replace("\r\n", "\n"));
            QVERIFY(!viewer.IsModified());
        }
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString source_;
};

QTEST_MAIN(ViewerTest)
#include "ViewerTest.moc"
