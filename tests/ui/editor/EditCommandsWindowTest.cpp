// SPDX-License-Identifier: GPL-3.0-or-later
// Every line and shot command of the editor, once from its button and once
// from its menu item, on the sample job with a scripted prompter: the command
// reaches the job, DataChanged and Undo follow the command's rules, the grid
// shows exactly the core's grid afterwards, and an undoable command's Undo
// gives the line back. What each command computes is the core's to test.
#include "EditorWindowHarness.h"
#include "core/Prompter.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include <functional>

using namespace tolvanor;
using Col = LineDataColumn;
using testing::EditorWindowHarness;

namespace {

using JobRecords = std::vector<std::vector<ShotRecord>>; // [line - 1][shot]

JobRecords AllRecords(EditorWindowHarness& h) {
    JobRecords records;
    for (int line = 1; line <= h.GetJob().LineCount; ++line) records.push_back(h.Records(line));
    return records;
}

struct CommandCase {
    const char* Name;
    const char* Trigger; // a button or a menu item
    bool Undoable;
    bool SetsDataChanged;
    std::function<void(EditorWindowHarness&)> Setup;
    std::function<void(EditorWindowHarness&, const JobRecords&)> Check;
};

const ShotRecord& ShotOf(EditorWindowHarness& h, int line, int k) {
    return h.GetJob().Data.At(line, k);
}

void SetIgnored(EditorWindowHarness& h, int line, std::initializer_list<int> shots) {
    for (int k : shots) h.GetJob().Data.Edit(line, k).Ignore = true;
    h.Editor().ArrayToGrid(h.GetJob().CurrentLine);
    h.Window().SyncFromCore();
}

// Every shot changed only by a new ignore flag; true when at least one did.
bool OnlyNewIgnores(const std::vector<ShotRecord>& before, const std::vector<ShotRecord>& after) {
    bool any = false;
    if (before.size() != after.size()) return false;
    for (std::size_t k = 1; k < after.size(); ++k) {
        ShotRecord unmarked = after[k];
        unmarked.Ignore = before[k].Ignore;
        if (!(unmarked == before[k]) || (before[k].Ignore && !after[k].Ignore)) return false;
        any = any || after[k].Ignore != before[k].Ignore;
    }
    return any;
}

// Only shots first..last of line 1 changed, and at least one of them did
// (in plan, for `moved`).
void CheckOnlyShotsChanged(EditorWindowHarness& h, const JobRecords& before, int first, int last, bool moved = false) {
    QCOMPARE(h.GetJob().ShotCount(1), before[0][0].ShotCount());
    bool any = false;
    for (int k = 1; k <= h.GetJob().ShotCount(1); ++k) {
        const auto& old = before[0][static_cast<std::size_t>(k)];
        const bool same = ShotOf(h, 1, k) == old;
        if (k < first || k > last) QVERIFY2(same, qPrintable(QString::number(k)));
        any =
            any || (moved ? ShotOf(h, 1, k).Easting != old.Easting || ShotOf(h, 1, k).Northing != old.Northing : !same);
    }
    QVERIFY(any);
}

std::vector<CommandCase> Cases() {
    std::vector<CommandCase> cases;
    const auto both = [&cases](const char* name, const char* button, const char* menu, bool undo, bool changed,
                               auto setup, auto check) {
        cases.push_back({name, button, undo, changed, setup, check});
        if (menu) cases.push_back({name, menu, undo, changed, setup, check});
    };
    const auto none = [](EditorWindowHarness&) {};

    both("toggle ignore line", "cmdIgnoreLine", "mnuIgnoreLine", false, true, none,
         [](EditorWindowHarness& h, const JobRecords&) {
             QVERIFY(h.GetJob().Data.Header(1).LineIgnored());
             QVERIFY(!h.Grid()->isVisible());
             QVERIFY(h.Window().findChild<QLabel*>("lblLineIgnored")->isVisible());
         });
    both(
        "thin data", "cmdThin", "mnuThin", true, true,
        [](EditorWindowHarness& h) {
            const auto& controls = h.Main().Controls();
            controls.cboThinMethod->setCurrentIndex(controls.cboThinMethod->findText("Number to Ignore"));
            controls.txtThinInc->setText("1");
        },
        [](EditorWindowHarness& h, const JobRecords& before) { QVERIFY(OnlyNewIgnores(before[0], h.Records(1))); });
    both("normalize line", "cmdNormalizeLine", "mnuNormalizeLine", true, true, none,
         [](EditorWindowHarness& h, const JobRecords& before) {
             CheckOnlyShotsChanged(h, before, 1, h.GetJob().ShotCount(1), true);
         });
    both(
        "normalize shots", "cmdNormalizePoint", "mnuNormalizePoint", true, true,
        [](EditorWindowHarness& h) { h.SelectRows(3, 6, Col::Elevation); },
        [](EditorWindowHarness& h, const JobRecords& before) { CheckOnlyShotsChanged(h, before, 3, 6, true); });
    both(
        "delete shots 5 to 3", "cmdDeleteShot", nullptr, true, true,
        [](EditorWindowHarness& h) { h.SelectRows(5, 3, Col::Elevation); },
        [](EditorWindowHarness& h, const JobRecords& before) {
            QCOMPARE(h.GetJob().ShotCount(1), before[0][0].ShotCount() - 3);
            QCOMPARE(ShotOf(h, 1, 2).SeqNum, before[0][2].SeqNum);
            QCOMPARE(ShotOf(h, 1, 3).SeqNum, before[0][6].SeqNum);
            QVERIFY(!h.Button("cmdDeleteShot")->isEnabled());
        });
    both(
        "toggle ignore shot", "cmdIgnoreShot", "mnuIgnoreShot", false, true,
        [](EditorWindowHarness& h) {
            SetIgnored(h, 1, {2, 4});
            h.SelectRows(2, 4, Col::Elevation);
        },
        [](EditorWindowHarness& h, const JobRecords&) {
            QCOMPARE(h.CoreCell(2, Col::Ignore) + h.CoreCell(3, Col::Ignore) + h.CoreCell(4, Col::Ignore),
                     QString("NoYesNo"));
            QVERIFY(!ShotOf(h, 1, 2).Ignore && ShotOf(h, 1, 3).Ignore && !ShotOf(h, 1, 4).Ignore);
        });
    both(
        "interpolate rows 4 to 6", "cmdInterpolateElev", "mnuInterpolate", true, true,
        [](EditorWindowHarness& h) { h.SelectRows(4, 6, Col::Elevation); },
        [](EditorWindowHarness& h, const JobRecords& before) { CheckOnlyShotsChanged(h, before, 4, 6); });
    // The menu item stays enabled where the button is not; the command refuses.
    both(
        "interpolate from the first row", "mnuInterpolate", nullptr, false, false,
        [](EditorWindowHarness& h) {
            h.SelectRows(1, 1, Col::Elevation);
            QVERIFY(!h.Button("cmdInterpolateElev")->isEnabled());
        },
        [](EditorWindowHarness& h, const JobRecords& before) {
            QVERIFY(AllRecords(h) == before);
            QCOMPARE(h.Prompts().Messages(),
                     std::vector<std::string>{"Can not interpolate if first or last shot is selected."});
            QCOMPARE(h.Prompts().Calls().front().Message.Icon, MessageIcon::Exclamation);
        });
    both(
        "reset ignore of the line", "mnuIgnoreNo_Line", nullptr, true, true,
        [](EditorWindowHarness& h) {
            SetIgnored(h, 1, {2, 5});
            SetIgnored(h, 2, {1});
        },
        [](EditorWindowHarness& h, const JobRecords&) {
            for (int k = 1; k <= h.GetJob().ShotCount(1); ++k) QVERIFY(!ShotOf(h, 1, k).Ignore);
            QVERIFY(ShotOf(h, 2, 1).Ignore);
            QCOMPARE(h.CoreCell(5, Col::Ignore), QString("No"));
        });
    both(
        "reset ignore of all lines", "mnuIgnoreNo_AllLines", nullptr, false, true,
        [](EditorWindowHarness& h) {
            SetIgnored(h, 1, {2});
            SetIgnored(h, 3, {1, 4});
            h.Prompts().QueueAnswer(MessageAnswer::Ok);
        },
        [](EditorWindowHarness& h, const JobRecords&) {
            QCOMPARE(h.Prompts().Calls().front().Message.Text,
                     std::string("This will store any changes to the grid and enable any Ignored shots in all the "
                                 "lines.\r\n          This action cannot be undone!  Click OK to continue."));
            for (int line = 1; line <= h.GetJob().LineCount; ++line)
                for (int k = 1; k <= h.GetJob().ShotCount(line); ++k) QVERIFY(!ShotOf(h, line, k).Ignore);
        });
    both(
        "merge the lines chosen in the list", "cmdMergeLines", "mnuMergeLines", true, true,
        [](EditorWindowHarness& h) {
            auto* list = h.Window().findChild<QListWidget*>("lstPlotLines");
            for (int line : {1, 2, 3}) {
                const auto items = list->findItems(QString::fromLatin1(h.GetJob().LineName(line)), Qt::MatchExactly);
                QVERIFY(!items.isEmpty());
                items.front()->setSelected(true);
            }
        },
        [](EditorWindowHarness& h, const JobRecords& before) {
            auto& job = h.GetJob();
            QCOMPARE(job.ShotCount(1), before[0][0].ShotCount() + before[1][0].ShotCount() + before[2][0].ShotCount());
            QVERIFY(job.Data.Header(2).LineIgnored() && job.Data.Header(3).LineIgnored());
            QVERIFY(!job.Data.Header(4).LineIgnored());
        });
    both(
        "delete overlap of all lines", "cmdDeleteOverlap", "mnuDeleteOverlap", false, true,
        [](EditorWindowHarness& h) { h.Window().findChild<QCheckBox*>("chkFromAllLines")->setChecked(true); },
        [](EditorWindowHarness& h, const JobRecords& before) {
            QVERIFY(!h.Window().findChild<QCheckBox*>("chkFromAllLines")->isChecked());
            int changed = 0;
            for (int line = 1; line <= h.GetJob().LineCount; ++line)
                changed += OnlyNewIgnores(before[static_cast<std::size_t>(line - 1)], h.Records(line));
            QVERIFY(changed > 1);
        });
    both("delete overlap of the line", "cmdDeleteOverlap", nullptr, false, true, none,
         [](EditorWindowHarness& h, const JobRecords& before) {
             QVERIFY(OnlyNewIgnores(before[0], h.Records(1)));
             for (int line = 2; line <= h.GetJob().LineCount; ++line)
                 QVERIFY(h.Records(line) == before[static_cast<std::size_t>(line - 1)]);
         });
    both("generate sounder data", "cmdGenData", "mnuGenData", false, true, none,
         [](EditorWindowHarness& h, const JobRecords&) {
             QCOMPARE(h.CoreCell(2, Col::Heave), QString(".20"));
             QCOMPARE(h.CoreCell(1, Col::Tide), QString("1.0"));
             QCOMPARE(ShotOf(h, 1, 2).Heave, 0.2f);
         });
    both(
        "delete one line exactly", "cmdDeleteLines", "mnuDeleteLines", false, true,
        [](EditorWindowHarness& h) { h.Prompts().QueueText("\"13\""); },
        [](EditorWindowHarness& h, const JobRecords& before) {
            QCOMPARE(h.Prompts().Calls().front().Input.Prompt,
                     std::string("Delete lines containing this text (case sensitive)\rPut text in quotes for exact "
                                 "match only. "));
            QCOMPARE(h.Prompts().Messages(), std::vector<std::string>{"1 lines containing \"13\" deleted."});
            QCOMPARE(h.GetJob().LineCount, 3);
            QCOMPARE(h.Window().findChild<QComboBox*>("cboProfileList")->count(), 3);
            QCOMPARE(h.Window().findChild<QListWidget*>("lstPlotLines")->count(), 3);
            for (int line = 1; line <= 3; ++line)
                QVERIFY(h.Records(line) == before[static_cast<std::size_t>(line - 1)]);
        });
    both(
        "delete every line", "cmdDeleteLines", nullptr, false, true,
        [](EditorWindowHarness& h) { h.Prompts().QueueText("1"); },
        [](EditorWindowHarness& h, const JobRecords&) {
            QCOMPARE(h.GetJob().LineCount, 0);
            QCOMPARE(h.Prompts().Messages(),
                     (std::vector<std::string>{"4 lines containing 1 deleted.", "All lines have been deleted."}));
            QVERIFY(!h.Window().isVisible());
            QCOMPARE(h.Window().findChild<QComboBox*>("cboProfileList")->count(), 0);
        });
    return cases;
}

} // namespace

