// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ReadData.h"

#include "input/AddShot.h"
#include "input/ElevationProcessing.h"
#include "input/InputTestSupport.h"
#include "input/ReadMessages.h"
#include "input/Remark.h"
#include "processing/LineGeometry.h"

#include <random>
#include <tuple>

namespace tolvanor {
namespace {

using namespace testing;

TEST(Remark, ProfileNumberShotTypeAndSurveyType) {
    // Remark, profile number with three digits and without, shot type.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"PRO12 B", "012", "12", "B"},         {"pro7a L BD", "07A", "7a", "L"}, {"PRO12+50", "012+50", "12+50", ""},
        {"PRO", "No Number", "No Number", ""}, {"PRO 12 B", "000", "", ""},      {"PRO1 W", "001", "1", "W"},
        {"PRO1 S x", "001", "1", "S"},         {"PRO12 b", "012", "12", ""},     {"PRO12  B", "012", "12", ""},
        {"PRO12 BD", "012", "12", ""},         {"PRO12 X", "012", "12", ""},
    };
    for (const auto& [remark, threeDigits, plain, shotType] : cases) {
        EXPECT_EQ(ProfileNumberFromRemark(remark, true), threeDigits) << remark;
        EXPECT_EQ(ProfileNumberFromRemark(remark, false), plain) << remark;
        EXPECT_EQ(ShotTypeFromRemark(remark), shotType) << remark;
    }
    EXPECT_TRUE(IsProfileRemark("pRo") && !IsProfileRemark("PR") && !IsProfileRemark(" PRO1"));
    EXPECT_EQ(SurveyTypeFromProfileNumber("12CS"), "CS");
    EXPECT_EQ(SurveyTypeFromProfileNumber("12bd"), "");
}

TEST(ElevProcessing, AbsoluteAndPercentAmountsOfEveryOperation) {
    // Operation, amount, the result from 2.
    const std::tuple<int, const char*, float> cases[] = {
        {0, "5", 2.0f},    {1, "2.5", 4.5f}, {1, "10%", 2.2f},   {2, "0.5", 1.5f},  {2, "50%", 1.0f},
        {3, "7", -2.0f},   {3, "7%", -2.0f}, {4, "10", 8.0f},    {4, "10%", -1.8f}, {5, "1", -3.0f},
        {5, "10%", -2.2f}, {1, "", 2.0f},    {1, "2.5%x", 4.5f}, {9, "5", 2.0f}};
    for (const auto& [processing, amount, expected] : cases) {
        float value = 2.0f;
        ASSERT_TRUE(ApplyElevProcessing(processing, ParseElevChange(amount), value)) << amount;
        EXPECT_FLOAT_EQ(value, expected) << processing << " " << amount;
    }
}

// The other three read-error texts are compared where a read fails.
TEST(ReadMessages, ReadingPastTheEndNamesTheJobFileLine) {
    for (const auto counter : {0, 12}) {
        EXPECT_EQ(ReadErrorMessage(ReadError::EndOfFile, "x", counter),
                  "Invalid data at the end of the file, near line number  " + std::to_string(counter) +
                      ".  Please correct to the selected format and retry.");
    }
}

TEST(LineReader, EndsLinesAtLfDropsOneCrAndIgnoresBlockBoundaries) {
    const std::string bytes = "a\r\n\r\ntwo\r\r\nin\rside\na line longer than a block\r\nlast\r";
    for (std::size_t block : {1u, 2u, 3u, 7u, 64u}) {
        MemorySource source(bytes);
        LineReader reader(source, block);
        Texts lines;
        for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
        EXPECT_EQ(lines, (Texts{"a", "", "two\r", "in\rside", "a line longer than a block", "last"})) << block;
        EXPECT_EQ(reader.BytesRead(), static_cast<std::int64_t>(bytes.size()));
    }
}

TEST(ReadData, MapsTheColumnsOfEveryDelimitedLayout) {
    using enum DataType;
    // Type, append text, text, the fields of the line's last shot.
    const std::tuple<DataType, const char*, const char*, const char*> cases[] = {
        // The survey type comes from the profile number, not from the remark's words.
        {ProcessedXyz, "", "1000.5,2000.25,3.1,PRO5 L BD", "1 1000.5 2000.25 3.1 005/L/"},
        {ProcessedXyz, "BD", "1000.5,2000.25,3.1,PRO5 L BD", "1 1000.5 2000.25 3.1 005BD/L/BD"},
        {ProcessedXyz, "BD", "5,6,7,PRO", "1 5 6 7 No NumberBD//BD"},
        {Processed, "", "2000.25,1000.5,3.1,PRO5", "1 1000.5 2000.25 3.1 005//"},
        {Field, "", "501,2000.25,1000.5,3.1,PRO5 B", "501 1000.5 2000.25 3.1 005/B/"},
        // Blanks around numbers are fine, fields past the layout are ignored.
        {Trimble, "", "7, 1000.5 ,\t2.00025e3\t,-.5,PRO5 A,5%,x", "7 1000.5 2000.25 -0.5 005/A/"},
        // Hypack has no remark: every shot goes into one line without a name.
        {Hypack, "X", "9,9,9\n1000.5,2000.25,3.1,extra", "2 1000.5 2000.25 3.1 //"},
        // Without a sequence column shots count the accepted lines: "STN" is not one.
        {ProcessedXyz, "", "REM x\r\n1,2,3,PRO1\r\n1,2,3,STN\r\n\r\n4,5,6,PRO1 B", "2 4 5 6 001/B/"},
        // Sequence numbers round half to even; a text without a number gives 0.
        {Trimble, "", "12.5,0,0,0,PRO1", "12 0 0 0 001//"},
        {Trimble, "", "13.5,0,0,0,PRO1", "14 0 0 0 001//"},
        {Trimble, "", " 7x,0,0,0,PRO1", "7 0 0 0 001//"},
        {Trimble, "", "abc,0,0,0,PRO1", "0 0 0 0 001//"},
    };
    for (const auto& [type, append, text, expected] : cases) {
        Job job;
        ScriptedPrompter prompter;
        const ReadOptions options{.DataType = static_cast<int>(type), .AppendToProfile = append};
        ASSERT_EQ(ReadText(job, text, prompter, options).Outcome, ReadOutcome::Ok) << text;
        ASSERT_EQ(job.LineCount, 1) << text;
        EXPECT_EQ(Summary(job.Data.At(1, job.ShotCount(1))), expected) << text;
    }
}

TEST(ReadData, KeepsLinesInBinaryOrderOfTheirTextsAndSkipsCommentsAndOtherRemarks) {
    Job job;
    ScriptedPrompter prompter;
    ReadText(job, "1,0,0,0,PRO2\n2,0,0,0,PRO1\n3,0,0,0,PRO2\n", prompter);
    EXPECT_EQ(Lines(job), "001:1 002:2");
    EXPECT_EQ(job.Data.At(2, 2).SeqNum, 3);
    Job plain;
    ReadText(plain, "1,0,0,0,PRO10\n2,0,0,0,PRO9\n3,0,0,0,PRO10\n", prompter, Options(DataType::Trimble, false));
    EXPECT_EQ(Lines(plain), "10:2 9:1");

    Job commented; // comment lines of any case, blank lines, "STN 4"; "pro12 B" is a profile shot
    EXPECT_EQ(ReadData(commented, Options(DataType::Trimble, true, "trimble-comments.csv"), prompter).RecordsStored, 3);
    EXPECT_TRUE(prompter.Messages().empty());
    ASSERT_EQ(Lines(commented), "012:3");
    // The line is trimmed of its spaces before it is split.
    EXPECT_EQ(commented.Data.At(1, 3).Remark(), "PRO12 L");
    EXPECT_EQ(Summary(commented.Data.At(1, 3)), "4 1003.5 2003.25 2.8 012/L/");
}

TEST(ReadData, SounderElevationsAndTheElevationAdjustment) {
    Job job;
    ScriptedPrompter prompter;
    ReadData(job, Options(DataType::Sounder, true, "sounder.txt"), prompter);
    ASSERT_EQ(Lines(job), "003:2");
    // Z (9.9) is not read; every shot is "W", whatever the remark says. -3.7 is
    // worked out in single precision, step by step: (DBT - Heave - Tide) * -1.
    EXPECT_EQ(Summary(job.Data.At(1, 1)), "1 1 2 -4.5 003/W/");
    EXPECT_EQ(Summary(job.Data.At(1, 2)), "2 1 2 -3.7000003 003/W/");
    const auto& shot = job.Data.At(1, 2);
    EXPECT_EQ(std::tuple(shot.DBT, shot.Heave, shot.Tide), std::tuple(5.0f, 0.2f, 1.1f));

    Job adjusted; // the adjustment goes to the depth, before the elevation is worked out
    ReadData(adjusted,
             {.SourceFileName = TestData("sounder.txt"), .DataType = 6, .ElevProcessing = 1, .ElevChange = "1"},
             prompter);
    EXPECT_EQ(std::tuple(adjusted.Data.At(1, 1).DBT, adjusted.Data.At(1, 1).Elevation), std::tuple(7.0f, -5.5f));
    Job trimble; // reverse sign, then add 10% of the value
    ReadText(trimble, "1,0,0,2.0,PRO1", prompter, {.ElevProcessing = 4, .ElevChange = "10%"});
    EXPECT_FLOAT_EQ(trimble.Data.At(1, 1).Elevation, -1.8f);
}

TEST(ReadData, EachFailureShowsItsMessageAndKeepsNothing) {
    TempFolder folder;
    // Type, text (or, starting with "/", the file to read), message.
    const std::tuple<int, std::string, std::string> cases[] = {
        {0, "1,0,0,1,PRO1\r\n  2,10,20,abc,PRO1 \r\n3,0,0,1,PRO1\r\n", FormatMessage("  2,10,20,abc,PRO1 ")}, // as read
        {0, "1,,2,3,PRO1", FormatMessage("1,,2,3,PRO1")},
        {0, "1,2,3,\"4,5\",PRO1", FormatMessage("1,2,3,\"4,5\",PRO1")},
        {0, TestData("column-title.csv"), FormatMessage("Seq,E,N,Elev,Rem")}, // numbers come first
        {0, folder.File("missing.csv"), OpenMessage},
        {0, folder.File(""), OpenMessage},            // a folder
        {0, "1,0,0,0,PRO1\n1,2,3,4", ReadingMessage}, // a missing column
        {0, "1,2,3,1e39,PRO1", ReadingMessage},       // past a float
        {0, "1,1e309,3,4,PRO1", ReadingMessage},
        {4, "1e99,2,3,4,PRO1", ReadingMessage}, // a sequence number past 32 bits
        // Northing, easting, elevation are converted in that order in every layout.
        {3, "1e400,abc,1,PRO1", ReadingMessage},
        {3, "abc,1e400,1,PRO1", FormatMessage("abc,1e400,1,PRO1")},
        {2, "abc,1e400,1,PRO1", ReadingMessage},
        {7, "1,2,3,4,PRO1", ReadingMessage}, // no such data type
    };
    for (const auto& [type, text, message] : cases) {
        Job job;
        ScriptedPrompter prompter;
        const ReadOptions options{.SourceFileName = text, .DataType = type};
        const auto result = text[0] == '/' ? ReadData(job, options, prompter) : ReadText(job, text, prompter, options);
        EXPECT_EQ(result.Outcome, ReadOutcome::Failed) << text;
        EXPECT_EQ(prompter.Messages(), Texts{message}) << text;
        EXPECT_EQ(job.LineCount, 0) << text;
        EXPECT_EQ(job.Data.StoredCount(1), 0) << text;
    }
}

TEST(ReadData, ALineTakesMaxShotsLessOneWithOneMessageAndANewProfilePastMaxLinesEndsTheRead) {
    Job job(10, 5);
    ScriptedPrompter prompter;
    std::string text;
    for (int i = 1; i <= 15; ++i) text += std::to_string(i) + ",0,0,0,PRO" + (i <= 7 ? "1\n" : "2\n");
    auto result = ReadText(job, text, prompter);
    EXPECT_EQ(std::tuple(result.RecordsStored, result.ShotLimitReached, result.LineLimitReached),
              std::tuple(8, true, false));
    EXPECT_EQ(Lines(job), "001:4 002:4");
    EXPECT_EQ(job.ShotLimitProfile, "002"); // the last refusal
    EXPECT_EQ(prompter.Messages(),
              Texts{"More than 5 shots in profile 001\r\nAll following data on this line will be ignored."});

    Job small(3, 10);
    prompter.Reset();
    result = ReadText(small, "1,0,0,0,PRO1\n2,0,0,0,PRO3\n3,0,0,0,PRO2\n4,0,0,0,PRO4\n5,0,0,0,PRO1\n", prompter);
    EXPECT_EQ(std::tuple(result.Outcome, result.LineLimitReached), std::tuple(ReadOutcome::Ok, true));
    EXPECT_EQ(Lines(small), "001:1 002:1 003:1"); // the shot after the refused profile is not read
    EXPECT_EQ(small.LineLimitProfile, "004");
    EXPECT_EQ(prompter.Messages(),
              Texts{"More than 3 lines in input file.  Data from profile 004 and following data ignored."});
}

void SetStartingPoint(Job& job, std::int32_t line, double easting) {
    auto& header = job.Data.EditHeader(line);
    header.StartEasting() = easting;
    header.StartNorthing() = 2000;
    header.LineAngle() = 270;
}

// A job of many lines with starting points, stale records and a full line,
// then an append that touches most of it before failing on its last line.
TEST(ReadData, AnAppendFailingOnItsLastLineLeavesTheJobAsItWas) {
    Job job(200, 50);
    ScriptedPrompter prompter;
    std::string first;
    for (int shot = 0; shot < 20 * 75; ++shot) {
        first += std::to_string(shot % 20) + "," + std::to_string(shot) + ",5000," + std::to_string(shot % 7) +
                 ".5,PRO" + std::to_string(shot / 20 * 2) + "\n";
    }
    ASSERT_EQ(ReadText(job, first, prompter).Outcome, ReadOutcome::Ok);
    for (std::int32_t line = 1; line <= job.LineCount; line += 3) SetStartingPoint(job, line, line * 10.0);
    job.Data.EditHeader(job.LineCount + 1).LineIgnored() = true; // a stale slot
    job.Data.Edit(5, 21).SeqNum = 99;                            // past the line's end: not a shot, but kept
    job.DataChanged = true;
    job.CurrentLine = 7;
    const Job before = job;

    std::mt19937 random(11);
    std::string append;
    for (int i = 0; i < 6000; ++i)
        append += std::to_string(i) + ",1,2,3,PRO" + std::to_string(random() % 170) + (i % 5 ? "\n" : " B\n");
    ASSERT_EQ(ReadText(job, append + "6001,1,2,oops,PRO3\n", prompter).Outcome, ReadOutcome::Failed);
    ASSERT_EQ(prompter.Messages().size(), 2u); // it went through the shot limit before failing
    EXPECT_EQ(JobDifference(job, before), "");
    EXPECT_TRUE(job.Data.Header(job.LineCount + 1).LineIgnored());
    EXPECT_EQ(job.Data.At(5, 21).SeqNum, 99);
}

ShotRecord Shot(std::string_view profile, std::int32_t seq) {
    ShotRecord record;
    record.SetProfileNumber(profile);
    record.SeqNum = seq;
    return record;
}

TEST(AddShot, NewLinesStartCleanAndEveryStoredShotGetsItsDistance) {
    Job job;
    AddShot(job, Shot("A", 1));
    AddShot(job, Shot("C", 2));
    for (std::int32_t slot : {3, 4}) { // what deleted lines left behind
        SetStartingPoint(job, slot, 100);
        job.Data.EditHeader(slot).LineIgnored() = true;
    }
    job.Data.Edit(3, 1) = Shot("E", 9);
    job.Data.EditHeader(3).ShotCount() = 1;
    job.CurrentLine = 3; // stale: beyond the last line, not to be used
    AddShot(job, Shot("E", 3));
    AddShot(job, Shot("B", 4)); // inserting brings up the free slot 4
    EXPECT_EQ(Lines(job), "A:1 B:1 C:1 E:1");
    for (std::int32_t line = 1; line <= 4; ++line)
        EXPECT_FALSE(HasStartingPoint(job, line) || job.Data.Header(line).LineIgnored()) << line;
    EXPECT_EQ(job.Data.At(4, 1).SeqNum, 3);
    EXPECT_EQ(job.CurrentLine, 2);

    // Every shot stored in a line with a starting point gets its distance down range.
    SetStartingPoint(job, 1, 1000);
    ScriptedPrompter prompter;
    ReadText(job, "2,1010,2000,0,PROA\n3,1025,2000,0,PROA\n", prompter, Options(DataType::Trimble, false));
    EXPECT_EQ(job.Data.At(1, 2).DistDownRange, static_cast<float>(DistanceDownRange(job, 1, 2)));
    EXPECT_EQ(job.Data.At(1, 3).DistDownRange, 25.0f);
}

} // namespace
} // namespace tolvanor
