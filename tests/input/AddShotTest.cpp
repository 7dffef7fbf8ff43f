// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/AddShot.h"

#include "core/Job.h"
#include "input/InputTestSupport.h"
#include "input/LineReader.h"
#include "input/ReadData.h"
#include "processing/LineGeometry.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <random>

namespace tolvanor {
namespace {

using testing::JobDifference;
using testing::ScriptedPrompter;

ShotRecord Shot(std::string_view profile, std::int32_t seq, double easting = 0, double northing = 0) {
    ShotRecord record;
    record.SetProfileNumber(profile);
    record.SeqNum = seq;
    record.Easting = easting;
    record.Northing = northing;
    return record;
}

void SetStartingPoint(Job& job, std::int32_t line, double easting, double northing, float angle) {
    auto& header = job.Data.EditHeader(line);
    header.StartEasting() = easting;
    header.StartNorthing() = northing;
    header.LineAngle() = angle;
}

ReadResult ReadText(Job& job, std::string_view text, ScriptedPrompter& prompter, ReadOptions options = {}) {
    MemorySource source(text);
    return ReadDataFrom(job, options, source, prompter);
}

TEST(AddShot, ANewLineNeverInheritsTheHeaderOfItsSlot) {
    Job job;
    AddShot(job, Shot("A", 1));
    AddShot(job, Shot("C", 2));
    // What a deleted line left behind in the next slot.
    SetStartingPoint(job, 3, 100, 200, 45);
    job.Data.EditHeader(3).LineIgnored() = true;
    AddShot(job, Shot("D", 3));
    EXPECT_FALSE(HasStartingPoint(job, 3));
    EXPECT_FALSE(job.Data.Header(3).LineIgnored());
    EXPECT_EQ(job.ShotCount(3), 1);

    // Inserting between lines brings up the free slot after the last line.
    SetStartingPoint(job, 4, 100, 200, 45);
    job.Data.EditHeader(4).LineIgnored() = true;
    AddShot(job, Shot("B", 4));
    ASSERT_EQ(job.LineCount, 4);
    EXPECT_EQ(job.LineName(2), "B");
    EXPECT_FALSE(HasStartingPoint(job, 2));
    EXPECT_FALSE(job.Data.Header(2).LineIgnored());
    EXPECT_EQ(job.LineName(3), "C");
    EXPECT_EQ(job.LineName(4), "D");
    EXPECT_EQ(job.CurrentLine, 2);
}

TEST(AddShot, EveryShotStoredInALineWithAStartingPointGetsItsDistance) {
    Job job;
    ScriptedPrompter prompter;
    ReadText(job, "1,1000,2000,0,PRO1\n", prompter);
    SetStartingPoint(job, 1, 1000, 2000, 270); // down range is due east... or west: the geometry decides
    ReadText(job, "2,1010,2000,0,PRO1\n3,1025,2000,0,PRO1\n", prompter);
    ASSERT_EQ(job.ShotCount(1), 3);
    for (std::int32_t shot = 2; shot <= 3; ++shot) {
        const float expected = static_cast<float>(DistanceDownRange(job, 1, shot));
        EXPECT_NE(expected, 0);
        EXPECT_EQ(job.Data.At(1, shot).DistDownRange, expected) << shot;
    }
    EXPECT_EQ(std::abs(job.Data.At(1, 3).DistDownRange), 25.0f);
}

TEST(AddShot, AStaleCurrentLineBeyondTheLastLineIsNotUsed) {
    Job job;
    AddShot(job, Shot("A", 1));
    job.Data.Edit(3, 1) = Shot("E", 9); // left behind by a deleted line
    job.Data.EditHeader(3).ShotCount() = 1;
    job.CurrentLine = 3;
    AddShot(job, Shot("E", 2));
    ASSERT_EQ(job.LineCount, 2);
    EXPECT_EQ(job.LineName(2), "E");
    EXPECT_EQ(job.Data.At(2, 1).SeqNum, 2);
}

TEST(AddShot, SearchesLinesThatAreOutOfOrderFromTheFirst) {
    Job job;
    AddShot(job, Shot("5", 1));
    AddShot(job, Shot("7", 2));
    job.Data.SwapLines(1, 2); // lines "7", "5": out of order, as an edit can leave them
    ScriptedPrompter prompter;
    ReadOptions options;
    options.FormatProfileNumbers = false;
    ReadText(job, "3,0,0,0,PRO6\n", prompter, options);
    ASSERT_EQ(job.LineCount, 3);
    // "6" stops at the first line not below it ("7") and goes in front of it.
    EXPECT_EQ(job.LineName(1), "6");
    EXPECT_EQ(job.LineName(2), "7");
    EXPECT_EQ(job.LineName(3), "5");
    ReadText(job, "4,0,0,0,PRO8\n", prompter, options);
    EXPECT_EQ(job.LineName(4), "8");
}

TEST(AddShot, MergingCopiesGoToTheCurrentLine) {
    Job job;
    AddShot(job, Shot("1", 1));
    AddShot(job, Shot("2", 2));
    job.CurrentLine = 1;
    ShotRecord copy = job.Data.At(2, 1);
    copy.SetProfileNumber(job.LineName(1));
    EXPECT_EQ(AddShot(job, copy), AddShotResult::Stored);
    EXPECT_EQ(job.ShotCount(1), 2);
    EXPECT_EQ(job.Data.At(1, 2).SeqNum, 2);
}

TEST(AddShot, AppendingAFileTwiceDoublesEveryLine) {
    Job job;
    ScriptedPrompter prompter;
    const std::string text = "1,0,0,0,PRO2\n2,0,0,0,PRO1\n3,0,0,0,PRO2\n";
    ReadText(job, text, prompter);
    ReadText(job, text, prompter);
    ASSERT_EQ(job.LineCount, 2);
    ASSERT_EQ(job.ShotCount(2), 4);
    EXPECT_EQ(job.Data.At(2, 3).SeqNum, 1);
    EXPECT_EQ(job.Data.At(2, 4).SeqNum, 3);
    EXPECT_EQ(job.ShotCount(1), 2);
}

// A job of many lines with starting points, stale records and a line that is
// already full, then an append that touches most of it before failing.
TEST(FailedRead, AnAppendFailingOnItsLastLineLeavesTheJobAsItWas) {
    Job job(200, 50);
    ScriptedPrompter prompter;
    std::mt19937 random(11);
    std::string first;
    for (int profile = 0; profile < 150; profile += 2) {
        for (int shot = 0; shot < 20; ++shot) {
            first += std::to_string(shot) + "," + std::to_string(profile * 10 + shot) + ",5000," +
                     std::to_string(shot % 7) + ".5,PRO" + std::to_string(profile) + "\n";
        }
    }
    ASSERT_EQ(ReadText(job, first, prompter).Outcome, ReadOutcome::Ok);
    for (std::int32_t line = 1; line <= job.LineCount; line += 3) SetStartingPoint(job, line, line * 10.0, 4990, 90);
    job.Data.EditHeader(job.LineCount + 1).LineIgnored() = true; // a stale slot
    job.Data.Edit(5, 21) = Shot("stale", 99);                    // past the line's end: not a shot, but kept
    job.DataChanged = true;
    job.CurrentLine = 7;
    const Job before = job;

    std::string append;
    for (int i = 0; i < 6000; ++i) {
        const int profile = static_cast<int>(random() % 170);
        append += std::to_string(i) + ",1,2,3,PRO" + std::to_string(profile) + (i % 5 == 0 ? " B" : "") + "\n";
    }
    append += "6001,1,2,oops,PRO3\n";
    const auto result = ReadText(job, append, prompter);
    ASSERT_EQ(result.Outcome, ReadOutcome::Failed);
    // The append went through the shot limit, new and inserted lines before it failed.
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(JobDifference(job, before), "");
    EXPECT_TRUE(job.Data.Header(job.LineCount + 1).LineIgnored());
    EXPECT_EQ(job.Data.At(5, 21).SeqNum, 99);

    // And the job still takes the same append without the bad line.
    append.resize(append.size() - std::string("6001,1,2,oops,PRO3\n").size());
    EXPECT_EQ(ReadText(job, append, prompter).Outcome, ReadOutcome::Ok);
    EXPECT_GT(job.LineCount, before.LineCount);
}

TEST(FailedRead, AReadIntoAnEmptyJobLeavesItEmpty) {
    Job job;
    ScriptedPrompter prompter;
    ASSERT_EQ(ReadText(job, "1,0,0,0,PRO1\n2,0,0,0,PRO2\n3,0,0,x,PRO1\n", prompter).Outcome, ReadOutcome::Failed);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.CurrentLine, 1);
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) EXPECT_EQ(job.Data.StoredCount(line), 0);
}

} // namespace
} // namespace tolvanor
