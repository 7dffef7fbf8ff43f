// SPDX-License-Identifier: GPL-3.0-or-later
// The line commands: delete lines, ignore a line, overlap, merge, reset the
// ignore flags, thin and normalize.
#include "editor/EditTestSupport.h"
#include "editor/commands/DeleteLines.h"
#include "editor/commands/DeleteOverlap.h"
#include "editor/commands/MergeLines.h"
#include "editor/commands/Normalize.h"
#include "editor/commands/ResetIgnore.h"
#include "editor/commands/ThinData.h"
#include "editor/commands/ToggleIgnore.h"

namespace tolvanor {
namespace {

using testing::AddLine;
using testing::EditorFixture;
using testing::LineRecords;

std::vector<std::string> Names(const Job& job) {
    std::vector<std::string> names;
    for (std::int32_t line = 1; line <= job.LineCount; ++line) names.emplace_back(job.LineName(line));
    return names;
}

struct DeleteCase {
    const char* Text;
    std::vector<std::string> Left;
    const char* Message;
};

class DeleteLinesTest : public EditorFixture, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteLinesTest, DeletesMatchingLinesAndKeepsTheRestInOrder) {
    for (const char* name : {"11", "112", "12", "12A", "13", "\"x"}) AddLine(job, {name, 3});
    const auto kept13 = LineRecords(job, 5);
    Show(2);
    prompter.QueueText(GetParam().Text);
    EXPECT_EQ(DeleteLines(job, editor, prompter), DeleteLinesOutcome::LinesLeft);
    EXPECT_EQ(Names(job), GetParam().Left);
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{GetParam().Message});
    EXPECT_EQ(editor.ProfileList(), GetParam().Left);
    EXPECT_EQ(editor.PlotLines().size(), GetParam().Left.size());
    EXPECT_EQ(job.CurrentLine, 1);
    EXPECT_TRUE(job.DataChanged);
    const auto line13 = editor.FindLineByProfileId("13");
    EXPECT_EQ(LineRecords(job, line13), kept13);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DeleteLinesTest,
    ::testing::Values(DeleteCase{"12", {"11", "13", "\"x"}, "3 lines containing 12 deleted."},
                      DeleteCase{"\"12\"", {"11", "112", "12A", "13", "\"x"}, "1 lines containing \"12\" deleted."},
                      DeleteCase{"\"", {"11", "112", "12", "12A", "13"}, "1 lines containing \" deleted."},
                      DeleteCase{
                          "9", {"11", "112", "12", "12A", "13", "\"x"}, "No lines matching   9   were found. "}));

TEST_F(EditorFixture, DeletingEveryLineSaysSo) {
    AddLine(job, {"12", 3});
    AddLine(job, {"120", 3});
    Show();
    StoreUndo(job, editor);
    prompter.QueueText("12");
    EXPECT_EQ(DeleteLines(job, editor, prompter), DeleteLinesOutcome::AllDeleted);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_TRUE(editor.ProfileList().empty());
    EXPECT_EQ(Grid().Rows(), 1);
    EXPECT_FALSE(editor.State().UndoEnabled);
    EXPECT_EQ(prompter.Messages().back(), "All lines have been deleted.");
}

TEST_F(EditorFixture, DeleteOverlapKeepsTheHigherRankedType) {
    // B shots at 0..50, L shots at 20..80 (every 10), one "a" at 30, one "X" at 30.
    const auto line = AddLine(job, {"12", 0});
    auto add = [&](const char* type, float distance) {
        auto& shot = job.Data.Edit(line, ++job.Data.EditHeader(line).ShotCount());
        shot.SetProfileNumber("12");
        shot.SetShotType(type);
        shot.DistDownRange = distance;
    };
    for (float d = 0; d <= 50; d += 10) add("B", d);
    for (float d = 20; d <= 80; d += 10) add(" l ", d);
    add("a", 30);
    add("X", 30);
    Show();
    bool fromAll = true;
    EXPECT_EQ(DeleteOverlapCommand(job, editor, fromAll), 4); // L at 20, 30, 40 and the A
    EXPECT_FALSE(fromAll);
    std::string flags;
    for (int k = 1; k <= job.ShotCount(line); ++k) flags += job.Data.At(line, k).Ignore ? 'I' : '.';
    EXPECT_EQ(flags, "......"
                     "III...."
                     "I.");
    EXPECT_EQ(Cell(7, LineDataColumn::Ignore), "Yes");
}

class LineCommandTest : public EditorFixture {
protected:
    void SetUp() override {
        AddLine(job, {"12", 10});
        AddLine(job, {"13", 4});
        AddLine(job, {"14", 3, false});
        Show();
    }
};

