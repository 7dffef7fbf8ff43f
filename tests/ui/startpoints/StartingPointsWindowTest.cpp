// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/startpoints/StartingPointsWindow.h"

#include "editor/EditorOptions.h"
#include "support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>
#include <memory>

using tolvanor::EditorOptions;
using tolvanor::MessageAnswer;
using tolvanor::testing::ScriptedPrompter;
using tolvanor::ui::StartingPointsWindow;

class StartingPointsWindowTest : public QObject {
    Q_OBJECT

    ScriptedPrompter prompter;
    EditorOptions options;
    std::unique_ptr<StartingPointsWindow> window;
    std::unique_ptr<QTemporaryDir> dir;

    template <typename T = QPushButton> T* Control(const char* name) const {
        auto* control = window->findChild<T*>(QString::fromLatin1(name));
        if (control == nullptr) qFatal("no control %s", name);
        return control;
    }
    void Click(const char* button) { QTest::mouseClick(Control(button), Qt::LeftButton); }
    void Type(int box, const QString& text) {
        auto* edit = window->EditBox(box);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void TypeEntry(const QString& profile, const QString& easting, const QString& northing, const QString& angle) {
        Type(0, profile);
        Type(1, easting);
        Type(2, northing);
        Type(3, angle);
    }
    void ClickRow(int row) {
        auto* grid = window->Grid();
        const auto rect = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    int Rows() const { return window->Grid()->model()->rowCount(); }
    QString Cell(int row, int col) const { return window->Grid()->model()->index(row, col).data().toString(); }
    QStringList Entries() const {
        QStringList entries;
        for (int row = 0; row < Rows(); ++row) {
            QStringList cells;
            for (int col = 0; col < 4; ++col) cells << Cell(row, col);
            entries << cells.join(',');
        }
        return entries;
    }
    QString Boxes() const {
        QStringList texts;
        for (int box = 0; box < 4; ++box) texts << window->EditBox(box)->text();
        return texts.join('|');
    }
    bool Saved() const { return Control<QCheckBox>("chkSaved")->isChecked(); }
    void OpenFile(const QString& path) {
        prompter.QueueText(path.toStdString());
        Click("cmdOpen");
    }
    QString TempPath(const QString& name) const { return dir->filePath(name); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init() {
        prompter.Reset();
        options = EditorOptions{};
        options.FormatProfileNumbers = false;
        dir = std::make_unique<QTemporaryDir>();
        window = std::make_unique<StartingPointsWindow>(prompter, options);
        window->ShowEditor({});
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        dir.reset();
    }

    void ShowsItsControlsAsNamed() {
        QCOMPARE(window->objectName(), QString("frmStartingPoints"));
        QCOMPARE(window->windowTitle(), QString("Starting Point File "));
        QVERIFY(!window->isModal());
        QCOMPARE(window->Grid()->objectName(), QString("fxgFlexGrid1"));
        QCOMPARE(window->Grid()->model()->headerData(2, Qt::Horizontal).toString(), QString("Northing"));
        QCOMPARE(window->Grid()->columnWidth(3), 100); // 1500 twips
        QCOMPARE(Control("cmdSave")->text(), QString("Save "));
        QCOMPARE(window->EditBox(3)->toolTip(), QString("Line Angle Edit Box"));
        QVERIFY(Control<QCheckBox>("chkSaved")->isHidden());
        QCOMPARE(Rows(), 1);
    }

    void AFreshWindowFillsRowOneThenAddsRows() {
        TypeEntry("12", "512040.25", "4108210.5", "290");
        Click("cmdAddData");
        QCOMPARE(Rows(), 1);
        QCOMPARE(Entries(), QStringList{"12,512040.25,4108210.5,290"});
        QCOMPARE(Boxes(), QString("|||"));
        TypeEntry("13", "1", "2", "3");
        // Enter in the last box adds the entry.
        QTest::keyClick(window->EditBox(3), Qt::Key_Return);
        QCOMPARE(Rows(), 2);
        QCOMPARE(Cell(1, 0), QString("13"));
        QVERIFY(!Saved());
        QCOMPARE(QApplication::focusWidget(), window->EditBox(0));
    }

    void KeepThisAngleKeepsOnlyTheAngle() {
        QTest::mouseClick(Control<QCheckBox>("chkKeepAngle"), Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(window->Editor().KeepAngle());
        TypeEntry("1", "10", "20", "289");
        Click("cmdAddData");
        QCOMPARE(Boxes(), QString("|||289"));
        Type(0, "2");
        Type(1, "11");
        Type(2, "21");
        Click("cmdAddData");
        QCOMPARE(Cell(1, 3), QString("289"));
    }

    void ProfileNumbersAreFormatted_data() {
        QTest::addColumn<bool>("threeDigits");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("7 with three digits") << true << QString("7") << QString("007");
        QTest::newRow("7 as typed") << false << QString("7") << QString("7");
        QTest::newRow("12a with three digits") << true << QString(" 12a") << QString("12A");
        QTest::newRow("12a as typed") << false << QString("12a") << QString("12A");
    }
    void ProfileNumbersAreFormatted() {
        QFETCH(bool, threeDigits);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        options.FormatProfileNumbers = threeDigits; // read at the command, as the main window keeps it
        TypeEntry(typed, "1", "2", "3");
        Click("cmdAddData");
        QCOMPARE(Cell(0, 0), stored);
    }

    void ANumberThatIsNotOneIsRefused() {
        TypeEntry("1", "500100.5", "41OO200", "45");
        Click("cmdAddData");
        QCOMPARE(prompter.Messages(), std::vector<std::string>{"Invalid Data.  The Northing must be a number."});
        QCOMPARE(Cell(0, 0), QString());
        QCOMPARE(QApplication::focusWidget(), window->EditBox(2)); // the box named
    }

    void AClickInTheGridUnticksTheSavedState() {
        const auto path = TempPath("two.spf");
        Write(path, "1,10,20,30\r\n2,11,21,31\r\n");
        OpenFile(path);
        QVERIFY(Saved());
        QCOMPARE(Control<QLineEdit>("txtCurrentFile")->text(), path);
        ClickRow(1);
        QVERIFY(!Saved());
        QCOMPARE(Boxes(), QString("2|11|21|31"));
        // The chosen row in the button-face colour, the others in the window background.
        const auto* model = window->Grid()->model();
        const auto palette = QApplication::palette();
        QCOMPARE(model->index(1, 2).data(Qt::BackgroundRole).value<QBrush>().color(), palette.color(QPalette::Button));
        QCOMPARE(model->index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(), palette.color(QPalette::Base));
        // Quit now asks, though nothing was typed; No hides and keeps the entries.
        prompter.QueueAnswer(MessageAnswer::No);
        Click("cmdQuit");
        QCOMPARE(prompter.Messages().back(), std::string("Do you wish to save your Starting Point File first?"));
        QVERIFY(!window->isVisible());
        window->ShowEditor({});
        QCOMPARE(Rows(), 2);
    }

    void QuitYesThenCancelledSaveKeepsTheWindow() {
        TypeEntry("1", "10", "20", "30");
        Click("cmdAddData");
        prompter.QueueAnswer(MessageAnswer::Yes); // save first? then the save dialog is cancelled
        Click("cmdQuit");
        QCOMPARE(prompter.Messages().back(), std::string("Your Starting Points were not saved"));
        QVERIFY(window->isVisible());
        // The title bar's close button asks the same question.
        prompter.QueueAnswer(MessageAnswer::Cancel);
        window->close();
        QVERIFY(window->isVisible());
    }

    // Closing the main window ends the program: typed entries are not lost unasked.
    void TheProgramsEndAsksAboutUnsavedEntries() {
        QWidget main;
        auto* child = new StartingPointsWindow(prompter, options, &main);
        main.show();
        main.close(); // nothing typed: no question
        QVERIFY(prompter.Messages().empty());
        main.show();
        child->EditBox(0)->setText("1");
        child->EditBox(1)->setText("2");
        child->EditBox(2)->setText("3");
        child->EditBox(3)->setText("4");
        child->AddNewEntry();
        child->hide();
        prompter.QueueAnswer(MessageAnswer::Cancel);
        main.close();
        QVERIFY(main.isVisible());
        QVERIFY(child->isVisible()); // shown, so the user sees what the question is about
        QCOMPARE(prompter.Messages(), std::vector<std::string>{"Do you wish to save your Starting Point File first?"});
        prompter.QueueAnswer(MessageAnswer::No);
        main.close();
        QVERIFY(!main.isVisible());
    }

    void DeleteKeyRemovesTheChosenEntry() {
        const auto path = TempPath("three.spf");
        Write(path, "1,10,20,30\r\n2,11,21,31\r\n3,12,22,32\r\n");
        OpenFile(path);
        ClickRow(1);
        QTest::keyClick(window->Grid(), Qt::Key_Delete);
        QCOMPARE(Entries(), (QStringList{"1,10,20,30", "3,12,22,32"}));
        QCOMPARE(Boxes(), QString("3|12|22|32"));
        Click("cmdDeleteEntry");
        QCOMPARE(Entries(), QStringList{"1,10,20,30"});
    }

    void TabFollowsTheBoxes() {
        window->EditBox(0)->setFocus();
        for (int box = 1; box < 4; ++box) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), window->EditBox(box));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Control("cmdAddData"));
        // A box that takes the focus has its whole text selected.
        window->EditBox(1)->setText("512013.70");
        window->EditBox(1)->setFocus();
        QTRY_COMPARE(window->EditBox(1)->selectedText(), QString("512013.70"));
    }

    void ALongPathIsShortened() {
        QString path = TempPath("");
        path += QString(80 - path.size() - 4, 'p') + ".spf";
        QCOMPARE(path.size(), 80);
        Write(path, "1,10,20,30\r\n");
        OpenFile(path);
        QCOMPARE(Control<QLineEdit>("txtCurrentFile")->text(), "..." + path.right(68));
    }

    void OpenEditSaveReopenKeepsTheEntries_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("threeDigits");
        QTest::newRow("sample survey") << TOLVANOR_SOURCE_DIR "/samples/survey.spf" << true;
        QTest::newRow("real origins") << TOLVANOR_REALDATA "/OriginAzimuth_WithHeader_Mana.csv" << false;
    }
    void OpenEditSaveReopenKeepsTheEntries() {
        QFETCH(QString, file);
        QFETCH(bool, threeDigits);
        if (!QFile::exists(file)) QSKIP("survey file not present");
        options.FormatProfileNumbers = threeDigits;
        OpenFile(file);
        auto expected = Entries();
        QVERIFY(expected.size() > 2);
        const int last = Rows() - 1;
        ClickRow(last);
        Type(1, "512999.125");
        Click("cmdEnterData");
        auto fields = expected[last].split(',');
        fields[1] = "512999.125";
        expected[last] = fields.join(',');
        QCOMPARE(Entries(), expected);

        const auto saved = TempPath("saved");
        prompter.QueueText(saved.toStdString());
        Click("cmdSave");
        QVERIFY(Saved());
        QCOMPARE(Control<QLineEdit>("txtCurrentFile")->text(), saved + ".spf");
        OpenFile(saved + ".spf");
        QCOMPARE(Entries(), expected);
    }

    // A save that stops part-way (the disc is full) leaves the old file as it was.
    void AFailedSaveKeepsTheOldFile() {
        const auto path = TempPath("kept.spf");
        const QByteArray old = "1,10,20,30\r\n";
        Write(path, old);
        for (int entry = 0; entry < 200; ++entry) {
            TypeEntry(QString::number(entry), "512013.70", "4108280.90", "289");
            Click("cmdAddData");
        }
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{1024, limit.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        prompter.QueueText(path.toStdString());
        Click("cmdSave");
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(Read(path), old);
        QVERIFY(!Saved());
        QVERIFY(prompter.Messages().back().starts_with("Unable to save the starting point file.\r\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"kept.spf"}); // no partial file left
    }
};

QTEST_MAIN(StartingPointsWindowTest)
#include "StartingPointsWindowTest.moc"
