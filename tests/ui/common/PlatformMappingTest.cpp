// SPDX-License-Identifier: GPL-3.0-or-later
// How the core's dialogs, texts and progress become Qt's.
#include "ui/common/BusyCursorGuard.h"
#include "ui/common/FileFilter.h"
#include "ui/common/ProgressDialog.h"
#include "ui/common/QtPrompter.h"
#include "ui/common/QtText.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace tolvanor;
using namespace tolvanor::ui;

class PlatformMappingTest : public QObject {
    Q_OBJECT

private slots:
    void FileFilters_data() {
        QTest::addColumn<QString>("core");
        QTest::addColumn<QString>("qt");
        QTest::newRow("name with its own pattern list") << "Trimble (*.csv , *.xyz)|*.csv;*.xyz|All Files (*.*)|*.*|"
                                                        << "Trimble (*.csv *.xyz);;All Files (*)";
        QTest::newRow("plain name, no closing bar") << "Template Files (*.itf)|*.itf|All Files (*.*)|*.*"
                                                    << "Template Files (*.itf);;All Files (*)";
        QTest::newRow("name without brackets") << "Tolvanor (.tvn)|*.tvn|"
                                               << "Tolvanor (*.tvn)";
        QTest::newRow("every file only") << "All Files (*.*)|*.*|"
                                         << "All Files (*)";
    }
    void FileFilters() {
        QFETCH(QString, core);
        QFETCH(QString, qt);
        QCOMPARE(QtFileFilter(core), qt);
    }

    void MessageBoxMapping() {
        QCOMPARE(QtMessageIcon(MessageIcon::Exclamation), QMessageBox::Warning);
        QCOMPARE(QtMessageIcon(MessageIcon::Information), QMessageBox::Information);
        QCOMPARE(QtMessageIcon(MessageIcon::Question), QMessageBox::Question);
        QCOMPARE(QtMessageIcon(MessageIcon::Critical), QMessageBox::Critical);
        QCOMPARE(QtMessageButtons(MessageButtons::YesNoCancel),
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(QtDefaultButton(MessageButtons::YesNo, DefaultButton::Second), QMessageBox::No);
        QCOMPARE(QtDefaultButton(MessageButtons::OkCancel, DefaultButton::Second), QMessageBox::Cancel);
        QCOMPARE(AnswerOf(QMessageBox::No), MessageAnswer::No);
        QCOMPARE(DialogTitle(""), QStringLiteral("Tolvanor"));
        QCOMPARE(DialogTitle("Error"), QStringLiteral("Error"));
    }

    // A real box: its text, title, icon and default button, answered with Enter.
    void MessageBoxShowsTheRequest() {
        QtPrompter prompter;
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            QTest::keyClick(box, Qt::Key_Return);
        });
        const MessageAnswer answer = prompter.Message(MessageRequest{
            "Data has changed.\rQuit?", "", MessageButtons::YesNo, MessageIcon::Exclamation, DefaultButton::Second});
        QCOMPARE(answer, MessageAnswer::No);
        QCOMPARE(text, QStringLiteral("Data has changed.\nQuit?"));
        QCOMPARE(title, QStringLiteral("Tolvanor"));
        QCOMPARE(icon, QMessageBox::Warning);
    }

    void Texts() {
        QCOMPARE(TextToQt("PRO 12 \xe9t\x80"), QString::fromUtf8("PRO 12 \xc3\xa9t\xe2\x82\xac")); // Windows-1252
        QCOMPARE(TextToQt("/home/m\xc3\xa4ler"), QString::fromUtf8("/home/m\xc3\xa4ler"));         // valid UTF-8
        QCOMPARE(WithQtLineBreaks(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
        QCOMPARE(PathFromQt(PathToQt("/tmp/b\xc3\xa4r.tvn")), std::string("/tmp/b\xc3\xa4r.tvn"));
    }

    // Short work shows nothing; long work shows the dialog, and events keep
    // running (a timer fires) while the work reports.
    void ProgressKeepsTheLoopRunning() {
        QWidget owner;
        {
            ProgressDialog quick(&owner, QStringLiteral("Reading"));
            for (int i = 0; i < 1000; ++i) quick.Report(i, 1000);
            QVERIFY(!quick.Shown());
        }
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        ProgressDialog slow(&owner, QStringLiteral("Reading"));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ProgressDialog::ShowDelayMs + 200) slow.Report(clock.elapsed(), 10000);
        QVERIFY(slow.Shown());
        QVERIFY(slow.EventPasses() > 5);
        QVERIFY(ticks > 5);
    }

    void BusyPointerNestsAndRestores() {
        {
            BusyCursorGuard outer;
            {
                BusyCursorGuard inner;
                QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            }
            QVERIFY(QApplication::overrideCursor() != nullptr);
        }
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(PlatformMappingTest)
#include "PlatformMappingTest.moc"
