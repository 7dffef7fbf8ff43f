// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SurveyData.h"
#include "core/Job.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvanor {
namespace {

void FillLine(SurveyData& data, std::int32_t line, std::int32_t shots, std::string_view profile) {
    ShotRecord& header = data.EditHeader(line);
    header.ShotCount() = shots;
    header.StartNorthing() = 1000 + line;
    header.StartEasting() = 500;
    header.LineAngle() = 90;
    header.LineIgnored() = true;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        ShotRecord& record = data.Edit(line, shot);
        record.SeqNum = shot;
        record.Northing = line * 100.0 + shot;
        record.SetProfileNumber(profile);
        record.SetRemark("remark " + std::to_string(shot));
    }
}

TEST(SurveyData, BoundsFollowTheLimits) {
    const SurveyData data(1000, 3000);
    EXPECT_EQ(data.LineBound(), 1006);
    EXPECT_EQ(data.ShotBound(), 3001);
    EXPECT_TRUE(data.InRange(0, 0));
    EXPECT_TRUE(data.InRange(1006, 3001));
    EXPECT_FALSE(data.InRange(1007, 0));
    EXPECT_FALSE(data.InRange(0, 3002));
    EXPECT_FALSE(data.InRange(-1, 0));
    EXPECT_FALSE(data.InRange(0, -1));
}

TEST(SurveyData, FreshTableReadsEmptyEverywhere) {
    const SurveyData data(10, 20);
    for (std::int32_t line = 0; line <= data.LineBound(); ++line) {
        for (std::int32_t shot = 0; shot <= data.ShotBound(); ++shot) {
            ASSERT_EQ(data.At(line, shot), ShotRecord{}) << line << "," << shot;
        }
        EXPECT_EQ(data.StoredCount(line), 0);
    }
}

TEST(SurveyData, WritingGrowsOnlyTheLineWritten) {
    SurveyData data(10, 20);
    data.Edit(3, 21).SeqNum = 7; // the last shot slot
    EXPECT_EQ(data.At(3, 21).SeqNum, 7);
    EXPECT_EQ(data.At(3, 20), ShotRecord{}) << "records before a write still read empty";
    EXPECT_EQ(data.StoredCount(3), 22);
    EXPECT_EQ(data.StoredCount(2), 0);
    EXPECT_EQ(data.StoredCount(4), 0);
}

TEST(SurveyData, EditReferenceWritesTheTable) {
    SurveyData data(10, 20);
    ShotRecord& header = data.EditHeader(16);
    header.ShotCount() = 3;
    EXPECT_EQ(data.Header(16).ShotCount(), 3);
    EXPECT_EQ(&data.Header(16), &data.EditHeader(16));
}

TEST(SurveyData, CopyLineCopiesWholeRecordsStaleOnesIncluded) {
    SurveyData data(10, 20);
    FillLine(data, 1, 5, "012BD");
    data.EditHeader(1).ShotCount() = 3; // shots 4 and 5 are now stale
    FillLine(data, 2, 9, "013BD");

    data.CopyLine(1, 2);
    for (std::int32_t shot = 0; shot <= data.ShotBound(); ++shot) {
        ASSERT_EQ(data.At(2, shot), data.At(1, shot)) << shot;
    }
    EXPECT_EQ(data.At(2, 5).Remark(), "remark 5");
    EXPECT_EQ(data.At(2, 9), ShotRecord{}) << "the old line's records are gone";

    data.Edit(2, 1).SetRemark("edited");
    EXPECT_EQ(data.At(1, 1).Remark(), "remark 1") << "copies are independent";
    data.CopyLine(1, 1);
    EXPECT_EQ(data.At(1, 1).Remark(), "remark 1");
}

TEST(SurveyData, SwapLinesExchangesWholeLines) {
    SurveyData data(10, 20);
    FillLine(data, 1, 5, "010");
    FillLine(data, 2, 2, "9");
    data.SwapLines(1, 2);
    EXPECT_EQ(data.Header(1).ShotCount(), 2);
    EXPECT_EQ(data.At(1, 1).ProfileNumber(), "9");
    EXPECT_EQ(data.At(2, 5).ProfileNumber(), "010");
    EXPECT_EQ(data.At(1, 5), ShotRecord{});
}

