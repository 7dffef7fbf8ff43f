// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SurveyData.h"
#include "core/Job.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace tolvanor {
namespace {

// Odd shots get a remark too long to be held inline.
void FillLine(SurveyData& data, std::int32_t line, std::int32_t shots) {
    data.EditHeader(line).ShotCount() = shots;
    for (std::int32_t shot = 1; shot <= shots; ++shot) {
        data.Edit(line, shot).SeqNum = line * 100 + shot;
        data.Edit(line, shot).SetRemark(std::string(shot % 2 ? 50 : 5, 'r'));
    }
}

void ExpectEmpty(const SurveyData& data) {
    for (std::int32_t line = 0; line <= data.LineBound(); ++line) {
        for (std::int32_t shot = 0; shot <= data.ShotBound(); ++shot)
            ASSERT_EQ(data.At(line, shot), ShotRecord{}) << line << "," << shot;
    }
}

TEST(SurveyData, CopyLineCopiesWholeRecordsStaleOnesIncluded) {
    SurveyData data(10, 20);
    FillLine(data, 1, 5);
    data.EditHeader(1).ShotCount() = 3; // shots 4 and 5 are now stale
    FillLine(data, 2, 9);               // and shots 6 to 9 must go
    data.CopyLine(1, 2);
    for (std::int32_t shot = 0; shot <= data.ShotBound(); ++shot) ASSERT_EQ(data.At(2, shot), data.At(1, shot)) << shot;
}

TEST(Job, NewFileClearsEveryRecordOfEveryLine) {
    Job job(5, 10);
    // Every line, also the undo line and the others above the line limit.
    for (std::int32_t line = 0; line <= job.Data.LineBound(); ++line) FillLine(job.Data, line, 11);
    job.LineCount = 5;
    job.CurrentLine = 4;
    job.NewFile();
    EXPECT_EQ(std::pair(job.LineCount, job.CurrentLine), std::pair(0, 1));
    ExpectEmpty(job.Data);
}

TEST(Job, EndLoadingBelowZeroSaysSoAndKeepsTheCount) {
    Job job(5, 10);
    testing::ScriptedPrompter prompter;
    job.BeginLoading();
    job.EndLoading(prompter);
    EXPECT_TRUE(prompter.Calls().empty());
    job.EndLoading(prompter);
    EXPECT_EQ(job.LoadingCount, -1) << "the counter keeps the negative value";
    ASSERT_EQ(prompter.Calls().size(), 1u);
    const auto& box = prompter.Calls()[0].Message;
    EXPECT_EQ(std::tuple(box.Text, box.Title, box.Buttons),
              std::tuple("LoadingCount decremented below 0", "", MessageButtons::Ok));
}

// A pass may skip a line while its version stands, so every change must
// give a number the line has never had, and only changes may.
TEST(SurveyData, LineVersionsChangeWithEveryChangeAndNeverRepeat) {
    SurveyData data(5, 10);
    std::set<std::uint64_t> seen{data.LineVersion(1), data.LineVersion(2)};
    const auto fresh = [&](std::int32_t line) { return seen.insert(data.LineVersion(line)).second; };
    data.Edit(1, 3).Elevation = 2.5f;
    EXPECT_TRUE(fresh(1));
    const auto edited = data.LineVersion(1);
    EXPECT_EQ(data.At(1, 3).Elevation, 2.5f);
    data.Reserve(1, 10);
    EXPECT_EQ(data.LineVersion(1), edited) << "reading and reserving change nothing";
    data.SwapLines(1, 2);
    EXPECT_EQ(data.LineVersion(2), edited) << "a line keeps its number when it moves";
    data.CopyLine(2, 3);
    EXPECT_TRUE(fresh(3));
    data.Clear();
    EXPECT_TRUE(fresh(2));
    SurveyData other(5, 10);
    other.Edit(2, 1).Easting = 1;
    data = other; // the other table counted on its own
    EXPECT_TRUE(fresh(2));
    EXPECT_TRUE(fresh(1));
}

} // namespace
} // namespace tolvanor