class EditCommandsWindowTest : public QObject {
    Q_OBJECT

    EditorWindowHarness h_;

    void Trigger(const char* name) {
        if (auto* button = h_.Button(name)) {
            QVERIFY2(button->isEnabled(), name);
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
        auto* action = h_.Action(name);
        QVERIFY2(action, name);
        action->trigger();
    }

private slots:
    void init() {
        QString failure;
        QVERIFY2(h_.Start(failure), qPrintable(failure));
    }
    void cleanup() { h_.Stop(); }

    void commandChangesTheJobAndTheGrid_data() {
        QTest::addColumn<int>("index");
        const auto cases = Cases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::addRow("%s (%s)", cases[i].Name, cases[i].Trigger) << static_cast<int>(i);
    }

    void commandChangesTheJobAndTheGrid() {
        QFETCH(int, index);
        const auto command = Cases()[static_cast<std::size_t>(index)];
        command.Setup(h_);
        if (QTest::currentTestFailed()) return;
        const auto before = AllRecords(h_);
        auto& job = h_.GetJob();
        job.DataChanged = false;
        Trigger(command.Trigger);
        if (QTest::currentTestFailed()) return;
        command.Check(h_, before);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(job.DataChanged, command.SetsDataChanged);
        QCOMPARE(h_.GridDifference(), QString());
        QCOMPARE(h_.Button("cmdUndo")->isEnabled(), command.Undoable);
        QCOMPARE(h_.Action("mnuUndo")->isEnabled(), command.Undoable);
        if (!command.Undoable) return;
        QTest::mouseClick(h_.Button("cmdUndo"), Qt::LeftButton);
        QVERIFY(h_.Records(1) == before[0]);
        QCOMPARE(h_.GridDifference(), QString());
    }

    void deleteShotIsEnabledByAClickOnTheGrid() {
        auto* button = h_.Button("cmdDeleteShot");
        QVERIFY(!button->isEnabled());
        h_.SelectRows(4, 4, Col::Remark);
        QVERIFY(button->isEnabled());
    }

    void interpolateIsDisabledOnTheFirstAndLastRow() {
        auto* button = h_.Button("cmdInterpolateElev");
        const int last = h_.GetJob().ShotCount(1);
        const std::pair<int, bool> rows[] = {{1, false}, {2, true}, {last, false}, {last - 1, true}};
        for (const auto& [row, enabled] : rows) {
            h_.SelectRows(row, row, Col::Elevation);
            QVERIFY2(button->isEnabled() == enabled, qPrintable(QString::number(row)));
        }
        h_.Grid()->setFocus();
        QTest::keyClick(h_.Grid(), Qt::Key_Up); // the keyboard moves the current cell too
        QVERIFY(button->isEnabled());
        QTest::keyClick(h_.Grid(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!button->isEnabled());
    }

    void everyButtonAndMenuItemHasItsCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        const char* const rows[][3] = {
            {"cmdDeleteLines", "Delete Lines", "Deletes lines with specified text in Profile Number"},
            {"cmdIgnoreLine", "Toggle Ignore Line",
             "Line Ignored will eliminate the line from output, but not from the data file"},
            {"cmdThin", "Thin Data", "Thins the data on this line as selected on processing page"},
            {"cmdNormalizeLine", "Normalize Line", "Straightens the line data "},
            {"cmdNormalizePoint", "Normalize Shots", ""},
            {"cmdDeleteShot", "Delete Shot", ""},
            {"cmdIgnoreShot", "Toggle Ignore Shot", "Sets Ignore of selected shot(s) to True"},
            {"cmdInterpolateElev", "Interpolate Elevation",
             "Interpolates selected Elevation between adjacent elevations"},
            {"cmdMergeLines", "Merge Lines", ""},
            {"cmdDeleteOverlap", "Delete Overlap", ""},
            {"chkFromAllLines", "From All Lines", "If checked, overlap will be deleted from all loaded lines"},
            {"cmdGenData", "Gen Sounder Data", ""},
            {"cmdUndo", "Undo Last Action", "Restores the data changed by the last action"},
            {"mnuInterpolate", "Interpolate", ""},
            {"mnuIgnoreNo_Line", "Reset Ignore to NO - this line only", ""},
            {"mnuIgnoreNo_AllLines", "Reset Ignore to NO - ALL Lines", ""},
        };
        for (const auto& row : rows) QTest::newRow(row[0]) << row[0] << row[1] << row[2];
    }

    void everyButtonAndMenuItemHasItsCaption() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        if (auto* button = h_.Window().findChild<QAbstractButton*>(name)) {
            QCOMPARE(button->text().remove('&'), caption);
            QCOMPARE(button->toolTip(), tip);
            QVERIFY(!button->accessibleName().isEmpty());
            return;
        }
        auto* action = h_.Action(qPrintable(name));
        QVERIFY(action);
        QCOMPARE(action->text().remove('&'), caption);
        QVERIFY(action->text().contains('&'));
    }
};

QTEST_MAIN(EditCommandsWindowTest)
#include "EditCommandsWindowTest.moc"
