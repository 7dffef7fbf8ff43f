// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place editor: commit rules per column, the open / Enter / Escape /
// focus-out outcomes, and the title-click sort.
#include "editor/CellEditSession.h"
#include "editor/EditTestSupport.h"
#include "editor/ShotCommandRules.h"
#include "editor/StoreEditedCell.h"
#include "editor/TitleSort.h"
#include "editor/commands/CurrentLine.h"

#include <functional>

namespace tolvanor {
namespace {

using Col = LineDataColumn;
using testing::AddLine;
using testing::EditorFixture;
using testing::LineRecords;

struct CommitCase {
    int Col;
    const char* Typed;
    const char* Cell;
};

class CommittedCellTextTest : public ::testing::TestWithParam<CommitCase> {};

TEST_P(CommittedCellTextTest, FollowsTheColumnsPattern) {
    EXPECT_EQ(CommittedCellText(GetParam().Col, GetParam().Typed), GetParam().Cell);
}

INSTANTIATE_TEST_SUITE_P(Columns, CommittedCellTextTest,
                         ::testing::Values(CommitCase{Col::Elevation, "12.345 ", "12.3"},
                                           CommitCase{Col::DBT, "3.456", "3.5"}, // one decimal, shown later as 3.50
                                           CommitCase{Col::Heave, " .125", ".13"}, CommitCase{Col::Tide, "-0.04", ".0"},
                                           CommitCase{Col::Easting, "512000.123456", "512000.1235"},
                                           CommitCase{Col::Northing, "-.", "-."}, // not a number: as typed
                                           CommitCase{Col::Pitch, "1.25", "1.3"}, CommitCase{Col::Roll, "abc", "abc"},
                                           CommitCase{Col::Remark, "12 ", "12 "}, CommitCase{Col::Shot, " w ", "W"}));

class CellEditTest : public EditorFixture {
protected:
    CellEditSession session;

