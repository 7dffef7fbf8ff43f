// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place cell editor driven through the real editor window: keys and
// double clicks open it over the cell, Enter / Escape / a click elsewhere
// close it, each outcome checked against the job's records and the grid the
// core holds; the title-click sort, the starting-point boxes and Undo.
#include "EditorWindowHarness.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>

using namespace tolvanor;
using Col = LineDataColumn;

class CellEditingWindowTest : public QObject {
    Q_OBJECT

    testing::EditorWindowHarness h_;
    // A land shot of the first line with room below it (a water shot shows
    // the elevation its depths give, not the one stored).
    int LandRow = 0;

    QLineEdit* Box() { return h_.Window().findChild<QLineEdit*>("txtCellText"); }
    const ShotRecord& Shot(int k) { return h_.GetJob().Data.At(1, k); }
    // Types as a user does: the first key lands on the grid and opens the
    // editor, the rest go wherever the focus then is.
    void TypeInto(int row, int col, const QString& keys) {
        h_.SelectRows(row, row, col);
        QTest::keyClick(h_.Grid(), keys.at(0).toLatin1());
        for (const QChar key : keys.mid(1)) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target ? target : h_.Grid(), key.toLatin1());
        }
    }

private slots:
    void init() {
        QString failure;
        QVERIFY2(h_.Start(failure), qPrintable(failure));
        h_.GetJob().DataChanged = false;
        LandRow = 0;
        for (int k = 2; k + 8 <= h_.GetJob().ShotCount(1) && LandRow == 0; ++k)
            if (Shot(k).ShotType() == "L") LandRow = k;
        QVERIFY(LandRow > 0);
    }
    void cleanup() { h_.Stop(); }

    void typedTextIsCommittedWithEnter_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("reloaded"); // the cell once the line is shown again from the records
        const struct {
            const char* Name;
            int Col;
            const char *Keys, *Cell, *Reloaded;
        } rows[] = {{"elevation rounded, opening key kept", Col::Elevation, "12.345", "12.3", "12.3"},
                    {"DBT rounded to one decimal", Col::DBT, "3.456", "3.5", "3.50"},
                    {"pitch takes letters, stored as 0", Col::Pitch, "ab", "ab ", ".00"}};
        for (const auto& row : rows)
            QTest::newRow(row.Name) << row.Col << QString(row.Keys) << QString(row.Cell) << QString(row.Reloaded);
    }
    void typedTextIsCommittedWithEnter() {
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

    // The opening key goes through the core's filter, the keys after it
    // through the box's; the box lies over the cell.
    void keysAreFilteredPerColumn_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        const QString typed = "1x-.2Q";
        QTest::newRow("Elevation") << int(Col::Elevation) << typed << QString("1-.2 ");
        QTest::newRow("Remark") << int(Col::Remark) << typed << QString("1-.2 ");
        QTest::newRow("Shot") << int(Col::Shot) << typed << typed + " ";
        QTest::newRow("refused opening key") << int(Col::Elevation) << QString("x5") << QString("5 ");
    }
    void keysAreFilteredPerColumn() {
        QFETCH(int, col);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        TypeInto(LandRow, col, keys);
        QVERIFY(Box()->isVisible());
        QCOMPARE(Box()->text(), shown);
        QCOMPARE(Box()->geometry(), h_.Grid()->visualRect(h_.Grid()->model()->index(LandRow - 1, col)));
        QCOMPARE(Box()->toolTip(), h_.CoreCell(LandRow, col));
        QTest::keyClick(Box(), Qt::Key_Escape);
    }

    void openingWithoutTypingChangesNothing_data() {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double click") << true;
        QTest::newRow("F2") << false;
    }
    void openingWithoutTypingChangesNothing() {
        QFETCH(bool, doubleClick);
        const auto before = h_.Records(1);
        const QString text = h_.CoreCell(LandRow, Col::Elevation);
        h_.SelectRows(LandRow, LandRow, Col::Elevation);
        if (doubleClick) {
            h_.DoubleClickCell(LandRow, Col::Elevation);
        } else {
            QTest::keyClick(h_.Grid(), Qt::Key_F2);
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

    void neverOpensOverFixedColumns() {
        for (int col : {Col::SeqNum, Col::Distance, Col::Ignore}) {
            h_.SelectRows(LandRow, LandRow, col);
            QTest::keyClick(h_.Grid(), '5');
            h_.DoubleClickCell(LandRow, col);
            QVERIFY2(!Box()->isVisible(), qPrintable(QString::number(col)));
        }
        QVERIFY(!h_.GetJob().DataChanged);
    }

    void escapeRestoresTheCell() {
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

    // A click elsewhere closes the box and moves there: with nothing typed
    // the cell is restored, with text it is committed.
    void clickingAwayClosesAndMovesThere() {
        const auto before = h_.Records(1);
        h_.SelectRows(LandRow, LandRow, Col::Elevation);
        QTest::keyClick(h_.Grid(), Qt::Key_F2);
        h_.ClickCell(LandRow + 2, Col::Northing);
        QVERIFY(!Box()->isVisible());
        QVERIFY(h_.Records(1) == before);
        QCOMPARE(h_.CoreGrid().Row(), LandRow + 2);
        QVERIFY(!h_.GetJob().DataChanged);

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

    void refusedShotTypeIsExplainedAndKept() {
        const std::string type(Shot(LandRow).ShotType());
        QVERIFY(!type.empty());
        TypeInto(LandRow, Col::Shot, "x");
        QTest::keyClick(Box(), Qt::Key_Return);
        QCOMPARE(h_.Prompts().Messages(), std::vector<std::string>{"Shot type can only be B,L,S or W"});
        QCOMPARE(std::string(Shot(LandRow).ShotType()), type);
        QCOMPARE(h_.CoreCell(LandRow, Col::Shot), QString::fromStdString(type));
        QCOMPARE(h_.GridDifference(), QString());
    }

    void eastingCommitResortsTheLine() {
        h_.Editor().Options().SortOrder = 2; // by easting
        const double last = Shot(h_.GetJob().ShotCount(1)).Easting;
        const int seq = Shot(LandRow).SeqNum;
        TypeInto(LandRow, Col::Easting, QString::number(last + 1, 'f', 1));
        QTest::keyClick(Box(), Qt::Key_Return);
        QCOMPARE(Shot(h_.GetJob().ShotCount(1)).SeqNum, seq);
        QCOMPARE(h_.GridDifference(), QString());
        // A line change drops the undo snapshot.
        QVERIFY(h_.Button("cmdUndo")->isEnabled());
        h_.Window().NextLine();
        QVERIFY(!h_.Button("cmdUndo")->isEnabled());
        QVERIFY(!h_.Action("mnuUndo")->isEnabled());
    }

    void titleClicksSortAndMarkTheTitles() {
        const auto title = [this](int col) { return h_.Grid()->model()->headerData(col, Qt::Horizontal).toString(); };
        const auto sorted = [this](bool ascending) {
            std::vector<double> eastings;
            for (int k = 1; k <= h_.GetJob().ShotCount(1); ++k) eastings.push_back(Shot(k).Easting);
            return ascending ? std::is_sorted(eastings.begin(), eastings.end())
                             : std::is_sorted(eastings.rbegin(), eastings.rend());
        };
        h_.ClickTitle(Col::Easting);
        QCOMPARE(title(Col::Easting), QString("> Easting"));
        QVERIFY(sorted(true));
        h_.ClickTitle(Col::Easting);
        QCOMPARE(title(Col::Easting), QString("< Easting"));
        QVERIFY(sorted(false));
        QCOMPARE(h_.GridDifference(), QString());
        h_.ClickTitle(Col::Northing);
        QCOMPARE(title(Col::Easting), QString("Easting"));
        QCOMPARE(title(Col::Northing), QString("> Northing"));
        // The marker stays across a line change.
        h_.Window().NextLine();
        QCOMPARE(title(Col::Northing), QString("> Northing"));
    }

    void startingPointBoxesSayWhereToChangeThem() {
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

    void undoRestoresTheEditedCell_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+Z") << "Ctrl+Z";
        QTest::newRow("cmdUndo") << "cmdUndo";
        QTest::newRow("mnuUndo") << "mnuUndo";
    }
    void undoRestoresTheEditedCell() {
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

    // Ctrl+PageDown while typing: the text goes to the line it was typed on.
    void lineChangeWhileTypingStoresIntoTheEditedLine() {
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
};

QTEST_MAIN(CellEditingWindowTest)
#include "CellEditingWindowTest.moc"
