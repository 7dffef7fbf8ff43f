// SPDX-License-Identifier: GPL-3.0-or-later
// One level of undo, copying between the cursors, dragging the copy, and
// pasting it onto another line.
#include "editor/CellEditSession.h"
#include "editor/CopiedCurve.h"
#include "editor/CopyBetweenCursors.h"
#include "editor/EditTestSupport.h"
#include "editor/Overlay.h"
#include "editor/Undo.h"

namespace tolvanor {
namespace {

using Col = LineDataColumn;
using testing::AddLine;
using testing::EditorFixture;
using testing::LineRecords;

class UndoTest : public EditorFixture {
protected:
    void SetUp() override {
        AddLine(job, {"12", 10});
        AddLine(job, {"13", 20});
        Show();
    }
};

TEST_F(UndoTest, RestoresACellEditAndTheCurrentCell) {
    const auto before = LineRecords(job, 1);
    Select(7, 7, Col::Elevation);
    CellEditSession session;
    ASSERT_TRUE(session.Open(Grid(), ' '));
    session.Enter(job, editor, prompter, "99 ");
    Select(2, 2, Col::Remark);
    ASSERT_TRUE(Undo(job, editor));
    EXPECT_EQ(LineRecords(job, 1), before);
    EXPECT_EQ(Cell(7, Col::Elevation), "3.5");
    EXPECT_EQ(Grid().Row(), 7);
    EXPECT_EQ(Grid().Col(), Col::Elevation);
    EXPECT_EQ(Grid().TopRow(), 4);
    EXPECT_FALSE(editor.State().UndoEnabled);
    EXPECT_FALSE(Undo(job, editor)); // consumed
}

TEST_F(UndoTest, ALineChangeDropsTheSnapshot) {
    StoreUndo(job, editor);
    EXPECT_TRUE(editor.State().UndoEnabled);
    editor.NextLine();
    EXPECT_FALSE(editor.State().UndoEnabled);
    const auto before = LineRecords(job, 2);
    EXPECT_FALSE(Undo(job, editor));
    EXPECT_EQ(LineRecords(job, 2), before);
}

class CopyTest : public UndoTest {
protected:
    // The current line's curves as the charts draw them (every shot shown).
    CopySource Source(int cursor1, int cursor2) {
        distance.clear();
        elevation.clear();
        for (int k = 1; k <= job.ShotCount(job.CurrentLine); ++k) {
            distance.push_back(Shot(k).DistDownRange);
            elevation.push_back(Shot(k).Elevation);
        }
        sounder.assign(distance.size(), 0.5);
        return {distance, elevation, sounder, sounder, sounder, cursor1, cursor2, "L"};
    }
    std::vector<double> distance, elevation, sounder;
};

TEST_F(CopyTest, CopiesBetweenTheCursorsInEitherOrder) {
    EXPECT_EQ(CopyBetweenCursors(job, editor, prompter, Source(5, 2)), CopyOutcome::Copied);
    const auto& copied = editor.Copied();
    ASSERT_EQ(copied.Count(), 4);
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{" 4 shots saved."});
    EXPECT_FLOAT_EQ(copied.Shots[0].DistDownRange, 6.0f); // point 2 is shot 3
    EXPECT_FLOAT_EQ(copied.Shots[3].Elevation, 3.0f);
    EXPECT_DOUBLE_EQ(copied.Shots[0].Easting, 506.0); // placed on the line at its distance
    EXPECT_DOUBLE_EQ(copied.Shots[0].Northing, 1000.0);
    EXPECT_EQ(copied.Shots[0].ShotType(), "L");
    EXPECT_TRUE(editor.State().CopiedCurveShown);
}

TEST_F(CopyTest, ACursorOffTheCurveCopiesNothing) {
    EXPECT_EQ(CopyBetweenCursors(job, editor, prompter, Source(-1, 3)), CopyOutcome::CursorOffCurve);
    EXPECT_EQ(CopyBetweenCursors(job, editor, prompter, Source(3, 10)), CopyOutcome::CursorOffCurve);
    EXPECT_EQ(editor.Copied().Count(), 0);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(CopyTest, AWideRangeIsCutAtTheBuffersSize) {
    std::vector<double> many(4000, 1.0);
    const CopySource source{many, many, many, many, many, 0, 3999, "W"};
    CopyBetweenCursors(job, editor, prompter, source);
    EXPECT_EQ(editor.Copied().Count(), 3001);
}

TEST_F(CopyTest, OverlayAddsTheCopiedShotsToAnotherLine) {
    CopyBetweenCursors(job, editor, prompter, Source(2, 5));
    editor.SelectProfile(1); // line 13, 20 shots
    Select(6, 6, Col::Elevation);
    Grid().SetTextMatrix(6, Col::Remark, "BEACH RUN");
    editor.StoreGridLine(2);
    EXPECT_EQ(Overlay(job, editor, prompter), OverlayOutcome::Pasted);
    ASSERT_EQ(job.ShotCount(2), 24);
    EXPECT_TRUE(editor.State().UndoEnabled);
    int pasted = 0;
    for (int k = 1; k <= 24; ++k) {
        const auto& shot = job.Data.At(2, k);
        EXPECT_EQ(shot.ProfileNumber(), "13");
        if (shot.SeqNum != 0) continue;
        ++pasted;
        EXPECT_EQ(shot.Remark(), "BEACH RUN");
        EXPECT_FALSE(shot.Ignore);
    }
    EXPECT_EQ(pasted, 4);
}

TEST_F(CopyTest, OverlayNeedsAShownCopyAndRoomOnTheLine) {
    EXPECT_EQ(Overlay(job, editor, prompter), OverlayOutcome::NothingToPaste);
    CopyBetweenCursors(job, editor, prompter, Source(0, 9));
    ToggleCopiedDataView(editor);
    EXPECT_EQ(Overlay(job, editor, prompter), OverlayOutcome::NothingToPaste);
    ToggleCopiedDataView(editor);
    EXPECT_EQ(job.ShotCount(1), 10);
    editor.Copied().Shots.resize(3000);
    EXPECT_EQ(Overlay(job, editor, prompter), OverlayOutcome::LineFull);
    EXPECT_EQ(job.ShotCount(1), 10);
}

TEST_F(CopyTest, DraggingMovesTheCopyAlongTheLine) {
    CopyBetweenCursors(job, editor, prompter, Source(2, 5)); // distances 6..12, elevations 1.5..3
    EXPECT_TRUE(DragCopiedCurve(editor, 8.4, 2.0));          // grabs the point at 8
    EXPECT_TRUE(DragCopiedCurve(editor, 14.0, 3.0));
    EXPECT_DOUBLE_EQ(editor.Copied().OffsetX, 6.0);
    EXPECT_DOUBLE_EQ(editor.Copied().OffsetY, 1.0);
    EXPECT_FLOAT_EQ(editor.Copied().Shots[0].DistDownRange, 6.0f); // points unchanged until release
    ASSERT_TRUE(ReleaseCopiedCurve(job, editor, prompter));
    const auto& shots = editor.Copied().Shots;
    EXPECT_FLOAT_EQ(shots[0].DistDownRange, 12.0f);
    EXPECT_FLOAT_EQ(shots[3].Elevation, 4.0f);
    EXPECT_DOUBLE_EQ(shots[0].Easting, 512.0);
    EXPECT_EQ(editor.Copied().OffsetX, 0.0);
    EXPECT_FALSE(ReleaseCopiedCurve(job, editor, prompter));
}

} // namespace
} // namespace tolvanor