    void SetUp() override {
        AddLine(job, {"12", 10});
        AddLine(job, {"13", 10});
        Show();
    }
    CellEditSession::Outcome Type(int row, int col, std::string_view text) {
        Select(row, row, col);
        EXPECT_TRUE(session.Open(Grid(), ' '));
        return session.Enter(job, editor, prompter, text);
    }
};

TEST_F(CellEditTest, EnterWithoutTypingChangesNothing) {
    const auto before = LineRecords(job, 1);
    EXPECT_EQ(Type(3, Col::Elevation, CellEditSession::NothingTyped), CellEditSession::Outcome::Restored);
    EXPECT_EQ(LineRecords(job, 1), before);
    EXPECT_EQ(Cell(3, Col::Elevation), "1.5");
    EXPECT_FALSE(editor.State().UndoEnabled);
    EXPECT_FALSE(session.IsOpen());
}

TEST_F(CellEditTest, CommitsStoreTheRoundedValueResortAndRecomputeTheDistance) {
    editor.Options().SortOrder = 2; // by easting, ascending
    EXPECT_EQ(Type(3, Col::Elevation, "12.345 "), CellEditSession::Outcome::Stored);
    EXPECT_EQ(Cell(3, Col::Elevation), "12.3");
    EXPECT_FLOAT_EQ(Shot(3).Elevation, 12.3f);
    EXPECT_EQ(Shot(3).SeqNum, 3);
    EXPECT_TRUE(editor.State().UndoEnabled);
    EXPECT_TRUE(job.DataChanged);
    EXPECT_EQ(Type(2, Col::Easting, "530 "), CellEditSession::Outcome::Stored);
    // Shot 2 moved 30 east of the start: last by easting, at distance 30.
    EXPECT_EQ(Shot(10).SeqNum, 2);
    EXPECT_EQ(Cell(10, Col::Distance), "30.0");
    EXPECT_FLOAT_EQ(Shot(10).DistDownRange, 30.0f);
    EXPECT_EQ(Shot(2).SeqNum, 3);
    // The current row number stays, though another shot holds it now.
    EXPECT_EQ(Grid().Row(), 2);
}

// Notes the refused cell's text while the message is up.
class CellWatchingPrompter : public testing::ScriptedPrompter {
public:
    using ScriptedPrompter::Message;
    MessageAnswer Message(const MessageRequest& request) override {
        if (Watch) SeenText = Watch();
        return ScriptedPrompter::Message(request);
    }
    std::function<std::string()> Watch;
    std::string SeenText = "<no message>";
};

TEST_F(CellEditTest, ShotTypeIsUpperCasedOrRefusedWithAnEmptyCellThenKeptByLaterStores) {
    EXPECT_EQ(Type(4, Col::Shot, " w "), CellEditSession::Outcome::Stored);
    EXPECT_EQ(Shot(4).ShotType(), "W");
    CellWatchingPrompter watching;
    watching.Watch = [this] { return Cell(5, Col::Shot); };
    Select(5, 5, Col::Shot);
    ASSERT_TRUE(session.Open(Grid(), ' '));
    EXPECT_EQ(session.Enter(job, editor, watching, "X "), CellEditSession::Outcome::Rejected);
    EXPECT_EQ(watching.Messages(), std::vector<std::string>{"Shot type can only be B,L,S or W"});
    EXPECT_EQ(watching.SeenText, "");
    EXPECT_EQ(Shot(5).ShotType(), "L");
    EXPECT_EQ(Cell(5, Col::Shot), "L");
    // The next commit stores the whole line: the refused row must keep its type.
    EXPECT_EQ(Type(6, Col::Elevation, "7 "), CellEditSession::Outcome::Stored);
    EXPECT_EQ(Shot(5).ShotType(), "L");
    Select(3, 3, Col::Shot);
    ASSERT_TRUE(session.Open(Grid(), ' '));
    EXPECT_EQ(session.FocusLeft(job, editor, watching, "Q ", 8, Col::Remark), CellEditSession::Outcome::Rejected);
    EXPECT_EQ(Cell(3, Col::Shot), "L");
    editor.StoreGridLine(job.CurrentLine);
    EXPECT_EQ(Shot(3).ShotType(), "L");
    EXPECT_EQ(Grid().Row(), 8);
}

TEST_F(CellEditTest, EscapeRestoresTheCell) {
    Select(2, 2, Col::Remark);
    ASSERT_TRUE(session.Open(Grid(), '7'));
    Grid().SetText("changed on screen");
    EXPECT_EQ(session.Escape(editor), CellEditSession::Outcome::Restored);
    EXPECT_EQ(Cell(2, Col::Remark), "PRO12");
    EXPECT_EQ(Shot(2).Remark(), "PRO12");
}

TEST_F(CellEditTest, FocusLeavingCommitsAndMovesToTheCellClicked) {
    Select(2, 2, Col::Tide);
    ASSERT_TRUE(session.Open(Grid(), ' '));
    EXPECT_EQ(session.FocusLeft(job, editor, prompter, "2.25 ", 6, Col::Remark), CellEditSession::Outcome::Stored);
    EXPECT_FLOAT_EQ(Shot(2).Tide, 2.3f);
    EXPECT_EQ(Grid().Row(), 6);
    EXPECT_EQ(Grid().Col(), Col::Remark);
    Select(3, 3, Col::Tide);
    ASSERT_TRUE(session.Open(Grid(), ' '));
    EXPECT_EQ(session.FocusLeft(job, editor, prompter, " ", 7, Col::Heave), CellEditSession::Outcome::Restored);
    EXPECT_FLOAT_EQ(Shot(3).Tide, 0.0f);
    EXPECT_EQ(Grid().Row(), 7);
}

TEST_F(CellEditTest, OpensOnlyOverEditableCellsAndKeepsTheOpeningKey) {
    for (int col : {Col::SeqNum, Col::Distance, Col::Ignore}) {
        Select(2, 2, col);
        EXPECT_FALSE(session.Open(Grid(), '5')) << col;
    }
    Select(2, 2, Col::Elevation);
    auto opening = session.Open(Grid(), '5');
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->Text, "5 ");
    EXPECT_EQ(opening->Caret, 1u);
    EXPECT_EQ(opening->ToolTip, "1.0");
    opening = session.Open(Grid(), 'x'); // refused by the filter: only the marker
    EXPECT_EQ(opening->Text, " ");
    EXPECT_EQ(session.Enter(job, editor, prompter, "5 "), CellEditSession::Outcome::Stored);
    EXPECT_FLOAT_EQ(Shot(2).Elevation, 5.0f);
}

TEST(CellEditFilterTest, LettersOnlyInShotPitchAndRoll) {
    for (int col = Col::Easting; col < Col::Count; ++col) {
        if (!CellEditSession::IsEditableColumn(col)) continue;
        const bool letters = col == Col::Shot || col == Col::Pitch || col == Col::Roll;
        EXPECT_EQ(CellEditSession::FilterKey(col, 'a'), letters ? 'a' : 0) << col;
        EXPECT_EQ(CellEditSession::FilterKey(col, '7'), '7') << col;
        EXPECT_EQ(CellEditSession::FilterKey(col, '-'), '-') << col;
    }
}

TEST_F(CellEditTest, TitleClicksSortAndMoveTheMarker) {
    TitleSort titles;
    Grid().SetTextMatrix(1, Col::Easting, "600.0000"); // shot 1 far east in the grid only
    EXPECT_TRUE(titles.Click(job, editor, Col::Easting));
    EXPECT_EQ(Cell(0, Col::Easting), "> Easting");
    EXPECT_EQ(Shot(10).SeqNum, 1); // stored in the new order
    EXPECT_TRUE(titles.Click(job, editor, Col::Easting));
    EXPECT_EQ(Cell(0, Col::Easting), "< Easting");
    EXPECT_EQ(Shot(1).SeqNum, 1);
    EXPECT_EQ(Shot(2).SeqNum, 10);
    EXPECT_TRUE(titles.Click(job, editor, Col::Northing));
    EXPECT_EQ(Cell(0, Col::Easting), "Easting");
    EXPECT_EQ(Cell(0, Col::Northing), "> Northing");
    const auto before = LineRecords(job, 1);
    EXPECT_FALSE(titles.Click(job, editor, Col::Remark));
    EXPECT_FALSE(titles.Click(job, editor, Col::SeqNum));
    EXPECT_EQ(LineRecords(job, 1), before);
    editor.SelectProfile(1); // markers stay across line changes
    EXPECT_EQ(Cell(0, Col::Northing), "> Northing");
}

TEST_F(CellEditTest, InterpolateIsDisabledOnTheFirstAndLastRow) {
    Select(1, 1, Col::Elevation);
    EXPECT_FALSE(InterpolateEnabled(Grid()));
    Select(10, 10, Col::Elevation);
    EXPECT_FALSE(InterpolateEnabled(Grid()));
    Select(5, 5, Col::Elevation);
    EXPECT_TRUE(InterpolateEnabled(Grid()));
}

} // namespace
} // namespace tolvanor
