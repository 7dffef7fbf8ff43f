// SPDX-License-Identifier: GPL-3.0-or-later
// Every line and shot command of the editor, once from its button and once
// from its menu item, on the sample job with a scripted prompter: the job
// changes as the command says, DataChanged and Undo follow the command's
// rules, the grid shows exactly the core's grid afterwards, and an undoable
// command's Undo gives the line back byte for byte.
#include "EditorWindowHarness.h"
#include "core/Prompter.h"
#include "input/DataType.h"
#include "input/ReadData.h"
#include "processing/LineGeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <cmath>
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

void SetThin(EditorWindowHarness& h, const char* method, const char* increment) {
    const auto& controls = h.Main().Controls();
    controls.cboThinMethod->setCurrentIndex(controls.cboThinMethod->findText(method));
    controls.txtThinInc->setText(increment);
}

void SelectPlotLines(EditorWindowHarness& h, std::initializer_list<int> lines) {
    auto* list = h.Window().findChild<QListWidget*>("lstPlotLines");
    for (int line : lines) {
        const auto items = list->findItems(QString::fromLatin1(h.GetJob().LineName(line)), Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        items.front()->setSelected(true);
    }
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

void CheckInterpolated(EditorWindowHarness& h, const JobRecords& before) {
    const auto& old = before[0];
    const auto planDistance = [](const ShotRecord& a, const ShotRecord& b) {
        return std::hypot(a.Easting - b.Easting, a.Northing - b.Northing);
    };
    const double total = planDistance(old[7], old[3]);
    QVERIFY(total > 0);
    for (int k = 3; k <= 6; ++k) {
        const double ratio = planDistance(old[static_cast<std::size_t>(k)], old[3]) / total;
        const double dz = (old[7].Elevation - old[3].Elevation) * ratio;
        QVERIFY2(std::abs(ShotOf(h, 1, k).Elevation - (old[3].Elevation + dz)) < 0.051, qPrintable(QString::number(k)));
        QVERIFY(std::abs(ShotOf(h, 1, k).DBT - (old[static_cast<std::size_t>(k)].DBT + dz)) < 0.0051);
    }
    QVERIFY(ShotOf(h, 1, 7) == old[7]);
    QVERIFY(ShotOf(h, 1, 2) == old[2]);
}

// Normalized shots lie on one straight line through the starting point.
void CheckOnTheLine(EditorWindowHarness& h, int first, int last) {
    const auto& header = h.GetJob().Data.Header(1);
    const auto offset = [&](int k) {
        const auto& shot = ShotOf(h, 1, k);
        return std::pair{shot.Easting - header.StartEasting(), shot.Northing - header.StartNorthing()};
    };
    auto [re, rn] = offset(last);
    const double length = std::hypot(re, rn);
    QVERIFY(length > 1);
    for (int k = first; k <= last; ++k) {
        const auto [e, n] = offset(k);
        QVERIFY2(std::abs(e * rn - n * re) / length < 0.01, qPrintable(QString::number(k)));
    }
}

bool Moved(const ShotRecord& a, const ShotRecord& b) {
    return a.Easting != b.Easting || a.Northing != b.Northing;
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
        [](EditorWindowHarness& h) { SetThin(h, "Number to Ignore", "1"); },
        [](EditorWindowHarness& h, const JobRecords& before) { QVERIFY(OnlyNewIgnores(before[0], h.Records(1))); });
    both(
        "thin with None", "cmdThin", nullptr, false, false, [](EditorWindowHarness& h) { SetThin(h, "None", "1"); },
        [](EditorWindowHarness& h, const JobRecords& before) {
            QVERIFY(h.Records(1) == before[0]);
            QVERIFY(h.Prompts().Calls().empty());
        });
    both("normalize line", "cmdNormalizeLine", "mnuNormalizeLine", true, true, none,
         [](EditorWindowHarness& h, const JobRecords& before) {
             QCOMPARE(h.GetJob().ShotCount(1), before[0][0].ShotCount());
             CheckOnTheLine(h, 1, h.GetJob().ShotCount(1));
         });
    both(
        "normalize shots", "cmdNormalizePoint", "mnuNormalizePoint", true, true,
        [](EditorWindowHarness& h) { h.SelectRows(3, 6, Col::Elevation); },
        [](EditorWindowHarness& h, const JobRecords& before) {
            CheckOnTheLine(h, 3, 6);
            QVERIFY(Moved(ShotOf(h, 1, 4), before[0][4]) || Moved(ShotOf(h, 1, 5), before[0][5]));
            QVERIFY(ShotOf(h, 1, 2) == before[0][2]);
            QVERIFY(ShotOf(h, 1, 7) == before[0][7]);
        });
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
        [](EditorWindowHarness& h) { h.SelectRows(4, 6, Col::Elevation); }, CheckInterpolated);
    const auto refused = [](const char* text) {
        return [text](EditorWindowHarness& h, const JobRecords& before) {
            QVERIFY(AllRecords(h) == before);
            QCOMPARE(h.Prompts().Calls().size(), std::size_t{1});
            const auto& message = h.Prompts().Calls().front().Message;
            QCOMPARE(message.Text, std::string(text));
            QCOMPARE(message.Title, std::string("Interpolation Problem"));
            QCOMPARE(message.Icon, MessageIcon::Exclamation);
        };
    };
    both(
        "interpolate up to the first row", "cmdInterpolateElev", "mnuInterpolate", false, false,
        [](EditorWindowHarness& h) { h.SelectRows(3, 1, Col::Elevation); },
        refused("Can not interpolate if first or last shot is selected."));
    both(
        "interpolate from the first row", "mnuInterpolate", nullptr, false, false,
        [](EditorWindowHarness& h) {
            h.SelectRows(1, 1, Col::Elevation);
            QVERIFY(!h.Button("cmdInterpolateElev")->isEnabled());
        },
        refused("Can not interpolate if first or last shot is selected."));
    both(
        "interpolate depths", "cmdInterpolateElev", nullptr, false, false,
        [](EditorWindowHarness& h) { h.SelectRows(4, 6, Col::DBT); }, refused("No elevations selected"));
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
        "reset ignore of all lines cancelled", "mnuIgnoreNo_AllLines", nullptr, false, false,
        [](EditorWindowHarness& h) {
            SetIgnored(h, 3, {1, 4});
            h.Prompts().QueueAnswer(MessageAnswer::Cancel);
        },
        [](EditorWindowHarness& h, const JobRecords& before) { QVERIFY(AllRecords(h) == before); });
    both(
        "merge two lines", "cmdMergeLines", "mnuMergeLines", true, true,
        [](EditorWindowHarness& h) {
            SelectPlotLines(h, {1, 2, 3});
        },
        [](EditorWindowHarness& h, const JobRecords& before) {
            auto& job = h.GetJob();
            QCOMPARE(job.ShotCount(1), before[0][0].ShotCount() + before[1][0].ShotCount() + before[2][0].ShotCount());
            for (int k = 1; k <= job.ShotCount(1); ++k)
                QCOMPARE(std::string(ShotOf(h, 1, k).ProfileNumber()), std::string(job.LineName(1)));
            QVERIFY(job.Data.Header(2).LineIgnored() && job.Data.Header(3).LineIgnored());
            QVERIFY(!job.Data.Header(1).LineIgnored() && !job.Data.Header(4).LineIgnored());
            QCOMPARE(h.Records(2).size(), before[1].size());
        });
    both(
        "delete overlap of all lines", "cmdDeleteOverlap", "mnuDeleteOverlap", false, true,
        [](EditorWindowHarness& h) { h.Window().findChild<QCheckBox*>("chkFromAllLines")->setChecked(true); },
        [](EditorWindowHarness& h, const JobRecords& before) {
            QVERIFY(!h.Window().findChild<QCheckBox*>("chkFromAllLines")->isChecked());
            int changed = 0;
            for (int line = 1; line <= h.GetJob().LineCount; ++line) {
                const auto after = h.Records(line);
                QCOMPARE(after.size(), before[static_cast<std::size_t>(line - 1)].size());
                if (OnlyNewIgnores(before[static_cast<std::size_t>(line - 1)], after)) ++changed;
            }
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
             QCOMPARE(h.CoreCell(1, Col::Heave), QString(".10"));
             QCOMPARE(h.CoreCell(2, Col::Heave), QString(".20"));
             QCOMPARE(h.CoreCell(1, Col::Tide), QString("1.0"));
             QCOMPARE(ShotOf(h, 1, 2).Heave, 0.2f);
             QCOMPARE(ShotOf(h, 1, 1).Tide, 1.0f);
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

private slots:
    void init();
    void cleanup();
    void commandChangesTheJobAndTheGrid_data();
    void commandChangesTheJobAndTheGrid();
    void deleteShotIsEnabledByAClickOnTheGrid();
    void interpolateIsDisabledOnTheFirstAndLastRow();
    void everyButtonAndMenuItemHasItsCaption_data();
    void everyButtonAndMenuItemHasItsCaption();

private:
    void Trigger(const char* name);
    JobRecords SavedAndReadBack();
    EditorWindowHarness h_;
};

void EditCommandsWindowTest::init() {
    QString failure;
    QVERIFY2(h_.Start(failure), qPrintable(failure));
}

void EditCommandsWindowTest::cleanup() {
    h_.Stop();
}

void EditCommandsWindowTest::Trigger(const char* name) {
    if (auto* button = h_.Button(name)) {
        QVERIFY2(button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    auto* action = h_.Action(name);
    QVERIFY2(action, name);
    action->trigger();
}

// The job saved with the main window's Save Data, then read as a new job.
JobRecords EditCommandsWindowTest::SavedAndReadBack() {
    const std::string path = (h_.Folder() + QStringLiteral("/edited.tvn")).toStdString();
    h_.Prompts().QueueText(path);
    h_.Main().Controls().actSaveData->trigger();
    Job reopened(h_.GetJob().MaxLines, h_.GetJob().MaxShots);
    ReadOptions options;
    options.SourceFileName = path;
    options.DataType = static_cast<int>(DataType::SavedJob);
    testing::ScriptedPrompter quiet;
    if (ReadData(reopened, options, quiet).Outcome != ReadOutcome::Ok) return {};
    JobRecords records;
    for (int line = 1; line <= reopened.LineCount; ++line) {
        records.emplace_back();
        for (int shot = 0; shot <= reopened.ShotCount(line); ++shot)
            records.back().push_back(reopened.Data.At(line, shot));
    }
    return records;
}

void EditCommandsWindowTest::commandChangesTheJobAndTheGrid_data() {
    QTest::addColumn<int>("index");
    const auto cases = Cases();
    for (std::size_t i = 0; i < cases.size(); ++i)
        QTest::addRow("%s (%s)", cases[i].Name, cases[i].Trigger) << static_cast<int>(i);
}

void EditCommandsWindowTest::commandChangesTheJobAndTheGrid() {
    QFETCH(int, index);
    const auto command = Cases()[static_cast<std::size_t>(index)];
    command.Setup(h_);
    if (QTest::currentTestFailed()) return;
    const auto before = AllRecords(h_);
    const auto line = before[0];
    auto& job = h_.GetJob();
    job.DataChanged = false;
    Trigger(command.Trigger);
    if (QTest::currentTestFailed()) return;
    command.Check(h_, before);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(job.DataChanged, command.SetsDataChanged);
    QCOMPARE(h_.GridDifference(), QString());
    // Nothing the command did is lost on the way to the job file and back.
    QVERIFY(SavedAndReadBack() == AllRecords(h_));
    QCOMPARE(h_.Button("cmdUndo")->isEnabled(), command.Undoable);
    QCOMPARE(h_.Action("mnuUndo")->isEnabled(), command.Undoable);
    if (!command.Undoable) return;
    QTest::mouseClick(h_.Button("cmdUndo"), Qt::LeftButton);
    QVERIFY(h_.Records(1) == line);
    QCOMPARE(h_.GridDifference(), QString());
}

void EditCommandsWindowTest::deleteShotIsEnabledByAClickOnTheGrid() {
    auto* button = h_.Button("cmdDeleteShot");
    QVERIFY(!button->isEnabled());
    h_.SelectRows(4, 4, Col::Remark);
    QVERIFY(button->isEnabled());
    const int shots = h_.GetJob().ShotCount(1);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(h_.GetJob().ShotCount(1), shots - 1);
    QVERIFY(!button->isEnabled());
}

void EditCommandsWindowTest::interpolateIsDisabledOnTheFirstAndLastRow() {
    auto* button = h_.Button("cmdInterpolateElev");
    const int last = h_.GetJob().ShotCount(1);
    const std::vector<std::pair<int, bool>> rows{{1, false}, {2, true}, {last, false}, {last - 1, true}};
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

void EditCommandsWindowTest::everyButtonAndMenuItemHasItsCaption_data() {
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
        {"cmdInterpolateElev", "Interpolate Elevation", "Interpolates selected Elevation between adjacent elevations"},
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

void EditCommandsWindowTest::everyButtonAndMenuItemHasItsCaption() {
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

QTEST_MAIN(EditCommandsWindowTest)
#include "EditCommandsWindowTest.moc"
