// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobFile.h"

#include "core/GeneralText.h"
#include "core/Job.h"
#include "core/Text.h"
#include "input/DataType.h"
#include "input/InputTestSupport.h"
#include "input/LineReader.h"
#include "input/ReadData.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

namespace tolvanor {
namespace {

using testing::JobDifference;
using testing::ScriptedPrompter;
using Texts = std::vector<std::string>;

const std::string ReadingMessage = "There is a problem reading your source data.\r\n"
                                   "Please check the source file data and data format selection, then retry.";

ReadOptions JobOptions() {
    ReadOptions options;
    options.DataType = static_cast<int>(DataType::SavedJob);
    return options;
}

ReadResult ReadJobText(Job& job, std::string_view text, ScriptedPrompter& prompter,
                       ReadOptions options = JobOptions()) {
    MemorySource source(text);
    return ReadDataFrom(job, options, source, prompter);
}

TEST(JobFileWriter, WritesLineZeroEvenForAnEmptyJob) {
    Job job;
    EXPECT_EQ(JobFileText(job), " 0, 0,0,0,0,0,,0,,,False,,0,0,0,0,0\r\n");
}

TEST(JobFileWriter, WritesEachLineAsItsHeaderThenItsShots) {
    Job job;
    job.LineCount = 1;
    auto& header = job.Data.EditHeader(1);
    header.ShotCount() = 3;
    header.StartEasting() = 402511.37505;
    header.StartNorthing() = -0.0;
    header.LineAngle() = 0.1f;
    header.LineIgnored() = true;
    for (std::int32_t shot = 1; shot <= 3; ++shot) {
        auto& record = job.Data.Edit(1, shot);
        record.SeqNum = -shot;
        record.Elevation = 1e-05f;
        record.DistDownRange = 12.5f;
        record.SetRemark("pro12 b");
        record.SetProfileNumber("12a");
        record.SetShotType("B");
        record.SetSurveyType("BD");
        record.DBT = 1;
        record.Tide = 2;
        record.Heave = 3;
        record.Pitch = 4;
        record.Roll = 5.25f;
    }
    job.Data.Edit(1, 4).SeqNum = 77; // past the line's end: not written
    const auto text = JobFileText(job);
    const auto lines = SplitFields(text, '\n');
    ASSERT_EQ(lines.size(), 6u); // 1 + 4 lines, then nothing after the last line end
    EXPECT_EQ(lines[1], " 1, 0,3,402511.37505,0,0.1,,0,,,True,,0,0,0,0,0\r");
    EXPECT_EQ(lines[4], " 1, 3,-3,0,0,1e-05,pro12 b,12.5,B,BD,False,12A,1,2,3,4,5.25\r");
    EXPECT_EQ(lines[5], "");
}

TEST(JobFileWriter, WritesValuesNoTextCanCarryAsFiniteNumbers) {
    Job job;
    job.LineCount = 1;
    job.Data.EditHeader(1).ShotCount() = 1;
    auto& record = job.Data.Edit(1, 1);
    record.Easting = std::numeric_limits<double>::infinity();
    record.Elevation = -std::numeric_limits<float>::infinity();
    record.DBT = std::numeric_limits<float>::quiet_NaN();
    const auto text = JobFileText(job);
    EXPECT_NE(text.find(",1.7976931348623157e+308,0,-3.4028235e+38,"), std::string::npos) << text;
    Job back;
    ScriptedPrompter prompter;
    EXPECT_EQ(ReadJobText(back, text, prompter).Outcome, ReadOutcome::Ok);
}

TEST(JobFileReader, ReadsTheOldTwelveFieldLayout) {
    for (const bool mapElevation : {true, false}) {
        Job job;
        ScriptedPrompter prompter;
        auto options = JobOptions();
        options.SourceFileName = testing::TestData("job-old-layout.tvn");
        options.MapElevation = mapElevation;
        ASSERT_EQ(ReadData(job, options, prompter).Outcome, ReadOutcome::Ok);
        EXPECT_EQ(job.LineCount, 1);
        EXPECT_EQ(job.ShotCount(1), 3);
        const auto& shot = job.Data.At(1, 3);
        EXPECT_EQ(shot.SeqNum, 7);
        EXPECT_EQ(shot.Easting, 100.5);
        EXPECT_EQ(shot.Northing, 200.25);
        EXPECT_EQ(shot.ShotType(), "L"); // field 8 ("B") is not read
        EXPECT_EQ(shot.Remark(), "PRO1");
        EXPECT_EQ(shot.ProfileNumber(), "1");
        EXPECT_FALSE(shot.Ignore);
        EXPECT_EQ(shot.DBT, mapElevation ? 4.5f : 0.0f);
        EXPECT_EQ(shot.Elevation, mapElevation ? 0.0f : 4.5f);
        EXPECT_EQ(shot.Tide, 0);
    }
}

TEST(JobFileReader, PassesOverOtherLinesAndTakesLineCountFromTheLastRecord) {
    Job job;
    ScriptedPrompter prompter;
    auto options = JobOptions();
    options.SourceFileName = testing::TestData("job-passed-over.tvn");
    const auto result = ReadData(job, options, prompter);
    ASSERT_EQ(result.Outcome, ReadOutcome::Ok);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(result.RecordsStored, 4);
    EXPECT_EQ(job.LineCount, 4);
    EXPECT_EQ(job.ShotCount(5), 1); // stored, but past the last line in use
    EXPECT_EQ(job.Data.At(5, 1).Remark(), "PRO5");
    EXPECT_EQ(job.CurrentLine, 1); // not changed by a job read
}

TEST(JobFileReader, AddsTheAppendTextOnEveryReadButNeverReformats) {
    Job job;
    job.LineCount = 3;
    const char* names[] = {"012BD", "No Number", "x1"};
    for (std::int32_t line = 1; line <= 3; ++line) {
        job.Data.EditHeader(line).ShotCount() = 1;
        job.Data.Edit(line, 1).SetProfileNumber(names[line - 1]);
    }
    ScriptedPrompter prompter;
    Job back;
    ReadJobText(back, JobFileText(job), prompter);
    EXPECT_EQ(back.LineName(1), "012BD");
    EXPECT_EQ(back.LineName(2), "NO NUMBER");
    EXPECT_EQ(back.LineName(3), "X1");
    EXPECT_EQ(back.Data.Header(1).ProfileNumber(), "");

    auto options = JobOptions();
    options.AppendToProfile = "X";
    Job once;
    ReadJobText(once, JobFileText(back), prompter, options);
    Job twice;
    ReadJobText(twice, JobFileText(once), prompter, options);
    EXPECT_EQ(twice.LineName(1), "012BDXX");
    EXPECT_EQ(twice.Data.Header(1).ProfileNumber(), "XX");
}

TEST(JobFileReader, AcceptsBooleanWordsAndNumbers) {
    Job job;
    ScriptedPrompter prompter;
    ReadJobText(job,
                " 1, 0,3,0,0,0,,0,,,false,,0,0,0,0,0\n"
                " 1, 1,1,0,0,0,,0,,, TRUE ,,0,0,0,0,0\n"
                " 1, 2,1,0,0,0,,0,,,-1,,0,0,0,0,0\n"
                " 1, 3,1,0,0,0,,0,,,0,,0,0,0,0,0\n",
                prompter);
    EXPECT_FALSE(job.Data.Header(1).LineIgnored());
    EXPECT_TRUE(job.Data.At(1, 1).Ignore);
    EXPECT_TRUE(job.Data.At(1, 2).Ignore);
    EXPECT_FALSE(job.Data.At(1, 3).Ignore);
    ReadJobText(job, " 1, 3,1,0,0,0,,0,,,Yes,,0,0,0,0,0\n", prompter);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].rfind("There is a problem with the data format", 0), 0u);
}

