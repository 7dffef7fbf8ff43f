// SPDX-License-Identifier: GPL-3.0-or-later
// The shot commands: ignore, delete, interpolate, generated sounder values,
// and rows that reach the right shot whatever order the line is stored in.
#include "editor/EditTestSupport.h"
#include "editor/TitleSort.h"
#include "editor/commands/DeleteShot.h"
#include "editor/commands/GenSounderData.h"
#include "editor/commands/InterpolateElevation.h"
#include "editor/commands/ToggleIgnore.h"

namespace tolvanor {
namespace {

using Col = LineDataColumn;
using testing::AddLine;
using testing::LineRecords;

class ShotCommandTest : public testing::EditorFixture {
protected:
    void SetUp() override {
        AddLine(job, {"12", 10});
        Show();
    }
    std::vector<int> SeqNums() {
        std::vector<int> seqNums;
        for (int k = 1; k <= job.ShotCount(1); ++k) seqNums.push_back(Shot(k).SeqNum);
        return seqNums;
    }
};

TEST_F(ShotCommandTest, ToggleIgnoreShotInvertsEachRow) {
    job.Data.Edit(1, 4).Ignore = true;
    job.Data.Edit(1, 6).Ignore = true;
    editor.ArrayToGrid(1);
    Select(6, 4, Col::Remark);
    ToggleIgnoreShot(job, editor);
    EXPECT_EQ(Cell(4, Col::Ignore) + Cell(5, Col::Ignore) + Cell(6, Col::Ignore), "NoYesNo");
    EXPECT_FALSE(Shot(4).Ignore);
    EXPECT_TRUE(Shot(5).Ignore);
    EXPECT_FALSE(Shot(6).Ignore);
    EXPECT_EQ(Grid().Col(), Col::Remark);
    EXPECT_FALSE(editor.State().UndoEnabled);
    EXPECT_TRUE(job.DataChanged);
}

TEST_F(ShotCommandTest, DeleteShotRemovesTheSelectedRows) {
    Select(5, 3, Col::Elevation);
    ASSERT_TRUE(DeleteShot(job, editor));
    EXPECT_EQ(job.ShotCount(1), 7);
    EXPECT_EQ(SeqNums(), (std::vector<int>{1, 2, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(editor.State().UndoEnabled);
}

TEST_F(ShotCommandTest, InterpolateSetsTheSelectionOnTheGradeBetweenItsNeighbours) {
    job.Data.Edit(1, 5).Elevation = 9; // a spike between the anchors 3 (1.5) and 7 (3.5)
    editor.ArrayToGrid(1);
    Select(4, 6, Col::Elevation);
    EXPECT_EQ(InterpolateElevation(job, editor, prompter), InterpolateOutcome::Interpolated);
    const std::vector<float> elevations = {Shot(3).Elevation, Shot(4).Elevation, Shot(5).Elevation, Shot(6).Elevation,
                                           Shot(7).Elevation};
    EXPECT_EQ(elevations, (std::vector<float>{1.5f, 2.0f, 2.5f, 3.0f, 3.5f}));
    // DBT moves with the elevation: shot 5 by its share of the rise (1.0), shot 7 not at all.
    EXPECT_FLOAT_EQ(Shot(5).DBT, 2.25f);
    EXPECT_FLOAT_EQ(Shot(7).DBT, 1.25f);
    EXPECT_EQ(Cell(5, Col::Elevation), "2.5");
    EXPECT_TRUE(editor.State().UndoEnabled);
}

struct Refusal {
    int Row;
    int RowSel;
    int Col;
    InterpolateOutcome Outcome;
    const char* Message;
};

class InterpolateRefusalTest : public ShotCommandTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(InterpolateRefusalTest, ChangesNothing) {
    job.Data.Edit(1, 7).Easting = 506; // shots 3 and 7 at one place
    editor.ArrayToGrid(1);
    const auto before = LineRecords(job, 1);
    const auto& refusal = GetParam();
    Select(refusal.Row, refusal.RowSel, refusal.Col);
    EXPECT_EQ(InterpolateElevation(job, editor, prompter), refusal.Outcome);
    EXPECT_EQ(LineRecords(job, 1), before);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    EXPECT_EQ(prompter.Calls()[0].Message.Text, refusal.Message);
    EXPECT_EQ(prompter.Calls()[0].Message.Title, "Interpolation Problem");
    EXPECT_FALSE(editor.State().UndoEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, InterpolateRefusalTest,
    ::testing::Values(Refusal{3, 1, Col::Elevation, InterpolateOutcome::EndShotSelected,
                              "Can not interpolate if first or last shot is selected."},
                      Refusal{5, 10, Col::Elevation, InterpolateOutcome::EndShotSelected,
                              "Can not interpolate if first or last shot is selected."},
                      Refusal{4, 6, Col::DBT, InterpolateOutcome::NotElevation, "No elevations selected"},
                      Refusal{
                          4, 6, Col::Elevation, InterpolateOutcome::AnchorsTogether,
                          "Can not interpolate: the shots on both sides of the selection are at the same position."}));

TEST_F(ShotCommandTest, GenSounderDataFillsHeaveTideAndElevation) {
    AddLine(job, {"13", 60});
    for (int k = 1; k <= 60; ++k) job.Data.Edit(2, k).DBT = 5;
    Show(1);
    GenSounderData(job, editor, prompter);
    EXPECT_EQ(Cell(1, Col::Heave) + "|" + Cell(9, Col::Heave) + "|" + Cell(10, Col::Heave), ".10|.90|.80");
    EXPECT_EQ(Cell(49, Col::Tide) + "|" + Cell(50, Col::Tide), "1.0|1.1");
    EXPECT_EQ(Cell(2, Col::Elevation), "3.8");
    EXPECT_FLOAT_EQ(job.Data.At(2, 50).Tide, 1.1f);
    EXPECT_FALSE(editor.State().UndoEnabled);
}

TEST_F(ShotCommandTest, RowsReachTheirShotAfterTheStoredOrderChanged) {
    // A title sort stores the line reversed; reloading in "None" order shows it by sequence number again.
    TitleSort titles;
    titles.Click(job, editor, Col::Easting);
    titles.Click(job, editor, Col::Easting);
    ASSERT_EQ(Shot(1).SeqNum, 10);
    editor.ArrayToGrid(1);
    ASSERT_EQ(Cell(2, Col::SeqNum), " 2");
    Select(2, 2, Col::Elevation);
    ToggleIgnoreShot(job, editor);
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(Shot(k).Ignore, Shot(k).SeqNum == 2) << k;
}

} // namespace
} // namespace tolvanor
