// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ReadData.h"

#include "core/Job.h"
#include "core/Progress.h"
#include "input/DataType.h"
#include "input/InputTestSupport.h"
#include "input/LineReader.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace tolvanor {
namespace {

using testing::ScriptedPrompter;
using Texts = std::vector<std::string>;

const std::string FormatMessageStart =
    "There is a problem with the data format of the input file, in or near the line: \r\n";
const std::string FormatMessageEnd = "\r\n\r\n  Please correct your source file and try again.";
const std::string ReadingMessage = "There is a problem reading your source data.\r\n"
                                   "Please check the source file data and data format selection, then retry.";
const std::string OpenMessage = "Unable to open specified file.\r\n"
                                "Please select a valid file or make sure that the file is not in use by another "
                                "program.";

class ReadDataTest : public ::testing::Test {
protected:
    ReadResult Read(std::string_view text, DataType type = DataType::Trimble) {
        options.DataType = static_cast<int>(type);
        MemorySource source(text);
        return ReadDataFrom(job, options, source, prompter);
    }
    std::string Name(std::int32_t line) const { return std::string(job.LineName(line)); }
    const ShotRecord& Shot(std::int32_t line, std::int32_t shot) const { return job.Data.At(line, shot); }

    Job job;
    ScriptedPrompter prompter;
    ReadOptions options;
};

TEST_F(ReadDataTest, SkipsCommentsBlankLinesAndRemarksThatAreNotProfiles) {
    options.SourceFileName = testing::TestData("trimble-comments.csv");
    const auto result = ReadData(job, options, prompter);
    EXPECT_EQ(result.Outcome, ReadOutcome::Ok);
    EXPECT_EQ(result.RecordsStored, 3);
    EXPECT_TRUE(prompter.Messages().empty());
    ASSERT_EQ(job.LineCount, 1);
    EXPECT_EQ(Name(1), "012");
    ASSERT_EQ(job.ShotCount(1), 3);
    EXPECT_EQ(Shot(1, 1).SeqNum, 1);
    EXPECT_EQ(Shot(1, 2).SeqNum, 3);
    EXPECT_EQ(Shot(1, 2).Remark(), "pro12 B");
    EXPECT_EQ(Shot(1, 2).ShotType(), "B");
    // The line is trimmed of its spaces before it is split.
    EXPECT_EQ(Shot(1, 3).SeqNum, 4);
    EXPECT_EQ(Shot(1, 3).Remark(), "PRO12 L");
    EXPECT_EQ(Shot(1, 3).Easting, 1003.5);
    EXPECT_EQ(Shot(1, 3).Northing, 2003.25);
    EXPECT_FLOAT_EQ(Shot(1, 3).Elevation, 2.8f);
    EXPECT_EQ(job.CurrentLine, 1);
}

TEST_F(ReadDataTest, NumbersShotsByAcceptedLineWithoutASequenceColumn) {
    Read("REM heading\r\n1,2,3,PRO1\r\n1,2,3,STN\r\n\r\n4,5,6,PRO1 B\r\n7,8,9,PRO2\r\n", DataType::ProcessedXyz);
    ASSERT_EQ(job.LineCount, 2);
    EXPECT_EQ(Shot(1, 1).SeqNum, 1);
    EXPECT_EQ(Shot(1, 2).SeqNum, 2);
    EXPECT_EQ(Shot(2, 1).SeqNum, 3);
}

TEST_F(ReadDataTest, KeepsLinesInBinaryOrderAndShotsInFileOrder) {
    Read("1,0,0,0,PRO2\n2,0,0,0,PRO1\n3,0,0,0,PRO2\n");
    ASSERT_EQ(job.LineCount, 2);
    EXPECT_EQ(Name(1), "001");
    EXPECT_EQ(job.ShotCount(1), 1);
    EXPECT_EQ(Name(2), "002");
    ASSERT_EQ(job.ShotCount(2), 2);
    EXPECT_EQ(Shot(2, 1).SeqNum, 1);
    EXPECT_EQ(Shot(2, 2).SeqNum, 3);

    Job plain;
    options.FormatProfileNumbers = false;
    MemorySource source("1,0,0,0,PRO10\n2,0,0,0,PRO9\n3,0,0,0,PRO10\n");
    ReadDataFrom(plain, options, source, prompter);
    ASSERT_EQ(plain.LineCount, 2);
    EXPECT_EQ(plain.LineName(1), "10");
    EXPECT_EQ(plain.LineName(2), "9");
    EXPECT_EQ(plain.ShotCount(1), 2);
}

TEST_F(ReadDataTest, MapsTheColumnsOfEveryDelimitedLayout) {
    Read("1000.5,2000.25,3.1,PRO5 L BD", DataType::ProcessedXyz);
    EXPECT_EQ(Shot(1, 1).Easting, 1000.5);
    EXPECT_EQ(Shot(1, 1).Northing, 2000.25);
    EXPECT_FLOAT_EQ(Shot(1, 1).Elevation, 3.1f);
    EXPECT_EQ(Shot(1, 1).ProfileNumber(), "005");
    EXPECT_EQ(Shot(1, 1).ShotType(), "L");
    EXPECT_EQ(Shot(1, 1).SurveyType(), ""); // from the profile number, not the remark's words

    job.NewFile();
    Read("2000.25,1000.5,3.1,PRO5", DataType::Processed);
    EXPECT_EQ(Shot(1, 1).Easting, 1000.5);
    EXPECT_EQ(Shot(1, 1).Northing, 2000.25);

    job.NewFile();
    Read("501,2000.25,1000.5,3.1,PRO5 B", DataType::Field);
    EXPECT_EQ(Shot(1, 1).SeqNum, 501);
    EXPECT_EQ(Shot(1, 1).Easting, 1000.5);
    EXPECT_EQ(Shot(1, 1).Northing, 2000.25);
    EXPECT_EQ(Shot(1, 1).ShotType(), "B");

    job.NewFile();
    options.AppendToProfile = "BD";
    Read("1000.5,2000.25,3.1,PRO5 L BD", DataType::ProcessedXyz);
    EXPECT_EQ(Shot(1, 1).ProfileNumber(), "005BD");
    EXPECT_EQ(Shot(1, 1).SurveyType(), "BD");

    job.NewFile();
    Read("5,6,7,PRO", DataType::ProcessedXyz);
    EXPECT_EQ(Shot(1, 1).ProfileNumber(), "No NumberBD");
}

TEST_F(ReadDataTest, PutsAllHypackShotsIntoOneLineWithoutAName) {
    options.AppendToProfile = "X";
    Read("1,2,3\n4,5,6\n7,8,9,extra\n", DataType::Hypack);
    ASSERT_EQ(job.LineCount, 1);
    EXPECT_EQ(Name(1), "");
    ASSERT_EQ(job.ShotCount(1), 3);
    EXPECT_EQ(Shot(1, 3).SeqNum, 3);
    EXPECT_EQ(Shot(1, 3).Easting, 7);
    EXPECT_EQ(Shot(1, 3).Remark(), "");
}

TEST_F(ReadDataTest, WorksOutSounderElevationsFromDepthHeaveAndTide) {
    options.SourceFileName = testing::TestData("sounder.txt");
    options.DataType = static_cast<int>(DataType::Sounder);
    ReadData(job, options, prompter);
    ASSERT_EQ(job.ShotCount(1), 2);
    EXPECT_EQ(Name(1), "003");
    EXPECT_FLOAT_EQ(Shot(1, 1).Elevation, -4.5f); // Z (9.9) is not read
    EXPECT_EQ(Shot(1, 1).ShotType(), "W");        // whatever the remark says
    EXPECT_EQ(Shot(1, 2).ShotType(), "W");
    EXPECT_FLOAT_EQ(Shot(1, 2).Elevation, -3.7f);
    EXPECT_FLOAT_EQ(Shot(1, 2).DBT, 5.0f);
    EXPECT_FLOAT_EQ(Shot(1, 2).Heave, 0.2f);
    EXPECT_FLOAT_EQ(Shot(1, 2).Tide, 1.1f);
    EXPECT_EQ(Shot(1, 2).Pitch, 0);
    EXPECT_EQ(Shot(1, 2).SeqNum, 2);

    // The adjustment goes to the depth, before the elevation is worked out.
    job.NewFile();
    options.ElevProcessing = 1;
    options.ElevChange = "1";
    ReadData(job, options, prompter);
    EXPECT_FLOAT_EQ(Shot(1, 1).DBT, 7.0f);
    EXPECT_FLOAT_EQ(Shot(1, 1).Elevation, -5.5f);
}

TEST_F(ReadDataTest, AdjustsElevationsAsTheyAreRead) {
    options.ElevProcessing = 4;
    options.ElevChange = "10%";
    Read("1,0,0,2.0,PRO1");
    EXPECT_FLOAT_EQ(Shot(1, 1).Elevation, -1.8f);
    job.NewFile();
    options.ElevChange = "10";
    Read("1,0,0,2.0,PRO1");
    EXPECT_FLOAT_EQ(Shot(1, 1).Elevation, 8.0f);
}

TEST_F(ReadDataTest, RoundsSequenceNumbersHalfToEven) {
    Read("12.5,0,0,0,PRO1\n13.5,0,0,0,PRO1\nabc,0,0,0,PRO1\n 7x,0,0,0,PRO1\n");
    ASSERT_EQ(job.ShotCount(1), 4);
    EXPECT_EQ(Shot(1, 1).SeqNum, 12);
    EXPECT_EQ(Shot(1, 2).SeqNum, 14);
    EXPECT_EQ(Shot(1, 3).SeqNum, 0);
    EXPECT_EQ(Shot(1, 4).SeqNum, 7);
}

TEST_F(ReadDataTest, ANonNumberShowsTheFormatMessageWithTheUntrimmedLine) {
    const auto result = Read("1,0,0,1,PRO1\r\n  2,10,20,abc,PRO1 \r\n3,0,0,1,PRO1\r\n");
    EXPECT_EQ(result.Outcome, ReadOutcome::Failed);
    EXPECT_EQ(prompter.Messages(), Texts{FormatMessageStart + "  2,10,20,abc,PRO1 " + FormatMessageEnd});
    EXPECT_EQ(job.LineCount, 0);
    EXPECT_EQ(job.Data.StoredCount(1), 0);
}

TEST_F(ReadDataTest, AColumnTitleLineIsAFormatErrorBecauseNumbersComeFirst) {
    options.SourceFileName = testing::TestData("column-title.csv");
    EXPECT_EQ(ReadData(job, options, prompter).Outcome, ReadOutcome::Failed);
    EXPECT_EQ(prompter.Messages(), Texts{FormatMessageStart + "Seq,E,N,Elev,Rem" + FormatMessageEnd});
    prompter.Reset();
    EXPECT_EQ(Read("1,,2,3,PRO1").Outcome, ReadOutcome::Failed); // an empty field is no number either
    EXPECT_EQ(prompter.Messages(), Texts{FormatMessageStart + "1,,2,3,PRO1" + FormatMessageEnd});
}

TEST_F(ReadDataTest, MissingColumnsAndOverflowsShowTheReadingMessage) {
    for (const char* line : {"1,2,3,4", "1,2", "1,2,3,1e39,PRO1", "1,1e309,3,4,PRO1"}) {
        prompter.Reset();
        EXPECT_EQ(Read(line).Outcome, ReadOutcome::Failed) << line;
        EXPECT_EQ(prompter.Messages(), Texts{ReadingMessage}) << line;
    }
    prompter.Reset();
    EXPECT_EQ(Read("1e99,2,3,4,PRO1", DataType::Field).Outcome, ReadOutcome::Failed); // sequence past 32 bits
    EXPECT_EQ(prompter.Messages(), Texts{ReadingMessage});
    EXPECT_EQ(job.LineCount, 0);
}

TEST_F(ReadDataTest, ConvertsColumnsInAFixedOrderSoTheFirstFailureDecides) {
    // Processed files hold the northing first, but the order is the same for every layout:
    // northing, easting, elevation.
    Read("1e400,abc,1,PRO1", DataType::Processed);
    EXPECT_EQ(prompter.Messages(), Texts{ReadingMessage});
    prompter.Reset();
    Read("abc,1e400,1,PRO1", DataType::Processed);
    EXPECT_EQ(prompter.Messages(), Texts{FormatMessageStart + "abc,1e400,1,PRO1" + FormatMessageEnd});
    prompter.Reset();
    // The easting (column 0 of Processed XYZ) comes after the northing (column 1).
    Read("abc,1e400,1,PRO1", DataType::ProcessedXyz);
    EXPECT_EQ(prompter.Messages(), Texts{ReadingMessage});
}

TEST_F(ReadDataTest, NumbersDoNotFollowTheLocale) {
    EXPECT_EQ(Read("1,2,3,4,PRO1,5%,x").Outcome, ReadOutcome::Ok); // fields past the layout are ignored
    prompter.Reset();
    EXPECT_EQ(Read("1,2,3,\"4,5\",PRO1").Outcome, ReadOutcome::Failed);
    EXPECT_EQ(Read("1, 2.5 ,\t3e2\t,-.5,PRO1").Outcome, ReadOutcome::Ok);
    EXPECT_EQ(Shot(1, 2).Easting, 2.5);
    EXPECT_EQ(Shot(1, 2).Northing, 300);
    EXPECT_FLOAT_EQ(Shot(1, 2).Elevation, -0.5f);
}

TEST_F(ReadDataTest, AFileThatCannotBeOpenedShowsTheOpenMessage) {
    testing::TempFolder folder;
    for (const std::string& path : {folder.File("missing.csv"), folder.Path().string()}) {
        prompter.Reset();
        options.SourceFileName = path;
        EXPECT_EQ(ReadData(job, options, prompter).Outcome, ReadOutcome::Failed) << path;
        EXPECT_EQ(prompter.Messages(), Texts{OpenMessage}) << path;
    }
}

TEST_F(ReadDataTest, AnUnknownDataTypeIsAReadingError) {
    options.DataType = 7;
    MemorySource source("1,2,3,4,PRO1");
    EXPECT_EQ(ReadDataFrom(job, options, source, prompter).Outcome, ReadOutcome::Failed);
    EXPECT_EQ(prompter.Messages(), Texts{ReadingMessage});
}

class CountingProgress : public Progress {
public:
    void Report(std::int64_t done, std::int64_t total) override {
        EXPECT_GE(done, last);
        last = done;
        lastTotal = total;
        ++reports;
    }
    std::int64_t last = 0;
    std::int64_t lastTotal = 0;
    int reports = 0;
};

TEST_F(ReadDataTest, ReportsProgressUpToTheWholeFile) {
    std::string text;
    for (int i = 0; i < 70000; ++i) text += std::to_string(i) + ",1,2,3,PRO" + std::to_string(i / 1000) + "\n";
    CountingProgress progress;
    options.DataType = static_cast<int>(DataType::Trimble);
    MemorySource source(text);
    ASSERT_EQ(ReadDataFrom(job, options, source, prompter, &progress).Outcome, ReadOutcome::Ok);
    EXPECT_GE(progress.reports, 2);
    EXPECT_EQ(progress.last, static_cast<std::int64_t>(text.size()));
    EXPECT_EQ(progress.lastTotal, static_cast<std::int64_t>(text.size()));
}

TEST(ReadLimits, ALineTakesAtMostMaxShotsLessOneWithOneMessagePerRead) {
    Job job(10, 5);
    ScriptedPrompter prompter;
    ReadOptions options;
    std::string text;
    for (int i = 1; i <= 7; ++i) text += std::to_string(i) + ",0,0,0,PRO1\n";
    text += "8,0,0,0,PRO2\n";
    for (int i = 9; i <= 15; ++i) text += std::to_string(i) + ",0,0,0,PRO2\n";
    MemorySource source(text);
    const auto result = ReadDataFrom(job, options, source, prompter);
    EXPECT_EQ(result.Outcome, ReadOutcome::Ok);
    EXPECT_EQ(result.RecordsStored, 8);
    ASSERT_EQ(job.LineCount, 2);
    EXPECT_EQ(job.ShotCount(1), 4);
    EXPECT_EQ(job.Data.At(1, 4).SeqNum, 4);
    EXPECT_EQ(job.ShotCount(2), 4);
    EXPECT_EQ(prompter.Messages(),
              Texts{"More than 5 shots in profile 001\r\nAll following data on this line will be ignored."});
    EXPECT_EQ(job.ShotLimitProfile, "002"); // the last refusal
    EXPECT_TRUE(result.ShotLimitReached);
    EXPECT_FALSE(result.LineLimitReached);
}

TEST(ReadLimits, ANewProfileBeyondMaxLinesEndsTheReadKeepingWhatWasRead) {
    Job job(3, 10);
    ScriptedPrompter prompter;
    ReadOptions options;
    MemorySource source("1,0,0,0,PRO1\n2,0,0,0,PRO3\n3,0,0,0,PRO2\n4,0,0,0,PRO4\n5,0,0,0,PRO1\n");
    const auto result = ReadDataFrom(job, options, source, prompter);
    EXPECT_EQ(result.Outcome, ReadOutcome::Ok);
    EXPECT_TRUE(result.LineLimitReached);
    ASSERT_EQ(job.LineCount, 3); // a job holds MaxLines lines
    EXPECT_EQ(job.LineName(3), "003");
    EXPECT_EQ(job.ShotCount(1), 1); // the shot after the refused profile is not read
    EXPECT_EQ(job.LineLimitProfile, "004");
    EXPECT_EQ(prompter.Messages(), Texts{"More than 3 lines in input file.  Data from profile 004 and following "
                                         "data ignored."});
}

} // namespace
} // namespace tolvanor
