// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place cell editor driven through the real editor window: keys and
// double clicks open it over the cell, Enter / Escape / a click elsewhere
// close it, each outcome checked against the job's records and the grid the
// core holds; the title-click sort, the starting-point boxes and Undo.
#include "EditorWindowHarness.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QLineEdit>

using namespace tolvanor;
using Col = LineDataColumn;

class CellEditingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typedTextIsCommittedWithEnter_data();
    void typedTextIsCommittedWithEnter();
    void keysAreFilteredPerColumn_data();
    void keysAreFilteredPerColumn();
    void openingWithoutTypingChangesNothing_data();
    void openingWithoutTypingChangesNothing();
    void neverOpensOverFixedColumns_data();
    void neverOpensOverFixedColumns();
    void escapeRestoresTheCell();
    void clickingAwayCommitsAndMovesThere();
    void clickingAwayWithNothingTypedRestores();
    void refusedShotTypeKeepsTheRecordsTypeThroughLaterStores();
    void eastingCommitResortsTheLine();
    void titleClicksSortAndMarkTheTitles();
    void startingPointBoxesSayWhereToChangeThem();
    void undoRestoresTheEditedCell_data();
    void undoRestoresTheEditedCell();
    void lineChangeDisablesUndo();
    void lineChangeWhileTypingStoresIntoTheEditedLine();

private:
    QLineEdit* Box() { return h_.Window().findChild<QLineEdit*>("txtCellText"); }
    // Types as a user does: the first key lands on the grid and opens the
    // editor, the rest go wherever the focus then is.
    void Type(const QString& keys);
    void TypeInto(int row, int col, const QString& keys);
    const ShotRecord& Shot(int k) { return h_.GetJob().Data.At(1, k); }

    testing::EditorWindowHarness h_;
    // A land shot of the first line with room below it (a water shot shows
    // the elevation its depths give, not the one stored).
    int LandRow = 0;
};

void CellEditingWindowTest::init() {
    QString failure;
    QVERIFY2(h_.Start(failure), qPrintable(failure));
    h_.GetJob().DataChanged = false;
    LandRow = 0;
    for (int k = 2; k + 8 <= h_.GetJob().ShotCount(1) && LandRow == 0; ++k)
        if (Shot(k).ShotType() == "L") LandRow = k;
    QVERIFY(LandRow > 0);
}

void CellEditingWindowTest::cleanup() {
    h_.Stop();
}

void CellEditingWindowTest::Type(const QString& keys) {
    for (const QChar key : keys) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : h_.Grid(), key.toLatin1());
    }
}

void CellEditingWindowTest::TypeInto(int row, int col, const QString& keys) {
    h_.SelectRows(row, row, col);
    QTest::keyClick(h_.Grid(), keys.at(0).toLatin1());
    Type(keys.mid(1));
}

void CellEditingWindowTest::typedTextIsCommittedWithEnter_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("reloaded"); // the cell once the line is shown again from the records
    QTest::newRow("elevation rounded, opening key kept") << int(Col::Elevation) << "12.345"
                                                         << "12.3"
                                                         << "12.3";
    QTest::newRow("DBT rounded to one decimal") << int(Col::DBT) << "3.456"
                                                << "3.5"
                                                << "3.50";
    QTest::newRow("heave") << int(Col::Heave) << ".125"
                           << ".13"
                           << ".13";
    QTest::newRow("shot type upper-cased") << int(Col::Shot) << "w"
                                           << "W"
                                           << "W";
    QTest::newRow("remark takes digits only") << int(Col::Remark) << "1a2"
                                              << "12 "
                                              << "12";
    QTest::newRow("pitch takes letters, stored as 0") << int(Col::Pitch) << "ab"
                                                      << "ab "
                                                      << ".00";
}

