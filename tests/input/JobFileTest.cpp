// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobFile.h"

#include "core/Text.h"
#include "input/InputTestSupport.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace tolvanor {
namespace {

using namespace testing;

const int SavedJob = static_cast<int>(DataType::SavedJob);

// Reads a job file that must read without a message.
Job ReadJobFile(std::string_view file, bool mapElevation = false) {
    Job job;
    ScriptedPrompter prompter;
    const ReadOptions options{.SourceFileName = std::string(file), .DataType = SavedJob, .MapElevation = mapElevation};
    EXPECT_EQ(ReadData(job, options, prompter).Outcome, ReadOutcome::Ok) << file;
    EXPECT_EQ(prompter.Messages(), Texts{}) << file;
    return job;
}

TEST(JobFileWriter, WritesLineZeroAlwaysAndValuesNoTextCanCarryAsFiniteNumbers) {
    const std::string lineZero = " 0, 0,0,0,0,0,,0,,,False,,0,0,0,0,0\r\n";
    Job job;
    EXPECT_EQ(JobFileText(job), lineZero);
    job.LineCount = 1;
    job.Data.EditHeader(1).ShotCount() = 1;
    job.Data.Edit(1, 2).SeqNum = 77; // past the line's end: not written
    auto& record = job.Data.Edit(1, 1);
    record.Easting = std::numeric_limits<double>::infinity();
    record.Elevation = -std::numeric_limits<float>::infinity();
    record.DBT = std::numeric_limits<float>::quiet_NaN();
    const auto text = JobFileText(job);
    EXPECT_EQ(text, lineZero + " 1, 0,1,0,0,0,,0,,,False,,0,0,0,0,0\r\n"
                               " 1, 1,0,1.7976931348623157e+308,0,-3.4028235e+38,,0,,,False,,0,0,0,0,0\r\n");
    Job back;
    ScriptedPrompter prompter;
    EXPECT_EQ(ReadText(back, text, prompter, {.DataType = SavedJob}).Outcome, ReadOutcome::Ok);
}

TEST(JobFileReader, TheSampleJobReopensAndSavesByteForByte) {
    const std::string path = TOLVANOR_TEST_DATA "/../../samples/survey.tvn";
    EXPECT_EQ(JobFileText(ReadJobFile(path)), ReadBytes(path));
}

TEST(JobFileReader, ReadsTheOldTwelveFieldLayoutAndPassesOverOtherLines) {
    for (const bool mapElevation : {true, false}) {
        const Job job = ReadJobFile(TestData("job-old-layout.tvn"), mapElevation);
        EXPECT_EQ(Lines(job), ":3");
        const auto& shot = job.Data.At(1, 3);
        // Field 8 ("B") is not read: the type is "L"; the profile number is kept as saved.
        EXPECT_EQ(Summary(shot), mapElevation ? "7 100.5 200.25 0 1/L/" : "7 100.5 200.25 4.5 1/L/");
        EXPECT_EQ(std::tuple(shot.Remark(), shot.DBT), std::tuple("PRO1", mapElevation ? 4.5f : 0.0f));
    }
    const Job job = ReadJobFile(TestData("job-passed-over.tvn")); // a 13-field line among them
    EXPECT_EQ(job.LineCount, 4);                                  // from the last record
    EXPECT_EQ(job.ShotCount(5), 1);                               // stored, but past the last line in use
    EXPECT_EQ(job.Data.At(5, 1).Remark(), "PRO5");
}

TEST(JobFileReader, AddsTheAppendTextOnEveryReadButNeverReformats) {
    Job job;
    ScriptedPrompter prompter;
    ReadText(job, "1,0,0,0,PRO012BD\n2,0,0,0,PRO\n3,0,0,0,PROx1\n", prompter, Options(DataType::Trimble, false));
    Job once;
    ReadText(once, JobFileText(job), prompter, {.DataType = SavedJob});
    EXPECT_EQ(Lines(once), "012BD:1 NO NUMBER:1 X1:1");
    EXPECT_EQ(once.Data.Header(1).ProfileNumber(), "");
    const ReadOptions options{.DataType = SavedJob, .AppendToProfile = "X"};
    Job twice;
    ReadText(twice, JobFileText(once), prompter, options);
    ReadText(job, JobFileText(twice), prompter, options); // written in place over the same lines
    EXPECT_EQ(Lines(job), "012BDXX:1 NO NUMBERXX:1 X1XX:1");
    EXPECT_EQ(job.Data.Header(1).ProfileNumber(), "XX");
}

TEST(JobFileReader, RefusesRecordsOutsideTheTableAndNonNumbers) {
    const std::string bad = " 1, 1,1,abc,0,0,,0,,,False,1,0,0,0,0,0";
    const std::pair<std::string, std::string> cases[] = {
        {"11, 0,0,0,0,0,,0,,,False,,0,0,0,0,0", ReadingMessage},  // past MaxLines
        {"-1, 0,0,0,0,0,,0,,,False,,0,0,0,0,0", ReadingMessage},  // before line 0
        {" 1, 22,0,0,0,0,,0,,,False,,0,0,0,0,0", ReadingMessage}, // past the last shot slot
        {" 1, 0,22,0,0,0,,0,,,False,,0,0,0,0,0", ReadingMessage}, // a header counting past it
        {" 1, 0,-1,0,0,0,,0,,,False,,0,0,0,0,0", ReadingMessage}, // a negative shot count
        {" 1, 0,1,0,0,0,,0,,,False,,0,0,0,0,0\r\n" + bad + "\r\n", FormatMessage(bad)},
    };
    for (const auto& [text, message] : cases) {
        Job job(10, 20);
        ScriptedPrompter prompter;
        EXPECT_EQ(ReadText(job, text, prompter, {.DataType = SavedJob}).Outcome, ReadOutcome::Failed) << text;
        EXPECT_EQ(prompter.Messages(), Texts{message}) << text;
        EXPECT_EQ(job.LineCount, 0);
        EXPECT_EQ(job.Data.StoredCount(1), 0);
    }
    Job job(10, 20);
    ScriptedPrompter prompter;
    EXPECT_EQ(ReadText(job, " 10, 21,0,0,0,0,,0,,,False,,0,0,0,0,0", prompter, {.DataType = SavedJob}).Outcome,
              ReadOutcome::Ok);
    EXPECT_EQ(job.LineCount, 10);
}

// Indexes, sequence numbers, flags and values as this program writes them and
// in the other forms a hand-edited or older job may hold, by both read routes.
TEST(JobFileReader, ReadsEveryFormOfANumberOrFlagToItsValue) {
    struct Case {
        std::string seq, ignore, dbt;
        std::int32_t seqValue;
        bool ignoreValue;
        float dbtValue;
    };
    const Case cases[] = {
        // clang-format off
        {"7", "False", "0", 7, false, 0}, {"123456789", "True", "9", 123456789, true, 9},
        {"1234567890", "TRUE", "1e1", 1234567890, true, 10}, {"-12", " false ", ".5", -12, false, 0.5F},
        {" 12 ", "1", "-0", 12, true, -0.0F}, {"2.5", "0", "12.25", 2, false, 12.25F},
        {"3.5", "0.0", " 3 ", 4, false, 3}, {"+5", "-2", "00", 5, true, 0}, {"12.0", "fAlSe", "0.1", 12, false, 0.1F},
        // clang-format on
    };
    for (const bool chunked : {true, false}) {
        const auto read = [&](Job& job, const std::string& text) {
            ScriptedPrompter prompter;
            MemorySource source(text);
            return ReadDataFrom(job, {.DataType = SavedJob}, source, prompter, ReadRoute{.Chunked = chunked}).Outcome;
        };
        for (const auto& c : cases) {
            const std::string text = " 1, 0,1,0,0,0,,0,,,False,,0,0,0,0,0\n 1, 1," + c.seq + ",1,2,3,,0,,," + c.ignore +
                                     ",p," + c.dbt + ",0,0,0,0\n";
            Job job(10, 20);
            ASSERT_EQ(read(job, text), ReadOutcome::Ok) << text;
            const ShotRecord& shot = job.Data.At(1, 1);
            EXPECT_EQ(std::tuple(shot.SeqNum, shot.Ignore, shot.DBT, std::signbit(shot.DBT)),
                      std::tuple(c.seqValue, c.ignoreValue, c.dbtValue, std::signbit(c.dbtValue)))
                << text;
        }
        for (const std::string seq : {"2147483648", "-2147483649", "12a", "", "1 2"}) {
            Job job(10, 20);
            EXPECT_EQ(read(job, " 1, 1," + seq + ",1,2,3,,0,,,False,p,0,0,0,0,0\n"), ReadOutcome::Failed) << seq;
        }
    }
}

TEST(JobFileReader, AFailedJobAppendRestoresTheRecordsItOverwrote) {
    Job job;
    ScriptedPrompter prompter;
    ReadText(job, "1,10,20,1.5,PRO1\n2,11,21,1.5,PRO1\n3,12,22,1.5,PRO2\n", prompter);
    const Job before = job;
    ReadText(job,
             " 1, 1,9,9,9,9,,0,,,True,9,0,0,0,0,0\n 1, 0,1,9,9,9,,0,,,True,,0,0,0,0,0\n"
             " 7, 0,3,9,9,9,,0,,,True,,0,0,0,0,0\n 7, 3,3,9,9,9,,0,,,True,,0,0,0,0,0\n"
             " 2, 1,1,9,9,9,,0,,,True,,0,0,0,x,0\n",
             prompter, {.DataType = SavedJob});
    EXPECT_EQ(JobDifference(job, before), "");
    EXPECT_TRUE(job.Data.At(7, 0) == ShotRecord{} && job.Data.At(7, 3) == ShotRecord{}); // not left behind
}

// Random jobs with every field set: written and read back, every record
// written comes back, headers and line 0 included.
TEST(JobFileRoundTrip, RestoresEveryFieldOfRandomJobs) {
    std::mt19937_64 random(2024);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    auto anyReal = [&](auto zero) { // zero, a survey-like value, any finite bit pattern
        const std::uint64_t bits = random();
        auto value = zero;
        std::memcpy(&value, &bits, sizeof value);
        if (pick(3) == 0) return std::round(static_cast<decltype(zero)>(bits >> 40) * 10) / 1000;
        return pick(3) == 0 || !std::isfinite(value) ? zero : value;
    };
    auto anyText = [&](int maxLength) {
        std::string text(static_cast<std::size_t>(pick(maxLength + 1)), ' ');
        for (char& c : text) { // any byte but the separator and line ends: the layout has no quoting
            do c = static_cast<char>(pick(256));
            while (c == ',' || c == '\n' || c == '\r');
        }
        return text;
    };
    TempFolder folder;
    const std::string path = folder.File("round.tvn");
    for (int round = 0; round < 25; ++round) {
        Job job(40, 30);
        job.LineCount = pick(41);
        for (std::int32_t line = 0; line <= job.LineCount; ++line) {
            const std::int32_t shots = pick(4) == 0 ? 0 : pick(32);
            for (std::int32_t shot = 0; shot <= shots; ++shot) {
                auto& record = job.Data.Edit(line, shot);
                record.SeqNum = static_cast<std::int32_t>(random());
                record.Northing = anyReal(-0.0);
                record.Easting = anyReal(0.0);
                for (float* value : {&record.Elevation, &record.DBT, &record.Heave, &record.Pitch, &record.Roll,
                                     &record.Tide, &record.DistDownRange}) {
                    *value = anyReal(0.0f);
                }
                record.SetProfileNumber(UpperAscii(anyText(pick(4) == 0 ? 60 : 8)));
                record.SetSurveyType(anyText(2));
                record.SetShotType(anyText(1));
                record.SetRemark(anyText(pick(4) == 0 ? 300 : 12));
                record.Ignore = pick(2) == 0;
            }
            job.Data.EditHeader(line).ShotCount() = shots;
        }
        ASSERT_TRUE(WriteJobFile(job, path).Ok);
        Job back = ReadJobFile(path);
        back.CurrentLine = job.CurrentLine;
        ASSERT_EQ(JobDifference(back, job), "") << "round " << round;
        EXPECT_EQ(JobFileText(back), ReadBytes(path));
    }
}

} // namespace
} // namespace tolvanor
