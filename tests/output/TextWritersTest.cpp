// SPDX-License-Identifier: GPL-3.0-or-later
// The .xyz and .se line layouts and the ISRP cards, byte for byte (the other
// formats: the golden files and DeliverableWalkTest).
#include "OutputTestSupport.h"

#include <gtest/gtest.h>

namespace tolvanor::testing {
namespace {

// Writes one line per shot list in single-file mode and gives the file.
std::string WriteSingle(OutputFormat format, const std::vector<std::vector<TestShot>>& lines) {
    Job job(10, 300);
    for (const auto& shots : lines) AddLine(job, "12", shots);
    TempFolder folder;
    const OutputResult result = WriteOutputFile(format, job, Options(), folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Written) << result.Reason;
    return ReadBytes(SingleFilePath(folder.Path(), "job", format));
}

// .xyz: columns 11, 28, 44 and 52; longer fields push the next ones right.
TEST(TextWriters, XyzColumnsAndSeStations) {
    EXPECT_EQ(WriteSingle(OutputFormat::Xyz, {{{402511.375, 161833.0, 3.4f, 0, "PRO 12 B"},
                                               {0.5, -0.25, -0.5f, 0, "r"},
                                               {12345678901234.5, 98765432109876.5, 1234567.0f, 0, "r"}}}),
              "          402511.3750      161833.0000     3.4     PRO 12 B\r\n"
              "          .5000            -.2500          -0.5    r\r\n"
              "          12345678901234.500098765432109876.50001234567r\r\n");
    // .se: the five-line profile, then stations at the first and last used shot.
    EXPECT_EQ(WriteSingle(OutputFormat::Se, {{{0, 0, 4.2f, -30.0f}, {0, 0, 3.91f, 12.5f}, {0, 0, -0.5f, 130.0f}},
                                             // First shot ignored: no opening station.
                                             {{0, 0, 1.0f, 10.0f, "", true}, {0, 0, 2.0f, 20.0f}, {0, 0, 3.0f, 30.0f}},
                                             // Last shot ignored: no closing station.
                                             {{0, 0, 1.0f, 60.0f}, {0, 0, 2.0f, 70.0f}, {0, 0, 3.0f, 80.0f, "", true}},
                                             // Never computed distances: opening 0, closing 50.
                                             {{0, 0, 1.0f, 0.0f}, {0, 0, 2.0f, 0.0f}},
                                             // One shot is the first: it opens and never closes.
                                             {{0, 0, 5.0f, -100.0f}},
                                             // A closing station below zero still steps up: (Fix(-1.2) + 1) × 50 = 0.
                                             {{0, 0, 1.0f, -120.0f}, {0, 0, 2.0f, -60.0f}}}),
              "   -50     0   1\r\n   -30   4.2   0\r\n  12.5   3.9   0\r\n   130   -.5   0\r\n   150     0   0\r\n"
              "    20   2.0   0\r\n    30   3.0   0\r\n    50     0   0\r\n"
              "    50     0   1\r\n    60   1.0   0\r\n    70   2.0   0\r\n"
              "     0     0   1\r\n     0   1.0   0\r\n     0   2.0   0\r\n    50     0   0\r\n"
              "  -150     0   1\r\n  -100   5.0   0\r\n"
              "  -150     0   1\r\n  -120   1.0   0\r\n   -60   2.0   0\r\n     0     0   0\r\n");
}

// The ISRP 28 cards of one profile with the given constants.
std::string Cards(SurveyTypeOption type, const char* locality, const char* date, const char* time,
                  std::string_view profile, const std::vector<TestShot>& shots) {
    Job job(10, 300);
    AddLine(job, profile, shots);
    TempFolder folder;
    OutputOptions options = Options();
    options.SurveyType = type;
    options.LocalityCode = locality;
    options.SurveyDate = date;
    options.SurveyTime = time;
    const OutputResult result = WriteISRPFile(job, options, folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Written) << result.Reason;
    return ReadBytes(folder.File("job.irp"));
}

TEST(IsrpFile, CardLayouts) {
    using enum SurveyTypeOption;
    // AB | PN | T 1 | card 1 | date | time | NPTS | MINE | profile | space | four pairs; then card 2.
    EXPECT_EQ(
        Cards(
            BeforeDredge, "AB", "990415", "1200", "12A",
            {{0, 0, 5.2f, 0.0f}, {0, 0, 4.1f, 10.0f}, {0, 0, 2.0f, 20.5f}, {0, 0, -0.7f, 31.0f}, {0, 0, -1.3f, 45.0f}}),
        "AB  12  11990415 1200  5  -13       12A     0   52   10   41 20.5   20   31   -7\r\n"
        "AB  12  12   45  -13\r\n");
    // Maintenance leaves column 9 blank; fields keep their rightmost characters (PN: ExtractInteger
    // clamps to -32768, cut to "2768").
    EXPECT_EQ(Cards(Maintenance, "XYZ", "1", "123456", "PRO -1234567BD", {{0, 0, 1.0f, 1.0f}}),
              "YZ2768   1     123456  1   10-1234567BD     1   10\r\n");
    // After Dredge is 2; MINE starts from 1000 and an ignored shot does not count.
    EXPECT_EQ(Cards(AfterDredge, "AB", "990415", "1200", "7", {{0, 0, 1500.0f, 1.0f}, {0, 0, -99.0f, 2.0f, "", true}}),
              "AB   7  21990415 1200  110000         7     115000\r\n");
}

TEST(IsrpFile, TwoHundredFiftyShotsGiveThirtyFiveCards) {
    std::vector<TestShot> shots;
    for (int i = 1; i <= 250; ++i) shots.push_back({0, 0, static_cast<float>(i) / 10.0f, static_cast<float>(i)});
    const std::string text = Cards(SurveyTypeOption::BeforeDredge, "AB", "990415", "1200", "3", shots);
    // 242 = 4 pairs on the header card + 34 full cards of 7: 35 cards of 80 characters.
    ASSERT_EQ(text.size(), 35u * 82u);
    EXPECT_EQ(text.substr(21, 8), "242    1"); // NPTS capped; MINE 0.1 × 10
    const std::string characters = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t card = 0; card < 35; ++card) {
        EXPECT_EQ(text[card * 82 + 9], characters[card]) << "card " << card + 1;
        EXPECT_EQ(text.substr(card * 82 + 80, 2), "\r\n") << "card " << card + 1;
    }
    EXPECT_EQ(text.substr(34 * 82 + 70, 10), "  242  242"); // ends with shot 242; 243 to 250 dropped
}

TEST(IsrpFile, TemplateGoesOnceAtTheTopOfEachOpenedFile) {
    TempFolder folder;
    Job job(10, 20);
    AddLine(job, "1", {{0, 0, 1.0f, 1.0f}});
    AddLine(job, "2", {{0, 0, 2.0f, 2.0f}});
    OutputOptions options = Options();
    options.AppendTemplate = true;
    options.TemplateFile = folder.File("survey.itf");
    // A template that cannot be read fails before any file is touched.
    OutputResult result = WriteISRPFile(job, options, folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Failed);
    EXPECT_EQ(result.FailedPath, folder.File("job.irp"));
    EXPECT_EQ(result.Reason, "Template file " + options.TemplateFile + ": No such file or directory");
    EXPECT_TRUE(FileNames(folder.Path()).empty());

    WriteBytes(options.TemplateFile, "FIRST LINE\r\nSECOND\n\nLAST NO END");
    const std::string copied = "FIRST LINE\r\nSECOND\r\n\r\nLAST NO END\r\n";
    const std::string card1 = "AB   1  11990415 1200  1   10         1     1   10\r\n";
    const std::string card2 = "AB   2  11990415 1200  1   20         2     2   20\r\n";
    ASSERT_FALSE(WriteISRPFile(job, options, folder.Path()).Failed());
    EXPECT_EQ(ReadBytes(folder.File("job.irp")), copied + card1 + card2);
    options.Mode = FileMode::FilePerLine;
    ASSERT_FALSE(WriteISRPFile(job, options, folder.Path()).Failed());
    EXPECT_EQ(ReadBytes(folder.File("job_1.irp")), copied + card1);
    EXPECT_EQ(ReadBytes(folder.File("job_2.irp")), copied + card2);
    // With nothing to write the template is never read.
    options.TemplateFile = folder.File("missing.itf");
    job.Data.EditHeader(1).LineIgnored() = true;
    job.Data.EditHeader(2).LineIgnored() = true;
    EXPECT_EQ(WriteISRPFile(job, options, folder.Path()).Status, OutputStatus::NothingWritten);
}

} // namespace
} // namespace tolvanor::testing