void CellEditingWindowTest::typedTextIsCommittedWithEnter() {
    QFETCH(int, col);
    QFETCH(QString, keys);
    QFETCH(QString, cell);
    QFETCH(QString, reloaded);
    const auto before = h_.Records(1);
    TypeInto(LandRow, col, keys);
    QVERIFY(Box()->isVisible());
    QTest::keyClick(Box(), Qt::Key_Return);
    QCOMPARE(h_.Grid()->currentIndex().column(), col); // Enter does not move on
    QVERIFY(!Box()->isVisible());
    QVERIFY(h_.Grid()->hasFocus());
    QCOMPARE(h_.CoreCell(LandRow, col), cell);
    QCOMPARE(h_.GridDifference(), QString());
    QVERIFY(h_.GetJob().DataChanged);
    QVERIFY(h_.Button("cmdUndo")->isEnabled());
    QCOMPARE(h_.CoreGrid().Row(), LandRow);
    QCOMPARE(h_.CoreGrid().Col(), col);
    // Only the edited shot changed, and it holds what the cell shows.
    const auto after = h_.Records(1);
    QCOMPARE(after.size(), before.size());
    for (std::size_t k = 0; k < after.size(); ++k)
        if (k != static_cast<std::size_t>(LandRow)) QVERIFY2(after[k] == before[k], qPrintable(QString::number(k)));
    h_.Editor().ArrayToGrid(1);
    QCOMPARE(h_.CoreCell(LandRow, col).trimmed(), reloaded);
}

void CellEditingWindowTest::keysAreFilteredPerColumn_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    const QString typed = "1x-.2Q";
    for (int col : {Col::Easting, Col::Northing, Col::Elevation, Col::DBT, Col::Heave, Col::Tide, Col::Remark})
        QTest::newRow(std::string(LineDataTitle(col)).c_str()) << col << typed << "1-.2 ";
    for (int col : {Col::Shot, Col::Pitch, Col::Roll})
        QTest::newRow(std::string(LineDataTitle(col)).c_str()) << col << typed << typed + " ";
    QTest::newRow("refused opening key") << int(Col::Elevation) << "x5"
                                         << "5 ";
}

void CellEditingWindowTest::keysAreFilteredPerColumn() {
    QFETCH(int, col);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    TypeInto(LandRow, col, keys);
    QVERIFY(Box()->isVisible());
    QCOMPARE(Box()->text(), shown);
    const auto rect = h_.Grid()->visualRect(h_.Grid()->model()->index(LandRow - 1, col));
    QCOMPARE(Box()->geometry(), rect);
    QCOMPARE(Box()->toolTip(), h_.CoreCell(LandRow, col));
    QTest::keyClick(Box(), Qt::Key_Escape);
}

void CellEditingWindowTest::openingWithoutTypingChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("double click") << "double click";
    QTest::newRow("F2") << "F2";
}

void CellEditingWindowTest::openingWithoutTypingChangesNothing() {
    QFETCH(QString, how);
    const auto before = h_.Records(1);
    const QString text = h_.CoreCell(LandRow, Col::Elevation);
    h_.SelectRows(LandRow, LandRow, Col::Elevation);
    if (how == "F2") {
        QTest::keyClick(h_.Grid(), Qt::Key_F2);
    } else {
        h_.DoubleClickCell(LandRow, Col::Elevation);
    }
    QVERIFY(Box()->isVisible());
    QCOMPARE(Box()->text(), QString(" "));
    QTest::keyClick(Box(), Qt::Key_Return);
    QVERIFY(!Box()->isVisible());
    QCOMPARE(h_.CoreCell(LandRow, Col::Elevation), text);
    QVERIFY(h_.Records(1) == before);
    QVERIFY(!h_.GetJob().DataChanged);
    QVERIFY(!h_.Button("cmdUndo")->isEnabled());
}

void CellEditingWindowTest::neverOpensOverFixedColumns_data() {
    QTest::addColumn<int>("col");
    for (int col : {Col::SeqNum, Col::Distance, Col::Ignore})
        QTest::newRow(std::string(LineDataTitle(col)).c_str()) << col;
}

void CellEditingWindowTest::neverOpensOverFixedColumns() {
    QFETCH(int, col);
    h_.SelectRows(LandRow, LandRow, col);
    QTest::keyClick(h_.Grid(), '5');
    h_.DoubleClickCell(LandRow, col);
    QVERIFY(!Box()->isVisible());
    QVERIFY(!h_.GetJob().DataChanged);
}

