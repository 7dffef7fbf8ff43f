// SPDX-License-Identifier: GPL-3.0-or-later
// ISRP 28 cards: header and continuation cards, the 242-point cap, the template.
#include "OutputTestSupport.h"
#include "SampleJob.h"

#include "output/Deliverables.h"

#include <gtest/gtest.h>

namespace tolvanor::testing {
namespace {

OutputOptions IsrpOptions(SurveyTypeOption type = SurveyTypeOption::BeforeDredge) {
    OutputOptions options;
    options.Prefix = "job";
    options.LocalityCode = "AB";
    options.SurveyDate = "990415";
    options.SurveyTime = "1200";
    options.SurveyType = type;
    return options;
}

std::string WriteCards(const Job& job, const OutputOptions& options) {
    TempFolder folder;
    const OutputResult result = WriteISRPFile(job, options, folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Written) << result.Reason;
    return ReadBytes(folder.File("job.irp"));
}

std::vector<std::string> Cards(const std::string& text) {
    std::vector<std::string> cards;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find("\r\n", at);
        cards.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return cards;
}

void AddDocumentedProfile(Job& job) {
    AddLine(job, "12A",
            {{0, 0, 5.2f, 0.0f}, {0, 0, 4.1f, 10.0f}, {0, 0, 2.0f, 20.5f}, {0, 0, -0.7f, 31.0f}, {0, 0, -1.3f, 45.0f}});
}

TEST(IsrpFile, WritesTheDocumentedTwoCards) {
    Job job(10, 300);
    AddDocumentedProfile(job);
    const auto cards = Cards(WriteCards(job, IsrpOptions()));
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0], "AB"
                        "  12"
                        "  "
                        "1"
                        "1"
                        "990415"
                        " 1200"
                        "  5"
                        "  -13"
                        "       12A"
                        " "
                        "    0   52"
                        "   10   41"
                        " 20.5   20"
                        "   31   -7");
    EXPECT_EQ(cards[0].size(), 80u);
    EXPECT_EQ(cards[1], "AB  12  12   45  -13");
}

TEST(IsrpFile, SurveyTypeCodeAndFieldCuts) {
    Job job(10, 300);
    AddLine(job, "PRO -1234567BD", {{0, 0, 1.0f, 1.0f}});
    OutputOptions options = IsrpOptions(SurveyTypeOption::Maintenance);
    options.LocalityCode = "XYZ"; // keeps its rightmost two characters
    options.SurveyDate = "1";
    options.SurveyTime = "123456";
    // ExtractInteger clamps -1234567 to -32768, cut to "2768"; the profile
    // keeps its last 10 characters; column 9 is a space.
    EXPECT_EQ(WriteCards(job, options), "YZ2768   1     123456  1   10-1234567BD     1   10\r\n");
    options.SurveyType = SurveyTypeOption::AfterDredge;
    EXPECT_EQ(WriteCards(job, options).substr(8, 2), "21");
}

TEST(IsrpFile, LowestElevationStartsFromAThousand) {
    Job job(10, 300);
    AddLine(job, "7", {{0, 0, 1500.0f, 1.0f}, {0, 0, -99.0f, 2.0f, "", true}}); // an ignored shot does not count
    EXPECT_EQ(WriteCards(job, IsrpOptions()).substr(21, 8), "  110000");        // NPTS 1, MINE 10000
}

TEST(IsrpFile, TwoHundredFiftyShotsGiveThirtyFiveCards) {
    Job job(10, 300);
    std::vector<TestShot> shots;
    for (int i = 1; i <= 250; ++i) shots.push_back({0, 0, static_cast<float>(i) / 10.0f, static_cast<float>(i)});
    AddLine(job, "3", shots);
    const auto cards = Cards(WriteCards(job, IsrpOptions()));
    ASSERT_EQ(cards.size(), 35u);
    EXPECT_EQ(cards[0].substr(21, 3), "242");
    EXPECT_EQ(cards[0].substr(24, 5), "    1"); // MINE: 0.1 × 10
    const std::string characters = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t card = 0; card < cards.size(); ++card) {
        EXPECT_EQ(cards[card][9], characters[card]) << "card " << card + 1;
        EXPECT_EQ(cards[card].size(), 80u) << "card " << card + 1;
    }
    // The last card ends with shot 242; shots 243 to 250 are dropped.
    EXPECT_EQ(cards.back().substr(70), "  242  242"); // distance 242, elevation 24.2 × 10
}

TEST(IsrpFile, ProfileWithoutUsedShotsGivesAnEmptyLine) {
    Job job(10, 300);
    AddLine(job, "9", {{0, 0, 1.0f, 1.0f, "", true}});
    EXPECT_EQ(WriteCards(job, IsrpOptions()), "\r\n");
}

TEST(IsrpFile, TemplateGoesOnceAtTheTopOfEachOpenedFile) {
    TempFolder folder;
    const std::string templatePath = folder.File("survey.itf");
    WriteBytes(templatePath, "FIRST LINE\r\nSECOND\n\nLAST NO END");
    Job job(10, 300);
    AddLine(job, "1", {{0, 0, 1.0f, 1.0f}});
    AddLine(job, "2", {{0, 0, 2.0f, 2.0f}});
    OutputOptions options = IsrpOptions();
    options.AppendTemplate = true;
    options.TemplateFile = templatePath;
    const std::string copied = "FIRST LINE\r\nSECOND\r\n\r\nLAST NO END\r\n";

    ASSERT_FALSE(WriteISRPFile(job, options, folder.Path()).Failed());
    EXPECT_EQ(ReadBytes(folder.File("job.irp")), copied + "AB   1  11990415 1200  1   10         1     1   10\r\n" +
                                                     "AB   2  11990415 1200  1   20         2     2   20\r\n");

    options.Mode = FileMode::FilePerLine;
    ASSERT_FALSE(WriteISRPFile(job, options, folder.Path()).Failed());
    EXPECT_EQ(ReadBytes(folder.File("job_1.irp")), copied + "AB   1  11990415 1200  1   10         1     1   10\r\n");
    EXPECT_EQ(ReadBytes(folder.File("job_2.irp")), copied + "AB   2  11990415 1200  1   20         2     2   20\r\n");
}

TEST(IsrpFile, MissingTemplateFailsBeforeAnyFileIsTouched) {
    TempFolder folder;
    Job job(10, 300);
    AddDocumentedProfile(job);
    OutputOptions options = IsrpOptions();
    options.AppendTemplate = true;
    options.TemplateFile = folder.File("missing.itf");
    const OutputResult result = WriteISRPFile(job, options, folder.Path());
    EXPECT_EQ(result.Status, OutputStatus::Failed);
    EXPECT_EQ(result.FailedPath, folder.File("job.irp"));
    EXPECT_EQ(result.Reason, "Template file " + options.TemplateFile + ": No such file or directory");
    EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST(IsrpFile, TemplateIsNotReadWhenNothingIsWritten) {
    TempFolder folder;
    Job job(10, 300);
    AddLine(job, "1", {{0, 0, 1.0f, 1.0f}}, true);
    OutputOptions options = IsrpOptions();
    options.AppendTemplate = true;
    options.TemplateFile = folder.File("missing.itf");
    EXPECT_EQ(WriteISRPFile(job, options, folder.Path()).Status, OutputStatus::NothingWritten);
}

TEST(IsrpGolden, SampleJobInASingleFile) {
    Job job(10, 20);
    FillSampleJob(job);
    ExpectGolden(WriteCards(job, IsrpOptions()), "sample.irp");
}

} // namespace
} // namespace tolvanor::testing