TEST(JobFileReader, RefusesRecordsOutsideTheDataAndHeadersThatOverrunTheirLine) {
    Job job(10, 20);
    for (const char* line : {"11, 0,0,0,0,0,,0,,,False,,0,0,0,0,0",   // past MaxLines
                             "-1, 0,0,0,0,0,,0,,,False,,0,0,0,0,0",   // before line 0
                             " 1, 22,0,0,0,0,,0,,,False,,0,0,0,0,0",  // past the last shot slot
                             " 1, 0,22,0,0,0,,0,,,False,,0,0,0,0,0",  // a header counting past it
                             " 1, 0,-1,0,0,0,,0,,,False,,0,0,0,0,0",  // a negative shot count
                             " 1, 1,3e9,0,0,0,,0,,,False,,0,0,0,0,0", // a sequence number past 32 bits
                             " 1, 1,0,1e309,0,0,,0,,,False,,0,0,0,0,0"}) {
        ScriptedPrompter prompter;
        EXPECT_EQ(ReadJobText(job, line, prompter).Outcome, ReadOutcome::Failed) << line;
        EXPECT_EQ(prompter.Messages(), Texts{ReadingMessage}) << line;
    }
    ScriptedPrompter prompter;
    EXPECT_EQ(ReadJobText(job, " 10, 21,0,0,0,0,,0,,,False,,0,0,0,0,0", prompter).Outcome, ReadOutcome::Ok);
    EXPECT_EQ(job.LineCount, 10);
}

TEST(JobFileReader, ANonNumberShowsTheFormatMessageAndKeepsNothing) {
    Job job;
    ScriptedPrompter prompter;
    const auto result = ReadJobText(job,
                                    " 0, 0,0,0,0,0,,0,,,False,,0,0,0,0,0\r\n"
                                    " 1, 0,1,0,0,0,,0,,,False,,0,0,0,0,0\r\n"
                                    " 1, 1,1,abc,0,0,,0,,,False,1,0,0,0,0,0\r\n",
                                    prompter);
    EXPECT_EQ(result.Outcome, ReadOutcome::Failed);
    EXPECT_EQ(prompter.Messages(),
              Texts{"There is a problem with the data format of the input file, in or near the line: \r\n"
                    " 1, 1,1,abc,0,0,,0,,,False,1,0,0,0,0,0\r\n\r\n  Please correct your source file and try again."});
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.Data.StoredCount(1), 0);
}