TEST_F(LineCommandTest, MergeAppendsTheSelectedLinesAndIgnoresThem) {
    editor.SetPlotLineSelected(0, true); // the current line itself: no effect
    editor.SetPlotLineSelected(1, true);
    editor.SetPlotLineSelected(2, true);
    EXPECT_EQ(MergeLines(job, editor, prompter), 2);
    ASSERT_EQ(job.ShotCount(1), 17);
    for (int k = 1; k <= 17; ++k) EXPECT_EQ(job.Data.At(1, k).ProfileNumber(), "12");
    EXPECT_TRUE(job.Data.Header(2).LineIgnored());
    EXPECT_TRUE(job.Data.Header(3).LineIgnored());
    EXPECT_EQ(job.ShotCount(2), 4); // the source lines stay in the job
    EXPECT_EQ(Grid().Rows(), 18);
    EXPECT_TRUE(job.DataChanged);
}

TEST_F(LineCommandTest, ToggleIgnoreLineHidesTheGrid) {
    ToggleIgnoreLine(job, editor);
    EXPECT_TRUE(job.Data.Header(1).LineIgnored());
    EXPECT_FALSE(editor.State().GridVisible);
    ToggleIgnoreLine(job, editor);
    EXPECT_TRUE(editor.State().GridVisible);
    EXPECT_FALSE(editor.State().UndoEnabled);
}

TEST_F(LineCommandTest, ResetIgnoreClearsShotFlagsButNotLineFlags) {
    for (int line : {1, 2}) job.Data.Edit(line, 2).Ignore = true;
    job.Data.EditHeader(2).LineIgnored() = true;
    editor.ArrayToGrid(1);
    ResetIgnoreLine(job, editor);
    EXPECT_FALSE(job.Data.At(1, 2).Ignore);
    EXPECT_TRUE(job.Data.At(2, 2).Ignore);
    EXPECT_TRUE(editor.State().UndoEnabled);

    job.Data.Edit(1, 3).Ignore = true;
    prompter.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(ResetIgnoreAllLines(job, editor, prompter));
    EXPECT_TRUE(job.Data.At(2, 2).Ignore);
    EXPECT_TRUE(ResetIgnoreAllLines(job, editor, prompter));
    EXPECT_FALSE(job.Data.At(2, 2).Ignore);
    EXPECT_FALSE(job.Data.At(1, 3).Ignore); // the grid's flag was stored first, then cleared
    EXPECT_TRUE(job.Data.Header(2).LineIgnored());
    EXPECT_EQ(prompter.Calls().front().Message.Buttons, MessageButtons::OkCancel);
}

TEST_F(LineCommandTest, ThinFollowsTheMainWindowsMethod) {
    const auto before = LineRecords(job, 1);
    EXPECT_FALSE(ThinData(job, editor, prompter, {"None", "2"}));
    EXPECT_EQ(LineRecords(job, 1), before);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_TRUE(ThinData(job, editor, prompter, {"Number to Ignore", "1"}));
    EXPECT_EQ(Cell(2, LineDataColumn::Ignore), "Yes");
    EXPECT_EQ(Cell(3, LineDataColumn::Ignore), "No");
    EXPECT_TRUE(editor.State().UndoEnabled);
    editor.SelectProfile(2);
    EXPECT_FALSE(ThinData(job, editor, prompter, {"Distance", "5"}));
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Can't thin without a starting point."});
}

TEST_F(LineCommandTest, NormalizeStraightensOrRefusesWithoutStartingPoint) {
    job.Data.Edit(1, 4).Northing = 1003; // off the east-running line
    job.Data.Edit(1, 6).Northing = 996;
    editor.ArrayToGrid(1);
    Select(4, 4, LineDataColumn::Elevation);
    EXPECT_TRUE(NormalizeShotsCommand(job, editor, prompter));
    EXPECT_DOUBLE_EQ(job.Data.At(1, 4).Northing, 1000);
    EXPECT_DOUBLE_EQ(job.Data.At(1, 6).Northing, 996);
    EXPECT_TRUE(NormalizeLineCommand(job, editor, prompter));
    EXPECT_DOUBLE_EQ(job.Data.At(1, 6).Northing, 1000);
    editor.SelectProfile(2);
    EXPECT_FALSE(NormalizeLineCommand(job, editor, prompter));
    EXPECT_FALSE(NormalizeShotsCommand(job, editor, prompter));
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>(2, "Unable to Normalize.  No Starting Point for this line."));
}

} // namespace
} // namespace tolvanor