TEST(SurveyData, ClearEmptiesEveryLine) {
    SurveyData data(4, 6);
    for (std::int32_t line = 0; line <= data.LineBound(); ++line) FillLine(data, line, 7, "X");
    data.Clear();
    for (std::int32_t line = 0; line <= data.LineBound(); ++line) {
        EXPECT_EQ(data.StoredCount(line), 0);
        for (std::int32_t shot = 0; shot <= data.ShotBound(); ++shot) ASSERT_EQ(data.At(line, shot), ShotRecord{});
    }
}

TEST(SurveyData, ReserveIsOnlyAHint) {
    SurveyData data(4, 6);
    data.Reserve(2, 100000);
    EXPECT_EQ(data.StoredCount(2), 0);
    EXPECT_EQ(data.At(2, 7), ShotRecord{});
    data.Edit(2, 7).SeqNum = 1;
    EXPECT_EQ(data.At(2, 7).SeqNum, 1);
}

TEST(Job, StartsEmptyWithTheDefaultLimits) {
    const Job job;
    EXPECT_EQ(job.MaxLines, 1000);
    EXPECT_EQ(job.MaxShots, 3000);
    EXPECT_EQ(job.Data.LineBound(), 1006);
    EXPECT_EQ(job.Data.ShotBound(), 3001);
    EXPECT_EQ(job.UndoLine(), 1003);
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.CurrentLine, 1);
    EXPECT_FALSE(job.DataChanged);
    EXPECT_EQ(job.LoadingCount, 0);
    EXPECT_EQ(job.LineLimitProfile, "");
    EXPECT_EQ(job.ShotLimitProfile, "");
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) {
        ASSERT_EQ(job.ShotCount(line), 0);
        ASSERT_EQ(job.Data.Header(line), ShotRecord{});
    }
}

TEST(Job, LineNameIsTheProfileNumberOfShotOne) {
    Job job(5, 10);
    FillLine(job.Data, 2, 3, "012BD");
    job.Data.Edit(2, 2).SetProfileNumber("other");
    EXPECT_EQ(job.LineName(2), "012BD");
    EXPECT_EQ(job.LineName(3), "");
    EXPECT_EQ(job.ShotCount(2), 3);
}

TEST(Job, NewFileClearsEveryRecordAndTheCounters) {
    Job job(5, 10);
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) FillLine(job.Data, line, 11, "P");
    job.LineCount = 5;
    job.CurrentLine = 4;

    job.NewFile();
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.CurrentLine, 1);
    // Every line, also the undo line and the others above MaxLines.
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) {
        for (std::int32_t shot = 0; shot <= job.Data.ShotBound(); ++shot) {
            ASSERT_EQ(job.Data.At(line, shot), ShotRecord{}) << line << "," << shot;
        }
    }
    EXPECT_EQ(job.MaxLines, 5) << "the limits never change";
    EXPECT_EQ(job.Data.LineBound(), 11);
}

TEST(Job, LoadingCountNests) {
    Job job(5, 10);
    testing::ScriptedPrompter prompter;
    job.BeginLoading();
    job.BeginLoading();
    job.EndLoading(prompter);
    EXPECT_EQ(job.LoadingCount, 1);
    job.EndLoading(prompter);
    EXPECT_EQ(job.LoadingCount, 0);
    EXPECT_TRUE(prompter.Calls().empty());
}

TEST(Job, EndLoadingBelowZeroSaysSoAndKeepsTheCount) {
    Job job(5, 10);
    testing::ScriptedPrompter prompter;
    job.BeginLoading();
    job.EndLoading(prompter);
    job.EndLoading(prompter);
    EXPECT_EQ(job.LoadingCount, -1);
    ASSERT_EQ(prompter.Calls().size(), 1u);
    const auto& message = prompter.Calls()[0].Message;
    EXPECT_EQ(message.Text, "LoadingCount decremented below 0");
    EXPECT_EQ(message.Buttons, MessageButtons::Ok);
    EXPECT_EQ(message.Title, "");
    job.BeginLoading();
    EXPECT_EQ(job.LoadingCount, 0);
}

} // namespace
} // namespace tolvanor