void CellEditingWindowTest::escapeRestoresTheCell() {
    const auto before = h_.Records(1);
    const QString text = h_.CoreCell(LandRow, Col::Tide);
    TypeInto(LandRow, Col::Tide, "99");
    QTest::keyClick(Box(), Qt::Key_Escape);
    QVERIFY(!Box()->isVisible());
    QVERIFY(Box()->text().isEmpty());
    QVERIFY(h_.Grid()->hasFocus());
    QCOMPARE(h_.CoreCell(LandRow, Col::Tide), text);
    QVERIFY(h_.Records(1) == before);
    QCOMPARE(h_.GridDifference(), QString());
    QVERIFY(!h_.Button("cmdUndo")->isEnabled());
}

void CellEditingWindowTest::clickingAwayCommitsAndMovesThere() {
    TypeInto(LandRow, Col::Elevation, "7.25");
    h_.ClickCell(LandRow + 4, Col::Remark);
    QVERIFY(!Box()->isVisible());
    QCOMPARE(h_.CoreCell(LandRow, Col::Elevation), QString("7.3"));
    QCOMPARE(Shot(LandRow).Elevation, 7.3f);
    QCOMPARE(h_.CoreGrid().Row(), LandRow + 4);
    QCOMPARE(h_.CoreGrid().Col(), int(Col::Remark));
    QCOMPARE(h_.Grid()->currentIndex().row(), LandRow + 3);
    QCOMPARE(h_.GridDifference(), QString());
    QVERIFY(h_.GetJob().DataChanged);
}

void CellEditingWindowTest::clickingAwayWithNothingTypedRestores() {
    const auto before = h_.Records(1);
    h_.SelectRows(LandRow, LandRow, Col::Elevation);
    QTest::keyClick(h_.Grid(), Qt::Key_F2);
    h_.ClickCell(LandRow + 2, Col::Northing);
    QVERIFY(!Box()->isVisible());
    QVERIFY(h_.Records(1) == before);
    QCOMPARE(h_.CoreGrid().Row(), LandRow + 2);
    QVERIFY(!h_.GetJob().DataChanged);
}

void CellEditingWindowTest::refusedShotTypeKeepsTheRecordsTypeThroughLaterStores() {
    const std::string type(Shot(LandRow).ShotType());
    QVERIFY(!type.empty());
    TypeInto(LandRow, Col::Shot, "x");
    QTest::keyClick(Box(), Qt::Key_Return);
    QCOMPARE(h_.Prompts().Messages(), std::vector<std::string>{"Shot type can only be B,L,S or W"});
    QCOMPARE(std::string(Shot(LandRow).ShotType()), type);
    QCOMPARE(h_.CoreCell(LandRow, Col::Shot), QString::fromStdString(type));
    QCOMPARE(h_.GridDifference(), QString());
    // The next commit stores the whole line; the refused row keeps its type.
    TypeInto(LandRow + 1, Col::Elevation, "4");
    QTest::keyClick(Box(), Qt::Key_Return);
    QCOMPARE(Shot(LandRow + 1).Elevation, 4.0f);
    QCOMPARE(std::string(Shot(LandRow).ShotType()), type);
}

void CellEditingWindowTest::eastingCommitResortsTheLine() {
    h_.Editor().Options().SortOrder = 2; // by easting
    const double last = Shot(h_.GetJob().ShotCount(1)).Easting;
    const int seq = Shot(LandRow).SeqNum;
    const QString typed = QString::number(last + 1, 'f', 1);
    TypeInto(LandRow, Col::Easting, typed);
    QTest::keyClick(Box(), Qt::Key_Return);
    const int n = h_.GetJob().ShotCount(1);
    QCOMPARE(Shot(n).SeqNum, seq);
    QCOMPARE(h_.CoreCell(n, Col::Easting), QString::number(typed.toDouble(), 'f', 4));
    QCOMPARE(h_.GridDifference(), QString());
    for (int k = 2; k <= n; ++k) QVERIFY(Shot(k - 1).Easting <= Shot(k).Easting);
}