TEST(JobFileReader, AFailedJobAppendRestoresTheRecordsItOverwrote) {
    Job job;
    ScriptedPrompter prompter;
    MemorySource source("1,10,20,1.5,PRO1\n2,11,21,1.5,PRO1\n3,12,22,1.5,PRO2\n");
    ReadDataFrom(job, ReadOptions{}, source, prompter);
    const Job before = job;
    ReadJobText(job,
                " 1, 1,9,9,9,9,,0,,,True,9,0,0,0,0,0\n"
                " 1, 0,1,9,9,9,,0,,,True,,0,0,0,0,0\n"
                " 7, 0,3,9,9,9,,0,,,True,,0,0,0,0,0\n"
                " 7, 3,3,9,9,9,,0,,,True,,0,0,0,0,0\n"
                " 2, 1,1,9,9,9,,0,,,True,,0,0,0,x,0\n",
                prompter);
    EXPECT_EQ(JobDifference(job, before), "");
    EXPECT_EQ(job.Data.At(7, 0), ShotRecord{});
    EXPECT_EQ(job.Data.At(7, 3), ShotRecord{});
}

TEST(JobFileReader, TheSampleJobReopensAndSavesByteForByte) {
    const std::string path = std::string(TOLVANOR_TEST_DATA) + "/../../samples/survey.tvn";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no sample job";
    Job job;
    ScriptedPrompter prompter;
    auto options = JobOptions();
    options.SourceFileName = path;
    ASSERT_EQ(ReadData(job, options, prompter).Outcome, ReadOutcome::Ok);
    EXPECT_GT(job.LineCount, 0);
    EXPECT_EQ(JobFileText(job), testing::ReadBytes(path));
}

// Random jobs with every field set: written and read back, every record
// written comes back, headers and line 0 included.
TEST(JobFileRoundTrip, RestoresEveryFieldOfRandomJobs) {
    std::mt19937_64 random(2024);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    auto anyDouble = [&]() {
        switch (pick(4)) {
        case 0:
            return 0.0;
        case 1:
            return std::round(std::ldexp(static_cast<double>(random() >> 11), -30) * 1e4) / 1e4;
        case 2:
            return std::ldexp(static_cast<double>(random() >> 11) - 4e15, pick(200) - 100);
        default: {
            double value;
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            return std::isfinite(value) ? value : -0.0;
        }
        }
    };
    auto anyFloat = [&]() {
        if (pick(3) == 0) return 0.0f;
        float value;
        const auto bits = static_cast<std::uint32_t>(random());
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value) ? value : 1.5f;
    };
    auto anyText = [&](int maxLength) {
        std::string text(static_cast<std::size_t>(pick(maxLength + 1)), ' ');
        // Any byte but the separator and line ends: the layout has no quoting.
        for (char& c : text) {
            do c = static_cast<char>(pick(256));
            while (c == ',' || c == '\n' || c == '\r');
        }
        return text;
    };
    auto fill = [&](ShotRecord& record) {
        record.SeqNum = static_cast<std::int32_t>(random());
        record.Northing = anyDouble();
        record.Easting = anyDouble();
        for (float* value : {&record.Elevation, &record.DBT, &record.Heave, &record.Pitch, &record.Roll, &record.Tide,
                             &record.DistDownRange}) {
            *value = anyFloat();
        }
        record.SetProfileNumber(UpperAscii(anyText(pick(4) == 0 ? 60 : 8)));
        record.SetSurveyType(anyText(2));
        record.SetShotType(anyText(1));
        record.SetRemark(anyText(pick(4) == 0 ? 300 : 12));
        record.Ignore = pick(2) == 0;
    };

    testing::TempFolder folder;
    for (int round = 0; round < 25; ++round) {
        Job job(40, 30);
        job.LineCount = pick(41);
        for (std::int32_t line = 0; line <= job.LineCount; ++line) {
            const std::int32_t shots = pick(4) == 0 ? 0 : pick(32);
            for (std::int32_t shot = 0; shot <= shots; ++shot) fill(job.Data.Edit(line, shot));
            job.Data.EditHeader(line).ShotCount() = shots;
        }
        const std::string path = folder.File("round.tvn");
        ASSERT_TRUE(WriteJobFile(job, path).Ok);

        Job back(40, 30);
        ScriptedPrompter prompter;
        auto options = JobOptions();
        options.SourceFileName = path;
        ASSERT_EQ(ReadData(back, options, prompter).Outcome, ReadOutcome::Ok) << testing::ReadBytes(path);
        back.CurrentLine = job.CurrentLine;
        ASSERT_EQ(JobDifference(back, job), "") << "round " << round;
        EXPECT_EQ(JobFileText(back), testing::ReadBytes(path));
    }
}

} // namespace
} // namespace tolvanor