void CellEditingWindowTest::titleClicksSortAndMarkTheTitles() {
    const auto eastings = [this] {
        std::vector<double> values;
        for (int k = 1; k <= h_.GetJob().ShotCount(1); ++k) values.push_back(Shot(k).Easting);
        return values;
    };
    const auto title = [this](int col) { return h_.Grid()->model()->headerData(col, Qt::Horizontal).toString(); };
    h_.ClickTitle(Col::Easting);
    QCOMPARE(title(Col::Easting), QString("> Easting"));
    auto values = eastings();
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    h_.ClickTitle(Col::Easting);
    QCOMPARE(title(Col::Easting), QString("< Easting"));
    values = eastings();
    QVERIFY(std::is_sorted(values.rbegin(), values.rend()));
    QCOMPARE(h_.GridDifference(), QString());
    h_.ClickTitle(Col::Northing);
    QCOMPARE(title(Col::Easting), QString("Easting"));
    QCOMPARE(title(Col::Northing), QString("> Northing"));
    const auto before = h_.Records(1);
    for (int col : {Col::Remark, Col::SeqNum}) {
        h_.ClickTitle(col);
        QCOMPARE(title(col), QString::fromStdString(std::string(LineDataTitle(col))));
    }
    QVERIFY(h_.Records(1) == before);
    // The marker stays across a line change.
    h_.Window().NextLine();
    QCOMPARE(title(Col::Northing), QString("> Northing"));
}

void CellEditingWindowTest::startingPointBoxesSayWhereToChangeThem() {
    for (const char* name : {"txtSPEasting", "txtSPNorthing", "txtSPAngle"}) {
        h_.Prompts().Reset();
        auto* box = h_.Window().findChild<QLineEdit*>(name);
        const QString text = box->text();
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h_.Prompts().Messages(),
                 std::vector<std::string>{"Starting Point data must be changed in Starting Point File"});
        QCOMPARE(box->text(), text);
    }
}

void CellEditingWindowTest::undoRestoresTheEditedCell_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Ctrl+Z") << "Ctrl+Z";
    QTest::newRow("cmdUndo") << "cmdUndo";
    QTest::newRow("mnuUndo") << "mnuUndo";
}

void CellEditingWindowTest::undoRestoresTheEditedCell() {
    QFETCH(QString, how);
    const auto before = h_.Records(1);
    const QString text = h_.CoreCell(LandRow + 2, Col::Elevation);
    TypeInto(LandRow + 2, Col::Elevation, "33");
    QTest::keyClick(Box(), Qt::Key_Return);
    h_.ClickCell(LandRow + 6, Col::Tide);
    QVERIFY(h_.Action("mnuUndo")->isEnabled());
    h_.GetJob().DataChanged = false;
    if (how == "Ctrl+Z") {
        QTest::keyClick(h_.Grid(), Qt::Key_Z, Qt::ControlModifier);
    } else if (how == "cmdUndo") {
        QTest::mouseClick(h_.Button("cmdUndo"), Qt::LeftButton);
    } else {
        h_.Action("mnuUndo")->trigger();
    }
    QVERIFY(h_.Records(1) == before);
    QCOMPARE(h_.CoreCell(LandRow + 2, Col::Elevation), text);
    QCOMPARE(h_.CoreGrid().Row(), LandRow + 2);
    QCOMPARE(h_.CoreGrid().Col(), int(Col::Elevation));
    QCOMPARE(h_.GridDifference(), QString());
    QVERIFY(h_.GetJob().DataChanged);
    QVERIFY(!h_.Button("cmdUndo")->isEnabled());
    QVERIFY(!h_.Action("mnuUndo")->isEnabled());
}

void CellEditingWindowTest::lineChangeDisablesUndo() {
    TypeInto(LandRow, Col::Elevation, "2");
    QTest::keyClick(Box(), Qt::Key_Return);
    QVERIFY(h_.Button("cmdUndo")->isEnabled());
    h_.Window().NextLine();
    QVERIFY(!h_.Button("cmdUndo")->isEnabled());
    QVERIFY(!h_.Action("mnuUndo")->isEnabled());
}

void CellEditingWindowTest::lineChangeWhileTypingStoresIntoTheEditedLine() {
    const auto second = h_.Records(2);
    TypeInto(LandRow, Col::Elevation, "99");
    QTest::keyClick(Box(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(h_.GetJob().CurrentLine, 2);
    QVERIFY(!Box()->isVisible());
    QCOMPARE(Shot(LandRow).Elevation, 99.0f);
    QVERIFY(h_.Records(2) == second);
    QCOMPARE(h_.GridDifference(), QString());
    QTest::keyClick(h_.Grid(), Qt::Key_Return); // nothing left open to store
    QVERIFY(h_.Records(2) == second);
}

QTEST_MAIN(CellEditingWindowTest)
#include "CellEditingWindowTest.moc"
